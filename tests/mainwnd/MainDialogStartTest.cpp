// Creating the main window: DRAM discovery through the registered stand-in provider, the
// available groups, the service started once, the program folder made current.
#include "mainwnd/HalcyDlg.h"

#include "ProgramFolderFixture.h"

#include <gmock/gmock.h>

namespace {

class MainDialogStart : public ProgramFolderFixture {};

std::wstring CurrentFolder()
{
    wchar_t folder[MAX_PATH] = {};
    ::GetCurrentDirectoryW(MAX_PATH, folder);
    return std::wstring(folder) + L"\\";
}

} // namespace

TEST_F(MainDialogStart, FindsTheDemoModulesOffersDramAndStartsTheService)
{
    ::SetCurrentDirectoryW(L"C:\\");
    CHalcyDlg dialog;
    ASSERT_TRUE(dialog.Create());

    const DeviceList& devices = dialog.Devices();
    ASSERT_EQ(devices.DeviceCount(kGroupDram), 2);
    const DeviceRecord& first = devices.Documents(kGroupDram)[0].devices.at(0);
    EXPECT_EQ(first.name, "VELDRIAN DDR5-6000 16GB RGB (DIMM A2)");
    EXPECT_EQ(first.led_count, 10);
    EXPECT_EQ(first.ledNames.size(), 10u);
    EXPECT_FALSE(first.effects.empty());
    EXPECT_EQ(devices.Documents(kGroupDram)[1].devices.at(0).name, "VELDRIAN DDR5-6000 16GB RGB (DIMM B2)");
    EXPECT_EQ(devices.DeviceCount(kGroupSsd), 0) << "SSD discovery waits for the warning dialog";

    EXPECT_THAT(dialog.AvailableGroups(), testing::ElementsAre(kGroupDram));
    EXPECT_EQ(dialog.CurrentGroup(), kGroupDram);
    EXPECT_TRUE(SamePath(CurrentFolder(), TestProgramFolder())) << CurrentFolder();

    // The start is made while the window is created: the process exists by now.
    EXPECT_EQ(service::ProcessIds().size(), 1u);
    EXPECT_TRUE(service::WaitUntil([] { return service::Windows().size() == 1; }));
    dialog.DestroyWindow();
}

TEST_F(MainDialogStart, StartsNoSecondServiceWhileOneRuns)
{
    StartLightingService();
    ASSERT_TRUE(service::WaitUntil([] { return service::Windows().size() == 1; }));
    const std::set<DWORD> running = service::ProcessIds();

    CHalcyDlg dialog;
    ASSERT_TRUE(dialog.Create());
    EXPECT_EQ(service::ProcessIds(), running);
    dialog.DestroyWindow();
}
