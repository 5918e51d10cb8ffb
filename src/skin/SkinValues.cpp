// The value syntaxes of the skin files.
#include "skin/SkinValues.h"

#include <array>
#include <cstdint>
#include <limits>

namespace {

bool IsBlank(wchar_t c)
{
    return c == L' ' || c == L'\t' || c == L'\n' || c == L'\v' || c == L'\f' || c == L'\r';
}

bool IsDigit(wchar_t c)
{
    return c >= L'0' && c <= L'9';
}

int Saturate(int64_t value)
{
    constexpr int64_t kMin = std::numeric_limits<int>::min();
    constexpr int64_t kMax = std::numeric_limits<int>::max();
    return static_cast<int>(value < kMin ? kMin : value > kMax ? kMax : value);
}

// One "%d" of a formatted scan: leading blanks, an optional sign, at least one digit.
// Out-of-range numbers saturate instead of overflowing.
bool ScanInt(std::wstring_view text, size_t& pos, int& out)
{
    while (pos < text.size() && IsBlank(text[pos]))
        ++pos;
    size_t at = pos;
    bool negative = false;
    if (at < text.size() && (text[at] == L'+' || text[at] == L'-'))
        negative = text[at++] == L'-';
    if (at >= text.size() || !IsDigit(text[at]))
        return false;
    int64_t magnitude = 0;
    constexpr int64_t kCap = int64_t{1} << 40; // far beyond any int; stops growth early
    for (; at < text.size() && IsDigit(text[at]); ++at)
        if (magnitude < kCap)
            magnitude = magnitude * 10 + (text[at] - L'0');
    out = Saturate(negative ? -magnitude : magnitude);
    pos = at;
    return true;
}

// "%d,%d,%d,%d" from the start of text: the scan stops at the first mismatch and the
// numbers it did not reach stay 0.
std::array<int, 4> ScanFourInts(std::wstring_view text)
{
    std::array<int, 4> numbers{};
    size_t pos = 0;
    for (size_t i = 0; i < numbers.size(); ++i) {
        if (!ScanInt(text, pos, numbers[i]))
            break;
        if (i + 1 < numbers.size()) {
            if (pos >= text.size() || text[pos] != L',')
                break;
            ++pos;
        }
    }
    return numbers;
}

// The second-to-last comma-separated field of rest: cut rest at its last comma, then take
// what follows the last comma of what is left (all of it when it has none).
std::wstring_view TextField(std::wstring_view rest)
{
    const size_t last = rest.rfind(L',');
    if (last == std::wstring_view::npos)
        return {};
    const std::wstring_view head = rest.substr(0, last);
    const size_t before = head.rfind(L',');
    return before == std::wstring_view::npos ? head : head.substr(before + 1);
}

struct Fields {
    std::wstring_view name;
    SkinRect rect;
    std::wstring_view text;
    bool flag = false;
};

Fields SplitValue(std::wstring_view value)
{
    Fields fields;
    const size_t comma = value.find(L',');
    std::wstring_view rest = value;
    if (comma != std::wstring_view::npos) {
        fields.name = value.substr(0, comma);
        rest = value.substr(comma + 1);
    }
    const auto [left, top, width, height] = ScanFourInts(rest);
    fields.rect = {left, top, Saturate(int64_t{left} + width), Saturate(int64_t{top} + height)};
    fields.flag = rest.find(L"TRUE") != std::wstring_view::npos;
    fields.text = TextField(rest);
    return fields;
}

} // namespace

SkinItem ParseSkinItem(std::wstring_view value)
{
    const Fields fields = SplitValue(value);
    SkinItem item;
    item.name = fields.name.substr(0, SkinItem::kMaxName);
    item.rect = fields.rect;
    item.text = fields.text.substr(0, SkinItem::kMaxText);
    item.flag = fields.flag;
    return item;
}

SkinPlacement ParseSkinPlacement(std::wstring_view value)
{
    const Fields fields = SplitValue(value);
    return {fields.rect, std::wstring(fields.text), fields.flag};
}

std::wstring SkinFileForLanguage(int language)
{
    switch (language) {
    case 1:
        return L"Lan\\skin_Cs.ini";
    case 2:
        return L"Lan\\skin_Ct.ini";
    case 3:
        return L"Lan\\skin_De.ini";
    default:
        return L"Lan\\skin_En.ini";
    }
}

std::wstring FuncStringKey(int number)
{
    static constexpr wchar_t kDigits[] = L"0123456789ABCDEF";
    auto bits = static_cast<uint32_t>(number); // "%X" reads the number as unsigned
    std::wstring key;
    do {
        key.insert(key.begin(), kDigits[bits & 0xF]);
        bits >>= 4;
    } while (bits);
    return key;
}

std::wstring ExpandSkinLineBreaks(std::wstring_view text)
{
    static constexpr std::wstring_view kEscaped = L"\\r\\n";
    std::wstring result;
    result.reserve(text.size());
    size_t from = 0;
    for (size_t at = text.find(kEscaped); at != std::wstring_view::npos; at = text.find(kEscaped, from)) {
        result.append(text.substr(from, at - from));
        result.append(L" \r\n");
        from = at + kEscaped.size();
    }
    result.append(text.substr(from));
    return result;
}
