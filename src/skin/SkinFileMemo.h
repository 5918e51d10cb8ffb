// SkinFileMemo: what the lookups and pictures of one skin file gave. Every paint of the main window
// and every rebuild asks the same questions again, and the platform answers each INI lookup by
// opening and reading the file anew, each picture by decoding it anew.
#pragma once

#include "skin/FileStamp.h"

#include <windows.h>

#include <map>
#include <string>
#include <tuple>
#include <vector>

class SkinFileMemo {
public:
    // A decoded picture: 32-bit premultiplied ARGB rows, top-down, width * 4 bytes each.
    struct Picture {
        int width = 0;
        int height = 0;
        std::vector<BYTE> pixels;
    };

    explicit SkinFileMemo(const FileStamp& stamp) noexcept : m_stamp(stamp) {}

    // The stamp of the skin file when the memo began: it serves only that version.
    const FileStamp& Stamp() const noexcept { return m_stamp; }

    // The value a lookup of section/key with this default gave (the default belongs to the
    // question: it is the answer when the key is missing); null before the first lookup.
    const std::wstring* FindValue(const wchar_t* section, const wchar_t* key, const wchar_t* defaultValue) const;
    void KeepValue(const wchar_t* section, const wchar_t* key, const wchar_t* defaultValue, std::wstring value);

    // Pictures by file path. One larger than any skin's is not for keeping: its caller draws it
    // once and lets it go.
    static bool Keeps(UINT width, UINT height) noexcept;
    const Picture* FindPicture(const std::wstring& path) const;
    const Picture& KeepPicture(const std::wstring& path, Picture&& picture);

private:
    using Question = std::tuple<std::wstring, std::wstring, std::wstring>;
    static Question Ask(const wchar_t* section, const wchar_t* key, const wchar_t* defaultValue);

    FileStamp m_stamp;
    std::map<Question, std::wstring> m_values;
    std::map<std::wstring, Picture> m_pictures;
};
