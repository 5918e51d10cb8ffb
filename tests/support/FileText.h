// Whole-file reads and writes for fixtures, byte for byte.
#pragma once

#include "framework/Handles.h"

#include <windows.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

// A build path the build hands over (ASCII, with forward slashes) as a Windows path.
inline std::wstring WindowsPath(const std::string& path)
{
    std::wstring result(path.begin(), path.end());
    for (wchar_t& c : result)
        if (c == L'/')
            c = L'\\';
    return result;
}

inline std::string ReadFileBytes(const std::wstring& path)
{
    std::ifstream in(std::filesystem::path(path), std::ios::binary);
    std::ostringstream out;
    out << in.rdbuf();
    return out.str();
}

inline void WriteFileBytes(const std::wstring& path, const std::string& bytes)
{
    std::ofstream out(std::filesystem::path(path), std::ios::binary | std::ios::trunc);
    out << bytes;
}

inline bool FileExists(const std::wstring& path)
{
    return ::GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

// Moves the file's last write time on by the given seconds, so a rewrite of the same size
// within the file system's time resolution still shows as a change.
inline bool MoveWriteTimeOn(const std::wstring& path, unsigned seconds)
{
    constexpr ULONGLONG kTicksPerSecond = 10000000; // FILETIME counts 100 ns
    const FileHandle file(::CreateFileW(path.c_str(), FILE_WRITE_ATTRIBUTES | FILE_READ_ATTRIBUTES, FILE_SHARE_READ,
                                        nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    FILETIME written{};
    if (!file || !::GetFileTime(file.get(), nullptr, nullptr, &written))
        return false;
    ULARGE_INTEGER time{{written.dwLowDateTime, written.dwHighDateTime}};
    time.QuadPart += seconds * kTicksPerSecond;
    written = {time.LowPart, time.HighPart};
    return ::SetFileTime(file.get(), nullptr, nullptr, &written) != FALSE;
}
