// Reading the message tool's arguments.
#include "MessageArguments.h"

#include <windows.h>

#include <limits>

namespace {

constexpr int kDecimalBase = 10;
constexpr int kHexBase = 16;
constexpr int kMinArguments = 3; // program, caption, message
constexpr int kMaxArguments = 5; // ... wParam, lParam

struct NamedMessage {
    std::wstring_view name;
    unsigned value;
};
constexpr NamedMessage kNamedMessages[] = {{L"WM_CLOSE", WM_CLOSE}, {L"WM_TIMER", WM_TIMER}, {L"WM_USER", WM_USER}};

int DigitValue(wchar_t c)
{
    if (c >= L'0' && c <= L'9')
        return c - L'0';
    if (c >= L'a' && c <= L'f')
        return c - L'a' + kDecimalBase;
    if (c >= L'A' && c <= L'F')
        return c - L'A' + kDecimalBase;
    return kHexBase;
}

// Digits only, every one below base, and the value within 64 bits.
std::optional<unsigned long long> ParseDigits(std::wstring_view digits, int base)
{
    if (digits.empty())
        return std::nullopt;
    unsigned long long value = 0;
    for (wchar_t c : digits) {
        const int digit = DigitValue(c);
        if (digit >= base || value > (std::numeric_limits<unsigned long long>::max() - digit) / base)
            return std::nullopt;
        value = value * base + digit;
    }
    return value;
}

std::optional<long long> ParseNamed(std::wstring_view text)
{
    for (const NamedMessage& named : kNamedMessages) {
        if (!text.starts_with(named.name))
            continue;
        const std::wstring_view rest = text.substr(named.name.size());
        if (rest.empty())
            return named.value;
        if (rest.front() != L'+')
            return std::nullopt;
        const auto offset = ParseDigits(rest.substr(1), kDecimalBase);
        return offset ? std::optional<long long>(named.value + static_cast<long long>(*offset)) : std::nullopt;
    }
    return std::nullopt;
}

} // namespace

std::optional<long long> ParseMessageNumber(std::wstring_view text)
{
    if (text.starts_with(L"WM_"))
        return ParseNamed(text);
    const bool negative = text.starts_with(L'-');
    if (negative)
        text.remove_prefix(1);
    const bool hex = text.starts_with(L"0x") || text.starts_with(L"0X");
    const auto value = hex ? ParseDigits(text.substr(2), kHexBase) : ParseDigits(text, kDecimalBase);
    if (!value || *value > static_cast<unsigned long long>(std::numeric_limits<long long>::max()))
        return std::nullopt;
    const long long signedValue = static_cast<long long>(*value);
    return negative ? -signedValue : signedValue;
}

std::optional<PostRequest> ParsePostArguments(int argc, const wchar_t* const* argv)
{
    if (argc < kMinArguments || argc > kMaxArguments)
        return std::nullopt;
    PostRequest request;
    request.caption = argv[1];
    const auto message = ParseMessageNumber(argv[2]);
    if (!message || *message < 0 || *message > std::numeric_limits<unsigned>::max())
        return std::nullopt;
    request.message = static_cast<unsigned>(*message);
    if (argc > kMinArguments) {
        const auto wParam = ParseMessageNumber(argv[kMinArguments]);
        if (!wParam)
            return std::nullopt;
        request.wParam = static_cast<unsigned long long>(*wParam);
    }
    if (argc > kMinArguments + 1) {
        const auto lParam = ParseMessageNumber(argv[kMinArguments + 1]);
        if (!lParam)
            return std::nullopt;
        request.lParam = *lParam;
    }
    return request;
}
