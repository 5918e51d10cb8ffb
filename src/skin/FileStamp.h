// FileStamp: a file's size and last write time, which tell whether what was read from it earlier is
// still what it holds.
#pragma once

#include <windows.h>

#include <optional>
#include <string>

struct FileStamp {
    FILETIME written{};
    ULONGLONG bytes = 0;

    bool operator==(const FileStamp& other) const noexcept
    {
        return ::CompareFileTime(&written, &other.written) == 0 && bytes == other.bytes;
    }
};

// Nothing for a folder, or a name that is missing or cannot be read.
inline std::optional<FileStamp> FileStampOf(const std::wstring& path)
{
    WIN32_FILE_ATTRIBUTE_DATA attributes{};
    if (!::GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &attributes) ||
        (attributes.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
        return std::nullopt;
    return FileStamp{attributes.ftLastWriteTime, (ULONGLONG(attributes.nFileSizeHigh) << 32) | attributes.nFileSizeLow};
}
