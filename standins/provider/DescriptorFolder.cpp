// Reading a folder of descriptor files.
#include "DescriptorFolder.h"

#include <windows.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <system_error>

namespace {

namespace fs = std::filesystem;

constexpr std::string_view kUtf8ByteOrderMark = "\xEF\xBB\xBF";

bool SameTextIgnoringCase(const std::wstring& a, const wchar_t* b)
{
    return ::CompareStringOrdinal(a.c_str(), -1, b, -1, TRUE) == CSTR_EQUAL;
}

bool NameComesFirst(const fs::path& a, const fs::path& b)
{
    const std::wstring nameA = a.filename().wstring();
    const std::wstring nameB = b.filename().wstring();
    return ::CompareStringOrdinal(nameA.c_str(), -1, nameB.c_str(), -1, TRUE) == CSTR_LESS_THAN;
}

std::wstring WideFromUtf8(std::string_view text)
{
    if (text.starts_with(kUtf8ByteOrderMark))
        text.remove_prefix(kUtf8ByteOrderMark.size());
    if (text.empty())
        return {};
    const int length = ::MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
    std::wstring wide(static_cast<size_t>(length), L'\0');
    ::MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), wide.data(), length);
    return wide;
}

std::wstring ReadTextFile(const fs::path& file)
{
    std::ifstream in(file, std::ios::binary);
    const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    return WideFromUtf8(bytes);
}

} // namespace

std::vector<Descriptor> ReadDescriptorFolder(const std::wstring& folder)
{
    std::vector<fs::path> files;
    std::error_code error;
    for (const fs::directory_entry& entry : fs::directory_iterator(folder, error)) {
        const std::wstring extension = entry.path().extension().wstring();
        if (entry.is_regular_file(error) &&
            (SameTextIgnoringCase(extension, L".xml") || SameTextIgnoringCase(extension, L".null")))
            files.push_back(entry.path());
    }
    std::sort(files.begin(), files.end(), NameComesFirst);

    std::vector<Descriptor> descriptors;
    for (const fs::path& file : files) {
        if (SameTextIgnoringCase(file.extension().wstring(), L".null"))
            descriptors.emplace_back(std::nullopt);
        else
            descriptors.emplace_back(ReadTextFile(file));
    }
    return descriptors;
}
