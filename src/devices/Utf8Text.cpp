// Wide text to UTF-8.
#include "devices/Utf8Text.h"

#include <cstdint>
#include <type_traits>

namespace {

constexpr char32_t kReplacement = 0xFFFD;
constexpr char32_t kMaxCodePoint = 0x10FFFF;
constexpr char32_t kHighSurrogateFirst = 0xD800;
constexpr char32_t kLowSurrogateFirst = 0xDC00;
constexpr char32_t kSurrogateLast = 0xDFFF;
constexpr char32_t kSupplementaryFirst = 0x10000;
constexpr int kSurrogateShift = 10;

constexpr bool IsHighSurrogate(char32_t c)
{
    return c >= kHighSurrogateFirst && c < kLowSurrogateFirst;
}

constexpr bool IsLowSurrogate(char32_t c)
{
    return c >= kLowSurrogateFirst && c <= kSurrogateLast;
}

void AppendUtf8(char32_t c, std::string& out)
{
    if (c < 0x80) {
        out.push_back(static_cast<char>(c));
    } else if (c < 0x800) {
        out.push_back(static_cast<char>(0xC0 | (c >> 6)));
        out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    } else if (c < kSupplementaryFirst) {
        out.push_back(static_cast<char>(0xE0 | (c >> 12)));
        out.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    } else {
        out.push_back(static_cast<char>(0xF0 | (c >> 18)));
        out.push_back(static_cast<char>(0x80 | ((c >> 12) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    }
}

// The code point that starts at text[i]; i moves past the units it used.
char32_t NextCodePoint(std::wstring_view text, size_t& i)
{
    const char32_t c = static_cast<char32_t>(static_cast<std::make_unsigned_t<wchar_t>>(text[i++]));
    if constexpr (sizeof(wchar_t) == 2) {
        if (IsHighSurrogate(c) && i < text.size()) {
            const char32_t low = static_cast<char16_t>(text[i]);
            if (IsLowSurrogate(low)) {
                ++i;
                return kSupplementaryFirst + ((c - kHighSurrogateFirst) << kSurrogateShift) +
                       (low - kLowSurrogateFirst);
            }
        }
    }
    return IsHighSurrogate(c) || IsLowSurrogate(c) || c > kMaxCodePoint ? kReplacement : c;
}

} // namespace

std::string Utf8FromWide(std::wstring_view text)
{
    std::string out;
    out.reserve(text.size());
    for (size_t i = 0; i < text.size();)
        AppendUtf8(NextCodePoint(text, i), out);
    return out;
}
