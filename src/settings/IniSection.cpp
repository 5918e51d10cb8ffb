// Parsing a whole INI section and answering lookups only where the per-key calls would agree.
#include "settings/IniSection.h"

#include <algorithm>
#include <climits>

namespace {

constexpr wchar_t kSeparator = L'\0';
constexpr size_t kMaxIntDigits = 10; // INT_MAX has ten

bool IsPrintableAscii(wchar_t c) noexcept
{
    return c > L' ' && c < 0x7F;
}

wchar_t FoldAscii(wchar_t c) noexcept
{
    return c >= L'A' && c <= L'Z' ? static_cast<wchar_t>(c - L'A' + L'a') : c;
}

// A character beyond ASCII may fold onto an ASCII letter on the platform (the Kelvin sign onto
// 'k', the dotted capital I onto 'i').
bool MayEqual(wchar_t stored, wchar_t wanted) noexcept
{
    return stored >= 0x80 || FoldAscii(stored) == FoldAscii(wanted);
}

bool SameName(std::wstring_view stored, std::wstring_view wanted) noexcept
{
    return stored.size() == wanted.size() &&
           std::equal(stored.begin(), stored.end(), wanted.begin(),
                      [](wchar_t s, wchar_t w) { return s < 0x80 && FoldAscii(s) == FoldAscii(w); });
}

// Whether the platform could take stored for wanted: it trims white space at both ends, which
// may include characters beyond ASCII, and folds case beyond ASCII.
bool MayName(std::wstring_view stored, std::wstring_view wanted) noexcept
{
    if (stored.size() < wanted.size())
        return false;
    const size_t spare = stored.size() - wanted.size(); // characters the platform would have to trim
    const size_t lead = std::find_if(stored.begin(), stored.end(), IsPrintableAscii) - stored.begin();
    const size_t trail = std::find_if(stored.rbegin(), stored.rend(), IsPrintableAscii) - stored.rbegin();
    for (size_t cut = spare - std::min(spare, trail); cut <= std::min(spare, lead); ++cut) {
        const std::wstring_view middle = stored.substr(cut, wanted.size());
        if (std::equal(middle.begin(), middle.end(), wanted.begin(), MayEqual))
            return true;
    }
    return false;
}

bool IsPlainKey(std::wstring_view key) noexcept
{
    return !key.empty() &&
           std::all_of(key.begin(), key.end(), [](wchar_t c) { return IsPrintableAscii(c) && c != L'='; });
}

bool IsQuote(wchar_t c) noexcept
{
    return c == L'"' || c == L'\'';
}

// The per-key string call strips a pair of quotes and white space the section text may still
// show; a value with either at its ends is left to that call.
bool MayBeAltered(std::wstring_view value) noexcept
{
    if (value.empty())
        return false;
    for (wchar_t end : {value.front(), value.back()})
        if (IsQuote(end) || !IsPrintableAscii(end))
            return true;
    return false;
}

// Only the form a decimal write produces: "0", or an optional '-' before a digit run without a
// leading zero, within int range. The integer call reads hexadecimal prefixes, trailing text and
// overflow in ways that differ between platforms; those are left to it.
std::optional<int> PlainInt(std::wstring_view text) noexcept
{
    const bool negative = !text.empty() && text.front() == L'-';
    const std::wstring_view digits = text.substr(negative ? 1 : 0);
    if (digits.empty() || digits.size() > kMaxIntDigits || (digits.front() == L'0' && (digits.size() > 1 || negative)))
        return std::nullopt;
    long long value = 0;
    for (wchar_t c : digits) {
        if (c < L'0' || c > L'9')
            return std::nullopt;
        value = value * 10 + (c - L'0');
    }
    if (negative)
        value = -value;
    if (value < INT_MIN || value > INT_MAX)
        return std::nullopt;
    return static_cast<int>(value);
}

} // namespace

IniSection::IniSection(std::wstring text, bool complete) : m_text(std::move(text)), m_complete(complete)
{
    size_t begin = 0;
    while (begin < m_text.size()) {
        const size_t end = std::min(m_text.find(kSeparator, begin), m_text.size());
        const size_t equals = std::find(m_text.begin() + begin, m_text.begin() + end, L'=') - m_text.begin();
        Entry entry{begin, end - begin, std::wstring::npos, 0};
        if (equals < end) {
            entry.nameLength = equals - begin;
            entry.valueBegin = equals + 1;
            entry.valueLength = end - equals - 1;
        }
        if (end > begin)
            m_entries.push_back(entry);
        begin = end + 1;
    }
}

bool IniSection::MayBeCut(std::size_t written, std::size_t capacity) noexcept
{
    return written + 2 >= capacity;
}

std::wstring_view IniSection::Name(const Entry& entry) const
{
    return std::wstring_view(m_text).substr(entry.begin, entry.nameLength);
}

std::wstring_view IniSection::Value(const Entry& entry) const
{
    return std::wstring_view(m_text).substr(entry.valueBegin, entry.valueLength);
}

IniSection::Lookup IniSection::Find(std::wstring_view key) const
{
    constexpr Lookup kUnsure{Answer::Unsure, {}};
    if (!m_complete || !IsPlainKey(key))
        return kUnsure;
    const Entry* found = nullptr;
    for (const Entry& entry : m_entries) {
        const std::wstring_view name = Name(entry);
        if (!SameName(name, key)) {
            if (MayName(name, key))
                return kUnsure;
            continue;
        }
        if (found)
            return kUnsure; // which of the two counts differs between platforms
        found = &entry;
    }
    if (!found)
        return {Answer::Absent, {}};
    if (found->valueBegin == std::wstring::npos || MayBeAltered(Value(*found)))
        return kUnsure;
    return {Answer::Value, Value(*found)};
}

std::optional<int> IniSection::FindInt(std::wstring_view key, int fallback) const
{
    const Lookup lookup = Find(key);
    switch (lookup.answer) {
    case Answer::Absent:
        return fallback;
    case Answer::Value:
        return PlainInt(lookup.value); // an empty value too is left to the call
    case Answer::Unsure:
        break;
    }
    return std::nullopt;
}

bool IniSection::Holds(std::wstring_view key, std::wstring_view text) const
{
    const Lookup lookup = Find(key);
    return lookup.answer == Answer::Value && lookup.value == text;
}
