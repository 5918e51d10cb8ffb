// A copy of the built program folder in a temporary folder, for a test to break files in: the
// program finds its skin beside its own executable, so the copy's executable reads the copy.
#pragma once

#include "ProgramUnderTest.h"

#include <windows.h>

#include <shellapi.h>

#include <filesystem>
#include <string>

namespace hostile {

class ProgramFolderCopy {
public:
    ProgramFolderCopy()
    {
        std::wstring from = TestProgramFolder();
        from.back() = L'\0'; // the trailing backslash goes; SHFileOperation takes double-terminated lists
        from.push_back(L'\0');
        std::wstring to = m_parent.path();
        to.push_back(L'\0');
        SHFILEOPSTRUCTW op{};
        op.wFunc = FO_COPY;
        op.pFrom = from.c_str();
        op.pTo = to.c_str();
        op.fFlags = FOF_NO_UI;
        m_copied = ::SHFileOperationW(&op) == 0 && FileExists(Exe());
    }

    bool Copied() const noexcept { return m_copied; }
    // A path inside the copy, relative to the program folder.
    std::wstring operator/(const std::wstring& relative) const { return m_parent / (L"VeldrianRGB\\" + relative); }
    std::wstring Exe() const { return *this / L"VeldrianRGB.exe"; }

    // Every file under the relative folder, recursively.
    template <class Visit>
    void ForEachFile(const std::wstring& relative, Visit visit) const
    {
        for (const auto& entry : std::filesystem::recursive_directory_iterator(*this / relative))
            if (entry.is_regular_file())
                visit(entry.path().wstring());
    }

private:
    TempFolder m_parent;
    bool m_copied = false;
};

} // namespace hostile
