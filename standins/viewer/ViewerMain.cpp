// viewer.exe <document>: appends one line with the document's path to viewer.log in the
// program's data folder and ends, as a document viewer that opened it would leave a trace.
#include "base/Paths.h"

#include "framework/Handles.h"

#include <windows.h>

#include <string>

namespace {

constexpr const wchar_t* kViewerLogName = L"viewer.log";

std::string Utf8(const std::wstring& text)
{
    const int bytes =
        ::WideCharToMultiByte(CP_UTF8, 0, text.c_str(), static_cast<int>(text.size()), nullptr, 0, nullptr, nullptr);
    std::string out(static_cast<size_t>(bytes), '\0');
    ::WideCharToMultiByte(CP_UTF8, 0, text.c_str(), static_cast<int>(text.size()), out.data(), bytes, nullptr, nullptr);
    return out;
}

} // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, LPWSTR commandLine, int)
{
    InitDataFolder();
    std::wstring document = commandLine ? commandLine : L"";
    if (document.size() >= 2 && document.front() == L'"' && document.back() == L'"')
        document = document.substr(1, document.size() - 2);
    const FileHandle log(::CreateFileW((DataFolder() + kViewerLogName).c_str(), FILE_APPEND_DATA, FILE_SHARE_READ,
                                       nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!log)
        return 1;
    const std::string line = Utf8(document) + "\r\n";
    DWORD written = 0;
    return ::WriteFile(log.get(), line.data(), static_cast<DWORD>(line.size()), &written, nullptr) ? 0 : 1;
}
