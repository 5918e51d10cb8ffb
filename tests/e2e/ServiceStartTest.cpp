// The real program and the stand-in service: one service started with the program, none
// more while it runs, and the service left running when the program ends.
#include "ProgramProcess.h"
#include "ServiceProbe.h"
#include "UserSettings.h"

#include <gtest/gtest.h>

namespace {

constexpr const wchar_t* kCaption = L"VELDRIAN RGB Control_Config";

} // namespace

TEST(ServiceStart, TheProgramStartsTheServiceOnceAndLeavesItRunning)
{
    ASSERT_TRUE(service::StopAll());
    PlantUserSettings(EnglishFirstRunSettings());
    {
        ProgramProcess program;
        ASSERT_NE(program.WaitForWindow(kCaption), nullptr);
        EXPECT_EQ(service::ProcessIds().size(), 1u);
    } // the program ends here
    ASSERT_TRUE(service::WaitUntil([] { return service::Windows().size() == 1; }));
    const std::set<DWORD> running = service::ProcessIds();
    EXPECT_EQ(running.size(), 1u) << "the service outlives the program";

    {
        // The window shows after its creation, where the service would have been started.
        ProgramProcess again;
        ASSERT_NE(again.WaitForWindow(kCaption), nullptr);
        EXPECT_EQ(service::ProcessIds(), running);
    }
    EXPECT_TRUE(service::StopAll());
}
