// User journeys: what people do with the window, each checked where it ends up, in the
// settings file and in what the restarted lighting service read.
#include "JourneyFixture.h"

#include <gmock/gmock.h>

using namespace journey;
using testing::HasSubstr;

namespace {

constexpr int kDeviceRowHeight = 24;
constexpr int kLanguageRowHeight = 20;
constexpr ColourWord kDefaultSlot3 = 0x00FFFF00; // cyan, as every new record has it

const EffectInfo& FirstDramRecord(const SettingsBlock& block)
{
    return block.profiles[0].dram.effects[0]; // two modules, synchronised
}

} // namespace

// A colour typed into the hexadecimal field is what the lights get, however the person goes
// on: the Apply button, the help key, or closing the window the system's way.
TEST_F(Journey, ATypedHexColourReachesTheLightsHoweverThePersonGoesOn)
{
    const struct {
        const char* ending;
        void (*finish)(Journey&);
        bool programEnds;
    } endings[] = {
        {"Apply", [](Journey& j) { j.Click(L"MAIN", L"4"); }, false},
        {"F1", [](Journey&) { input::Tap(VK_F1); }, true},
        {"Alt+F4",
         [](Journey&) {
             input::Key(VK_MENU, false);
             input::Tap(VK_F4);
             input::Key(VK_MENU, true);
         },
         true},
    };
    for (const auto& row : endings) {
        SCOPED_TRACE(row.ending);
        ASSERT_NO_FATAL_FAILURE(Start());
        const size_t lines = service::LogLines().size();
        DoubleClick(L"LED", L"34"); // selects the whole code
        input::TypeText(L"00FF00");
        row.finish(*this);

        ASSERT_TRUE(WaitForServiceRead(lines));
        EXPECT_EQ(FirstDramRecord(Stored()).colours[0], kGreen);
        EXPECT_EQ(FirstDramRecord(Stored()).colours[1], FirstDramRecord(m_start).colours[1]);
        EXPECT_THAT(LastServiceLine(), HasSubstr("colours=0000FF00,"));
        if (row.programEnds)
            ExpectCleanExit();
    }
}

// A value typed into a decimal field belongs to the slot that was selected when it was typed,
// whatever colour command comes next.
TEST_F(Journey, ADecimalFieldTypedThenAnotherColourCommand)
{
    const struct {
        const char* then;
        const wchar_t* key; // of the "LED" item clicked next
        ColourWord slot0;
        ColourWord slot3;
        int sameColour;
    } rows[] = {
        {"another slot", L"44", 0x00000064, kDefaultSlot3, 0},
        {"the green preset", L"53", kGreen, kDefaultSlot3, 0},
        {"same colour", L"63", 0x00000064, 0x00000064, 1},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.then);
        ASSERT_NO_FATAL_FAILURE(Start());
        Click(L"LED", L"31"); // the red field of slot 0, the selected slot
        Retype(3, L"100");
        Click(L"LED", row.key);
        ASSERT_NO_FATAL_FAILURE(Apply());

        const SettingsBlock stored = Stored();
        const EffectInfo& record = FirstDramRecord(stored);
        EXPECT_EQ(record.colours[0], row.slot0);
        EXPECT_EQ(record.colours[3], row.slot3);
        EXPECT_EQ(record.sameColour, row.sameColour);
    }
}

// The hexadecimal field by keyboard alone: the caret stays where the person puts it, a code in
// small letters reads back in capitals, and Enter takes it.
TEST_F(Journey, TheHexFieldEditedByKeyboardAlone)
{
    ASSERT_NO_FATAL_FAILURE(Start());
    const HWND hex = ControlAt(L"LED", L"34");
    Click(L"LED", L"34");
    Retype(6, L"00ff00");
    EXPECT_TRUE(poll::Until([&] { return TextOf(hex) == L"00FF00"; }))
        << "read " << testing::PrintToString(TextOf(hex));
    input::Tap(VK_RETURN);
    EXPECT_TRUE(poll::Until([&] { return TextOf(ControlAt(L"LED", L"32")) == L"255"; }))
        << "Enter took the code: the green field follows";
    ASSERT_NO_FATAL_FAILURE(Apply());
    EXPECT_EQ(FirstDramRecord(Stored()).colours[0], kGreen);

    // A decimal field brought back into range keeps its caret too: typing on replaces the end.
    Click(L"LED", L"31");
    Retype(3, L"300");
    EXPECT_TRUE(poll::Until([&] { return TextOf(ControlAt(L"LED", L"31")) == L"255"; }));
    input::Tap(VK_BACK);
    input::TypeText(L"0");
    input::Tap(VK_RETURN);
    EXPECT_TRUE(poll::Until([&] { return TextOf(hex) == L"FAFF00"; }))
        << "read " << testing::PrintToString(TextOf(hex));
}

// A list opened while a colour field has the focus opens, and its row is taken.
TEST_F(Journey, AListOpenedFromAFocusedColourFieldTakesTheChosenRow)
{
    ASSERT_NO_FATAL_FAILURE(Start());
    const wchar_t* fields[] = {L"31", L"32", L"33", L"34"};
    for (int i = 0; i < 4; ++i) {
        SCOPED_TRACE(testing::Message() << "field " << fields[i]);
        Click(L"LED", fields[i]);
        Click(L"MAIN", L"11"); // DRAM, two modules: its device list
        const HWND list = WaitForList();
        ASSERT_NE(list, nullptr);
        const int device = 1 + i % 2;
        ChooseRow(list, device, kDeviceRowHeight);
        EXPECT_TRUE(ListCloses(list));
        const int mode = 2 + i;
        ClickMode(mode); // an edit of the chosen device's own record
        ASSERT_NO_FATAL_FAILURE(Apply());
        const SettingsBlock stored = Stored();
        const GroupSettings& dram = stored.profiles[0].dram;
        EXPECT_EQ(dram.Synchronize, 0);
        EXPECT_EQ(dram.effects[device].mode, mode);
        EXPECT_THAT(LastServiceLine(), HasSubstr(" Synchronize=0 "));
    }

    Click(L"LED", L"34");
    Click(L"MAIN", L"3"); // the language list
    const HWND list = WaitForList();
    ASSERT_NE(list, nullptr);
    ChooseRow(list, 1, kLanguageRowHeight);
    EXPECT_TRUE(ListCloses(list));
    ASSERT_NO_FATAL_FAILURE(Apply());
    EXPECT_EQ(Stored().lan_id, 1);
}

// A list is an owned pop-up above its window, not above every other program: what the screen
// shows where it opens is the list, not the window under it.
TEST_F(Journey, AListShowsAboveItsWindowWithoutTheTopmostBand)
{
    ASSERT_NO_FATAL_FAILURE(Start());
    Click(L"LED", L"31"); // the focus elsewhere: the button takes it with the press
    const SkinRect button = SkinPlace(L"MAIN", L"3");
    const POINT below = input::ClientToScreenPoint(m_wnd, button.left, button.bottom);
    const RECT area{below.x, below.y, below.x + 60, below.y + kLanguageRowHeight};
    const std::vector<COLORREF> before = ScreenPixels(area);

    Click(L"MAIN", L"3");
    const HWND list = WaitForList();
    ASSERT_NE(list, nullptr);
    EXPECT_EQ(::GetWindowLongPtrW(list, GWL_EXSTYLE) & WS_EX_TOPMOST, 0);
    EXPECT_EQ(::GetWindow(list, GW_OWNER), m_wnd);
    RECT r{};
    ::GetWindowRect(list, &r);
    EXPECT_EQ(r.left, area.left);
    EXPECT_EQ(r.top, area.top);
    EXPECT_TRUE(poll::Until([&] { return ScreenPixels(area) != before; })) << "the screen shows the list";
    input::Settle(300);
    EXPECT_NE(ScreenPixels(area), before) << "and still does once the click that opened it is over";
    EXPECT_EQ(::GetAncestor(::WindowFromPoint({area.left + 5, area.top + 5}), GA_ROOT), list);

    input::Settle(::GetDoubleClickTime()); // a second click, not the second half of a double click
    Click(L"MAIN", L"3");                  // closes the list
    EXPECT_TRUE(ListCloses(list));
}

// A group's device list dismissed without a choice leaves the panel on the shown group, so an
// edit and Apply reach the record the panel shows.
TEST_F(Journey, AGroupListDismissedLeavesThePanelOnTheShownGroup)
{
    ASSERT_NO_FATAL_FAILURE(Start());
    ASSERT_NO_FATAL_FAILURE(AddSsdGroup()); // one SSD: shown at once, with its own record
    Click(L"MAIN", L"11");                  // DRAM, two modules: its list opens
    const HWND list = WaitForList();
    ASSERT_NE(list, nullptr);
    const POINT surface{700, 470};
    ASSERT_EQ(::ChildWindowFromPointEx(m_wnd, surface, CWP_SKIPINVISIBLE), m_wnd);
    ClickAt(surface); // the window's surface: the list goes
    EXPECT_TRUE(ListCloses(list));
    ClickMode(3);
    ASSERT_NO_FATAL_FAILURE(Apply());

    const SettingsBlock stored = Stored();
    EXPECT_EQ(stored.profiles[0].ssd.effects[1].mode, 3) << "the record the panel showed";
    for (int k = 0; k <= 2; ++k)
        EXPECT_EQ(stored.profiles[0].dram.effects[k].mode, 1) << "DRAM record " << k;
}

// Switching profiles asks about unapplied edits of the profile being left, and only then.
TEST_F(Journey, ProfileSwitchesAskOnlyAboutRealEdits)
{
    const POINT profile2 = Centre(SkinPlace(L"MAIN", L"22"));
    const POINT profile3 = Centre(SkinPlace(L"MAIN", L"23"));
    const struct {
        const char* what;
        int savedMode0, savedMode1; // mode of the first DRAM record of profiles 1 and 2 on disk
        bool editInProfile2;
        int storedMode1; // of profile 2 in the file after the journey
        int currentProfile;
    } rows[] = {
        // Profiles that differ on disk, no edit: two switches, no question.
        {"no edit", 1, 5, false, 5, 2},
        // An edit in profile 2 that happens to match profile 1 on disk: asked, and applied.
        {"an edit", 3, 1, true, 3, 2},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.what);
        ApplyFirstRunDefaults(m_start);
        m_start.lan_id = 0;
        m_start.profiles[0].dram.effects[0].mode = row.savedMode0;
        m_start.profiles[1].dram.effects[0].mode = row.savedMode1;
        ASSERT_NO_FATAL_FAILURE(Start());

        ClickAt(profile2);
        if (row.editInProfile2)
            ClickMode(3);
        const size_t lines = service::LogLines().size();
        ClickAt(profile3);
        if (row.editInProfile2) {
            const HWND question = WaitForQuestion();
            ASSERT_NE(question, nullptr) << "the edit of profile 2 is not dropped unasked";
            input::Tap(VK_RETURN); // OK: apply before switching
            ASSERT_TRUE(WaitForServiceRead(lines));
            EXPECT_THAT(LastServiceLine(), HasSubstr("CurrentProfile=1 "));
        }
        ASSERT_NO_FATAL_FAILURE(Apply()); // would wait in vain behind an unexpected question
        EXPECT_EQ(::FindWindowW(nullptr, kQuestionCaption), nullptr);

        const SettingsBlock stored = Stored();
        EXPECT_EQ(stored.CurrentProfile, row.currentProfile);
        EXPECT_EQ(stored.profiles[1].dram.effects[0].mode, row.storedMode1);
        EXPECT_EQ(stored.profiles[0].dram.effects[0].mode, row.savedMode0);
        EXPECT_THAT(LastServiceLine(), HasSubstr("CurrentProfile=" + std::to_string(row.currentProfile) + " "));
    }
}

// Cancel drops the edits; the next switch has nothing to ask about.
TEST_F(Journey, ThreeSwitchesWithAnEditCancelled)
{
    ASSERT_NO_FATAL_FAILURE(Start());
    ClickMode(4); // an edit in profile 1
    Click(L"MAIN", L"22");
    const HWND question = WaitForQuestion();
    ASSERT_NE(question, nullptr);
    input::Tap(VK_ESCAPE); // Cancel: switch without applying
    ASSERT_TRUE(poll::Until([&] { return !::IsWindow(question) && ::IsWindowEnabled(m_wnd); }));
    Click(L"MAIN", L"23");
    Click(L"MAIN", L"24");
    ASSERT_NO_FATAL_FAILURE(Apply());
    EXPECT_EQ(::FindWindowW(nullptr, kQuestionCaption), nullptr);
    const SettingsBlock stored = Stored();
    EXPECT_EQ(stored.CurrentProfile, 3);
    EXPECT_EQ(FirstDramRecord(stored).mode, 1) << "the cancelled edit is gone";
}

// A pure colour stays pure when its brightness or saturation is changed.
TEST_F(Journey, APresetThenAnHsvSliderKeepsThePureHue)
{
    const struct {
        const char* slider;
        const wchar_t* key;
    } sliders[] = {{"brightness", L"26"}, {"saturation", L"25"}};
    for (const auto& row : sliders) {
        SCOPED_TRACE(row.slider);
        ASSERT_NO_FATAL_FAILURE(Start());
        Click(L"LED", L"51"); // the red preset
        ClickSlider(row.key, 0.75);
        ASSERT_NO_FATAL_FAILURE(Apply());

        const ColourWord colour = FirstDramRecord(Stored()).colours[0];
        const int r = GetRValue(colour), g = GetGValue(colour), b = GetBValue(colour);
        EXPECT_GT(r, 0);
        EXPECT_LT(g + b, 2 * r) << "still red";
        EXPECT_EQ(g, b) << "no tint toward blue: " << std::hex << colour;
        EXPECT_NE(colour, kRed) << "the slider changed the colour";
    }
}

// A language chosen in music mode, then Apply: music mode and its colours stay, the language
// is the new one.
TEST_F(Journey, ALanguageChangeInMusicModeThenApply)
{
    ASSERT_NO_FATAL_FAILURE(Start());
    Click(L"MAIN", L"6"); // music mode on
    Click(L"MAIN", L"3");
    const HWND list = WaitForList();
    ASSERT_NE(list, nullptr);
    ChooseRow(list, 1, kLanguageRowHeight);
    EXPECT_TRUE(ListCloses(list));
    ASSERT_NO_FATAL_FAILURE(Apply());

    const SettingsBlock stored = Stored();
    EXPECT_EQ(stored.lan_id, 1);
    EXPECT_EQ(stored.audio_sw, 1);
    EXPECT_EQ(stored.fMusicInfo.colours[0], m_start.fMusicInfo.colours[0]);
    EXPECT_EQ(stored.fMusicInfo.level, m_start.fMusicInfo.level);
    EXPECT_THAT(LastServiceLine(), HasSubstr(" audio_sw=1 "));
}

// The lighting and music switches, each toggled and applied, and back.
TEST_F(Journey, EverySwitchToggledAndApplied)
{
    ASSERT_NO_FATAL_FAILURE(Start());
    Click(L"MAIN", L"7"); // lights off
    Click(L"MAIN", L"6"); // music on
    ASSERT_NO_FATAL_FAILURE(Apply());
    EXPECT_EQ(Stored().led_sw, 0);
    EXPECT_EQ(Stored().audio_sw, 1);
    EXPECT_THAT(LastServiceLine(), HasSubstr(" led_sw=0 audio_sw=1 "));

    Click(L"MAIN", L"7");
    Click(L"MAIN", L"6");
    ASSERT_NO_FATAL_FAILURE(Apply());
    EXPECT_EQ(Stored().led_sw, 1);
    EXPECT_EQ(Stored().audio_sw, 0);
    EXPECT_THAT(LastServiceLine(), HasSubstr(" led_sw=1 audio_sw=0 "));
}
