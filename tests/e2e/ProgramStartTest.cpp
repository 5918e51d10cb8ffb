// Starting the real program: the first-run settings file and the single instance.
#include "FileText.h"
#include "Poll.h"
#include "ProgramProcess.h"
#include "ServiceProbe.h"
#include "UserSettings.h"

#include <shellapi.h>

#include <gtest/gtest.h>

namespace {

constexpr const wchar_t* kCaption = L"VELDRIAN RGB Control_Config";

void RemoveTree(const std::wstring& folder)
{
    std::wstring from = folder;
    from.push_back(L'\0');
    SHFILEOPSTRUCTW op{};
    op.wFunc = FO_DELETE;
    op.pFrom = from.c_str();
    op.fFlags = FOF_NO_UI;
    ::SHFileOperationW(&op);
}

// The first-run file: five sections, every key, 17 records per group.
std::string FirstRunFileText()
{
    const std::string record =
        "01000000010000000800000000000000FF000000FFFF000000FF000000FFFF000000FF00FF00FF00FFFFFF007D007D00"
        "0000000000000000F8";
    std::string text = "[Setting]\r\nShow_TrayIcon=1\r\nShow_OSD=1\r\nlan_id=1\r\nled_sw=1\r\naudio_sw=0\r\n"
                       "razer_sw=1\r\nsync_sw=0\r\nCurrentProfile=0\r\nfMusicInfo="
                       "FF000000FFFF000000FF000000FFFF000000FF00FF00FF00FFFFFF007D007D000A0000000000000008000000000000"
                       "0000\r\n";
    for (int profile = 0; profile < 4; ++profile) {
        text += "[Profile" + std::to_string(profile) + "Setting]\r\n";
        for (const char* suffix : {"", "_SSD"}) {
            text += std::string("Synchronize") + suffix + "=1\r\nDevNum" + suffix + "=2\r\n";
            for (int k = 0; k < 17; ++k)
                text += std::string("EffectInfo") + suffix + std::to_string(k) + "=" + record + "\r\n";
        }
    }
    return text;
}

// Each start finds no service running and leaves none behind.
class ProgramStart : public testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(service::StopAll()); }
    void TearDown() override { EXPECT_TRUE(service::StopAll()); }
};

} // namespace

TEST_F(ProgramStart, FirstStartWritesTheFirstRunSettingsFile)
{
    const std::wstring company = service::RoamingAppData() + L"\\VELDRIAN";
    RemoveTree(company);
    ASSERT_FALSE(FileExists(company));

    ProgramProcess program;
    ASSERT_TRUE(program.Started());
    ASSERT_NE(program.WaitForWindow(kCaption), nullptr);
    const std::string written = ReadFileBytes(company + L"\\VELDRIAN RGB Control\\config");
    EXPECT_EQ(written.size(), FirstRunFileText().size());
    EXPECT_TRUE(written == FirstRunFileText()) << written.substr(0, 400);
}

TEST_F(ProgramStart, ASecondInstanceEndsAtOnceAndLeavesTheFirstAlone)
{
    PlantUserSettings(EnglishFirstRunSettings());
    ProgramProcess first;
    HWND window = first.WaitForWindow(kCaption);
    ASSERT_NE(window, nullptr);

    ProgramProcess second;
    ASSERT_TRUE(second.Started());
    EXPECT_EQ(second.WaitForExit(), 0u);
    EXPECT_TRUE(first.Running());
    EXPECT_EQ(::FindWindowW(nullptr, kCaption), window) << "the first window is still the only one";
    EXPECT_TRUE(::IsWindowVisible(window));
}

// Starting the program again is how a person looks for its window: the second start hands its
// right to the foreground to the first and asks it to show itself, then ends with code 0.
TEST_F(ProgramStart, ASecondStartShowsTheFirstWindowAtTheFront)
{
    PlantUserSettings(EnglishFirstRunSettings());
    ProgramProcess first;
    const HWND window = first.WaitForWindow(kCaption);
    ASSERT_NE(window, nullptr);
    ::ShowWindow(window, SW_MINIMIZE);
    ASSERT_TRUE(poll::Until([&] { return ::IsIconic(window) != FALSE; }));

    ProgramProcess second;
    ASSERT_TRUE(second.Started());
    EXPECT_EQ(second.WaitForExit(), 0u);
    EXPECT_TRUE(poll::PumpUntil([&] { return !::IsIconic(window) && ::GetForegroundWindow() == window; }));
    EXPECT_EQ(::FindWindowW(nullptr, kCaption), window) << "still the only window";
}
