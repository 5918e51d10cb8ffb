// Main-window tests over the built program folder (with the stand-in service and provider)
// and the user's real data folder, which the stand-in service reads and logs to as well.
// Every test starts with no service running and a settings file of its own, and leaves no
// service behind.
#pragma once

#include "base/Paths.h"

#include "ProgramProcess.h"
#include "ServiceProbe.h"
#include "UserSettings.h"

#include <gtest/gtest.h>

#include <shellapi.h>

#include <string>

// Copies the built program folder's content into folder (a path with its trailing backslash),
// for a test that changes its skin.
inline bool CopyTestProgramFolder(const std::wstring& folder)
{
    std::wstring from = TestProgramFolder() + L"*";
    from.push_back(L'\0');
    std::wstring to = folder;
    to.push_back(L'\0'); // SHFileOperation takes double-terminated lists
    SHFILEOPSTRUCTW copy{};
    copy.wFunc = FO_COPY;
    copy.pFrom = from.c_str();
    copy.pTo = to.c_str();
    copy.fFlags = FOF_NO_UI;
    return ::SHFileOperationW(&copy) == 0;
}

inline bool SamePath(const std::wstring& a, const std::wstring& b)
{
    return ::CompareStringOrdinal(a.c_str(), -1, b.c_str(), -1, TRUE) == CSTR_EQUAL;
}

class ProgramFolderFixture : public testing::Test {
protected:
    // The user's settings file holds the first-run values in English, whatever an earlier test
    // or start left there (the test program puts the user's own file back at each test's end).
    void SetUp() override
    {
        SetProgramFolderForTesting(TestProgramFolder());
        InitProgramFolder();
        SetAppDataFolderForTesting(service::RoamingAppData());
        InitDataFolder();
        InitSettingsFilePath();
        ASSERT_TRUE(service::StopAll());
        PlantUserSettings(EnglishFirstRunSettings());
    }
    void TearDown() override { EXPECT_TRUE(service::StopAll()); }
};
