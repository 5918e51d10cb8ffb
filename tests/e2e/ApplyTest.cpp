// A person edits the effect with the mouse and presses Apply: the settings file holds the
// edit and the restarted service has read it.
#include "InputDriver.h"
#include "Poll.h"
#include "ProgramProcess.h"
#include "ServiceProbe.h"
#include "SkinPlaces.h"
#include "UserSettings.h"

#include "settings/SettingsStore.h"

#include <gmock/gmock.h>

#include <string>

namespace {

constexpr const wchar_t* kCaption = L"VELDRIAN RGB Control_Config";
constexpr int kModeRowSpacing = 37;

void ClickSkin(HWND wnd, const wchar_t* section, const wchar_t* key, int dy = 0)
{
    const POINT p = Centre(SkinPlace(section, key), dy);
    input::ClickAt(wnd, p.x, p.y);
}

} // namespace

TEST(ApplyEndToEnd, ColourAndModeReachTheFileAndTheRestartedService)
{
    ASSERT_TRUE(service::StopAll());
    const std::wstring settingsFile = UserSettingsFile();
    const SettingsBlock start = EnglishFirstRunSettings(); // English: the skin the places are read from
    PlantUserSettings(start);

    {
        ProgramProcess program;
        const HWND wnd = program.WaitForWindow(kCaption);
        ASSERT_NE(wnd, nullptr);
        ASSERT_TRUE(service::WaitUntil([] { return service::Windows().size() == 1; }));
        const size_t logLines = service::LogLines().size();
        ::SetForegroundWindow(wnd);
        ASSERT_TRUE(poll::Until([&] { return ::GetForegroundWindow() == wnd; }));

        // The list shows modes 1 to 8 from its top row ("LED" "2"): mode 3 is the third row.
        ClickSkin(wnd, L"LED", L"2", 2 * kModeRowSpacing);
        ClickSkin(wnd, L"LED", L"53"); // the green preset into the selected slot 0
        ClickSkin(wnd, L"MAIN", L"4"); // Apply

        ASSERT_TRUE(service::WaitUntil([&] { return service::LogLines().size() > logLines; }));
        SettingsBlock stored{}, saved{};
        LoadSettings(settingsFile, stored, saved);
        const EffectInfo& record = stored.profiles[0].dram.effects[0]; // two modules, synchronised
        EXPECT_EQ(record.mode, 3);
        EXPECT_EQ(record.colours[0], 0x0000FF00u);
        EXPECT_EQ(record.colours[1], start.profiles[0].dram.effects[0].colours[1]);

        const std::string line = service::LogLinesSince(logLines).back();
        EXPECT_THAT(line, testing::HasSubstr("settings=read"));
        EXPECT_THAT(line, testing::HasSubstr(" record=0 mode=3 "));
        EXPECT_THAT(line, testing::HasSubstr("colours=0000FF00,"));
        EXPECT_TRUE(program.Running()) << "Apply keeps the window open";
    } // the program ends here
    EXPECT_TRUE(service::StopAll());
}
