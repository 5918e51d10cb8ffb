// Whole-file reads and writes for fixtures, byte for byte.
#pragma once

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
