// The effect panel of the real main window: the mode list, what each display shows, the
// switches, reset, Apply and closing, driven through the window's own messages.
#include "MainWindowFixture.h"
#include "ServiceProbe.h"
#include "FileText.h"
#include "WindowShot.h"

#include <gmock/gmock.h>

namespace {

class EffectPanel : public MainWindowFixture {};

bool IsSomewhere(const CWnd& control)
{
    const RECT r = control.GetWindowRect();
    return r.right > r.left && r.bottom > r.top;
}

} // namespace

TEST_F(EffectPanel, ModeTwelveScrollsTheListSoModesFiveToTwelveShow)
{
    AddDramModules(2, 8);
    FirstRecord().mode = 12;
    Open();
    auto w = Window();

    EXPECT_EQ(w.modeScroll().GetPos(), 4);
    for (int mode = 0; mode < kModeCount; ++mode)
        EXPECT_EQ(IsSomewhere(w.mode(mode)), mode >= 5 && mode <= 12) << "mode " << mode;
    RECT last = w.mode(12).GetWindowRect();
    ::MapWindowPoints(nullptr, *m_dialog, reinterpret_cast<POINT*>(&last), 2);
    EXPECT_EQ(last.top, w.modeListRect().top + 7 * 37) << "mode 12 stands in the last of the eight rows";
    EXPECT_TRUE(w.mode(12).IsSelected());

    PostSlider(kModeScrollId, 0);
    EXPECT_TRUE(IsSomewhere(w.mode(1)));
    EXPECT_FALSE(IsSomewhere(w.mode(12)));
}

TEST_F(EffectPanel, ShowsWhatTheModeOffers)
{
    struct Case {
        int mode;
        int ledCount;
        bool colours, speed, variant;
        int slotsShown;
        bool sameColourShown;
    };
    const Case cases[] = {
        {3, 8, true, true, false, 8, true},  {5, 8, false, true, true, 0, false},
        {7, 8, true, true, false, 1, false}, {14, 8, false, false, false, 0, false},
        {0, 3, true, false, false, 3, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE("mode " + std::to_string(c.mode) + ", " + std::to_string(c.ledCount) + " LEDs");
        AddDramModules(2, c.ledCount);
        FirstRecord().mode = c.mode;
        Open();
        auto w = Window();
        EXPECT_EQ(IsShown(w.red()), c.colours);
        EXPECT_EQ(IsShown(w.hue()), c.colours);
        EXPECT_EQ(IsShown(w.hexField()), c.colours);
        EXPECT_EQ(IsShown(w.preset(0)), c.colours);
        EXPECT_EQ(IsShown(w.speed()), c.speed);
        EXPECT_EQ(IsShown(w.variant(0)), c.variant);
        EXPECT_EQ(IsShown(w.sameColour()), c.sameColourShown);
        int shown = 0;
        for (int i = 0; i < kColourSlots; ++i)
            shown += IsShown(w.slot(i)) ? 1 : 0;
        EXPECT_EQ(shown, c.slotsShown);
        EXPECT_EQ(w.record().ledCount, c.ledCount) << "the discovered LED count reaches the record";
        EXPECT_FALSE(IsShown(w.level()));
        EXPECT_FALSE(IsShown(w.razerSwitch()));
        m_dialog->DestroyWindow();
    }
}

TEST_F(EffectPanel, HorizontalSliderThumbsSitAtTheTopEdge)
{
    Open();
    auto w = Window();
    for (CPngHSliderBar* slider :
         {&w.red(), &w.green(), &w.blue(), &w.saturation(), &w.brightness(), &w.speed(), &w.level()})
        EXPECT_TRUE(slider->IsThumbAtTop()) << slider->GetControlId();
}

TEST_F(EffectPanel, MusicModeTakesOverThePanelAndGivesItBack)
{
    AddDramModules(2, 8);
    FirstRecord().mode = 4; // no colours in the normal display
    Open();
    auto w = Window();

    Click(w.audioSwitch());
    EXPECT_EQ(Live().audio_sw, 1);
    EXPECT_TRUE(IsShown(w.level()));
    EXPECT_TRUE(IsShown(w.red())) << "music offers colours";
    EXPECT_TRUE(IsShown(w.variant(0)));
    EXPECT_FALSE(IsShown(w.speed()));
    EXPECT_FALSE(w.mode(4).IsWindowEnabled());
    EXPECT_FALSE(w.group(0).IsWindowEnabled());
    for (int p = 0; p < kProfileCount; ++p) {
        EXPECT_FALSE(w.profile(p).IsSelected());
        EXPECT_TRUE(w.profile(p).IsWindowEnabled());
    }
    EXPECT_TRUE(SaveWindowShot(*m_dialog, L"main-music"));

    Click(w.audioSwitch());
    EXPECT_EQ(Live().audio_sw, 0);
    EXPECT_FALSE(IsShown(w.level()));
    EXPECT_FALSE(IsShown(w.red()));
    EXPECT_TRUE(w.mode(4).IsWindowEnabled());
    EXPECT_TRUE(w.profile(0).IsSelected());
}

TEST_F(EffectPanel, MusicModeTurnsExternalSynchronisationOff)
{
    AddDramModules(2, 8);
    m_block.sync_sw = 1;
    Open();
    auto w = Window();
    EXPECT_TRUE(IsShown(w.razerSwitch()));
    EXPECT_FALSE(IsShown(w.red()));
    EXPECT_FALSE(IsShown(w.syncSwitch())) << "synchronisation is switched by other programs only";
    EXPECT_TRUE(SaveWindowShot(*m_dialog, L"main-sync"));

    Click(w.audioSwitch());
    EXPECT_EQ(Live().audio_sw, 1);
    EXPECT_EQ(Live().sync_sw, 0);
    EXPECT_FALSE(w.syncSwitch().IsSelected());
    EXPECT_FALSE(IsShown(w.razerSwitch()));
}

TEST_F(EffectPanel, SwitchesChangeOnlyTheirSetting)
{
    AddDramModules(2, 8);
    m_block.sync_sw = 1;
    Open();
    auto w = Window();

    Click(w.razerSwitch());
    EXPECT_EQ(Live().razer_sw, 0) << "the first-run value 1 is turned off";
    Click(w.ledSwitch());
    EXPECT_EQ(Live().led_sw, 0);
    EXPECT_TRUE(w.ledSwitch().IsSelected()) << "selected while the lighting is off";
    Click(w.ledSwitch());
    EXPECT_EQ(Live().led_sw, 1);
    EXPECT_EQ(Live().sync_sw, 1);
}

TEST_F(EffectPanel, ResetRestoresTheEditedRecord)
{
    AddDramModules(2, 3);
    FirstRecord().mode = 2;
    FirstRecord().speed = kSpeedSteps[4];
    FirstRecord().sameColour = 1;
    FirstRecord().colours[1] = 0x111111;
    m_block.fMusicInfo.ledCount = 5;
    m_block.fMusicInfo.level = 40;
    m_block.fMusicInfo.colours[0] = 0x123456;
    Open();
    auto w = Window();

    Click(w.reset());
    EXPECT_EQ(w.record().mode, 2) << "the mode stays";
    EXPECT_EQ(w.record().speed, 0);
    EXPECT_EQ(w.record().sameColour, 0);
    EXPECT_EQ(w.record().ledCount, 3) << "the refresh writes the discovered LED count again";
    EXPECT_EQ(w.record().colours[1], kDefaultPalette[1]);
    EXPECT_EQ(Live().fMusicInfo.colours[0], 0x123456u) << "the music record is not the one edited";

    Click(w.audioSwitch());
    const EffectInfo before = w.record();
    Click(w.reset());
    EXPECT_EQ(Live().fMusicInfo.ledCount, 5) << "the music record keeps its LED count";
    EXPECT_EQ(Live().fMusicInfo.colours[0], kDefaultPalette[0]);
    EXPECT_EQ(Live().fMusicInfo.level, kMusicLevelDefault);
    EXPECT_TRUE(EffectInfoEquals(w.record(), before));
}

TEST_F(EffectPanel, ModeChoiceAndApplyReachTheFileAndTheService)
{
    AddDramModules(2, 8);
    Open();
    auto w = Window();
    ASSERT_TRUE(service::WaitUntil([] { return service::Windows().size() == 1; }));
    const std::set<DWORD> before = service::ProcessIds();

    PostSlider(kModeScrollId, 0);
    Click(w.mode(3));
    EXPECT_EQ(w.record().mode, 3);
    EXPECT_EQ(w.modeName(), w.mode(3).GetCaption());
    PostSlider(kSliderSpeedId, 2);
    Click(w.variant(1));
    EXPECT_EQ(w.record().speed, FirstRecord().speed) << "speed waits for Apply";

    Click(w.apply());
    EXPECT_EQ(w.record().speed, kSpeedSteps[2]);
    EXPECT_EQ(w.record().variant, 1);
    EXPECT_TRUE(w.apply().IsWindowEnabled()) << "enabled again once applied";
    SettingsBlock stored{}, saved{};
    LoadSettings(SettingsFilePath(), stored, saved);
    EXPECT_EQ(stored.profiles[0].dram.effects[0].mode, 3);
    EXPECT_EQ(stored.profiles[0].dram.effects[0].speed, kSpeedSteps[2]);
    EXPECT_TRUE(ProfileEquals(m_dialog->SavedSettings().current(), m_dialog->LiveSettings().current()));
    EXPECT_TRUE(service::WaitUntil([&] {
        return service::ProcessIds().size() == 1 && service::ProcessIds() != before;
    })) << "the service was restarted";
}

TEST_F(EffectPanel, SystemCloseAppliesAndTheCloseButtonDoesNot)
{
    AddDramModules(2, 8);
    for (const bool systemClose : {true, false}) {
        SCOPED_TRACE(systemClose ? "Alt+F4" : "close button");
        FirstRecord().mode = 1;
        Open();
        auto w = Window();
        PostSlider(kModeScrollId, 0);
        Click(w.mode(6));
        const std::string fileBefore = ReadFileBytes(SettingsFilePath());

        if (systemClose)
            m_dialog->SendMessage(WM_SYSCOMMAND, SC_CLOSE, 0); // what Alt+F4 and the taskbar send
        else
            Click(w.close());
        Pump();

        SettingsBlock stored{}, saved{};
        LoadSettings(SettingsFilePath(), stored, saved);
        EXPECT_EQ(stored.profiles[0].dram.effects[0].mode, systemClose ? 6 : 1);
        EXPECT_EQ(ReadFileBytes(SettingsFilePath()) == fileBefore, !systemClose);
        EXPECT_NE(m_dialog->ModalResult(), -1) << "the dialog ended";
        if (!systemClose) {
            EXPECT_EQ(m_dialog->ModalResult(), IDCANCEL);
        }
        m_dialog->DestroyWindow();
    }
}
