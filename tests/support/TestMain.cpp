// Entry point of every test program: the process-wide set-up the program itself makes at start.
#include <windows.h>

#include <commctrl.h>
#include <gdiplus.h>

#include <gmock/gmock.h>

#include "FileText.h"
#include "ServiceProbe.h"
#include "UserSettings.h"

#include "base/Paths.h"

#include <optional>
#include <string>

namespace {

// What a test may change outside itself, put back when it ends: the user's settings file in
// the build's prefix (several suites plant files there, hostile ones among them, where the
// service and the program find them), the folders the program's test seams point at, and the
// current folder. Each test then starts from what it plants, never from what the test before
// it left, and a later start of the program shows the user's own settings.
class TestStateKept : public ::testing::EmptyTestEventListener {
public:
    void OnTestStart(const ::testing::TestInfo&) override
    {
        m_settings = FileExists(UserSettingsFile()) ? std::optional(ReadFileBytes(UserSettingsFile())) : std::nullopt;
        m_programFolder = ProgramFolder();
        m_appData = AppDataOfSettingsFile(SettingsFilePath());
        m_currentFolder = CurrentFolder();
    }

    void OnTestEnd(const ::testing::TestInfo&) override
    {
        if (m_settings) {
            EnsureUserDataFolder();
            WriteFileBytes(UserSettingsFile(), *m_settings);
        } else {
            ::DeleteFileW(UserSettingsFile().c_str());
        }
        SetProgramFolderForTesting(m_programFolder);
        InitProgramFolder();
        SetAppDataFolderForTesting(m_appData);
        if (!m_appData.empty())
            InitDataFolder();
        InitSettingsFilePath();
        ::SetCurrentDirectoryW(m_currentFolder.c_str());
    }

private:
    // The application-data folder a settings path lies under; empty for no path.
    static std::wstring AppDataOfSettingsFile(const std::wstring& path)
    {
        const std::wstring tail = std::wstring(kCompanyFolder) + kSettingsFileName;
        return path.ends_with(tail) ? path.substr(0, path.size() - tail.size()) : std::wstring();
    }

    static std::wstring CurrentFolder()
    {
        wchar_t folder[MAX_PATH] = {};
        ::GetCurrentDirectoryW(MAX_PATH, folder);
        return folder;
    }

    std::optional<std::string> m_settings;
    std::wstring m_programFolder;
    std::wstring m_appData;
    std::wstring m_currentFolder;
};

} // namespace

int main(int argc, char** argv)
{
    ::testing::InitGoogleMock(&argc, argv);
    ::testing::UnitTest::GetInstance()->listeners().Append(new TestStateKept); // gtest owns it

    const INITCOMMONCONTROLSEX controls{sizeof(INITCOMMONCONTROLSEX), ICC_WIN95_CLASSES};
    ::InitCommonControlsEx(&controls);
    Gdiplus::GdiplusStartupInput input;
    ULONG_PTR token = 0;
    Gdiplus::GdiplusStartup(&token, &input, nullptr);

    const int result = RUN_ALL_TESTS();

    Gdiplus::GdiplusShutdown(token);
    return result;
}
