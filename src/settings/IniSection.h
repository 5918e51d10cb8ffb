// One section of an INI file as the platform's whole-section call gives it, answered key by key
// as the platform's per-key calls would answer, or not at all where the text leaves that in doubt.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

class IniSection {
public:
    enum class Answer {
        Absent, // no entry of that name: the per-key call gives its default
        Value,  // the per-key string call gives exactly this value
        Unsure, // only the per-key call can tell
    };
    struct Lookup {
        Answer answer;
        std::wstring_view value; // set for Answer::Value
    };

    // An empty, complete section: every key is absent.
    IniSection() = default;
    // text: what the section call wrote, "name=value" entries each ended by NUL. complete is
    // false when the call may have left entries out (see MayBeCut); then nothing is certain.
    IniSection(std::wstring text, bool complete);

    // Whether a section call that returned written characters into a buffer of capacity may have
    // cut the section short: it then answers capacity - 2, which a section that just fits can too.
    static bool MayBeCut(std::size_t written, std::size_t capacity) noexcept;

    // Keys are matched with ASCII case folding: enough for printable ASCII keys, which is all
    // this answers for. A stored name beyond printable ASCII that the platform might trim or
    // fold onto the key makes the answer Unsure rather than Absent.
    Lookup Find(std::wstring_view key) const;
    // What the integer call would answer with the default fallback, or nothing when in doubt: a
    // value counts only in its plain decimal form within int range.
    std::optional<int> FindInt(std::wstring_view key, int fallback) const;
    // Whether the stored value of key is certainly text, so that writing text changes nothing.
    bool Holds(std::wstring_view key, std::wstring_view text) const;

private:
    struct Entry {
        std::size_t begin;
        std::size_t nameLength;
        std::size_t valueBegin; // npos when the entry has no '='
        std::size_t valueLength;
    };

    std::wstring_view Name(const Entry& entry) const;
    std::wstring_view Value(const Entry& entry) const;

    std::wstring m_text;
    std::vector<Entry> m_entries;
    bool m_complete = true;
};
