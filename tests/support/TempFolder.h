// A fresh folder under the system's temporary folder, removed with everything in it at scope end.
#pragma once

#include <windows.h>

#include <shellapi.h>

#include <string>

class TempFolder {
public:
    TempFolder()
    {
        wchar_t base[MAX_PATH];
        ::GetTempPathW(MAX_PATH, base);
        static unsigned counter = 0;
        for (;;) {
            m_path = std::wstring(base) + L"veldrian-test-" + std::to_wstring(::GetCurrentProcessId()) + L"-" +
                     std::to_wstring(++counter) + L"\\";
            if (::CreateDirectoryW(m_path.c_str(), nullptr))
                break;
        }
    }
    ~TempFolder()
    {
        std::wstring from = m_path;
        from.pop_back();
        from.push_back(L'\0'); // SHFileOperation takes a double-terminated list
        SHFILEOPSTRUCTW op{};
        op.wFunc = FO_DELETE;
        op.pFrom = from.c_str();
        op.fFlags = FOF_NO_UI;
        ::SHFileOperationW(&op);
    }
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    // The folder with a trailing backslash.
    const std::wstring& path() const noexcept { return m_path; }
    std::wstring operator/(const std::wstring& name) const { return m_path + name; }

private:
    std::wstring m_path;
};
