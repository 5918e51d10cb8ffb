// Choosing the device from the group's menu, the profile and the language on the real
// main window.
#include "MainWindowFixture.h"
#include "Poll.h"
#include "WindowShot.h"

#include "controls/ButtonMenu.h"
#include "skin/SkinFile.h"

#include <atomic>
#include <cstring>
#include <thread>

namespace {

class Selection : public MainWindowFixture {
protected:
    CPngBtnMenu* OpenDropDown() const { return m_dialog->DropDown().Shown(); }

    // Clicks the row showing item `item` of the open menu, as a person would.
    void ChooseFromMenu(int item)
    {
        CPngBtnMenu* menu = OpenDropDown();
        ASSERT_NE(menu, nullptr);
        CPngMenuRow* row = menu->GetRowButton(item - menu->GetFirstVisible());
        ASSERT_NE(row, nullptr);
        Click(*row);
        Pump();
    }

    // Clicks the profile button and answers the "Save Profile?" question from another thread
    // should it show: the question runs its own loop inside the click, so once the click is
    // over, no question is coming. Whether it was asked.
    bool ClickProfileAnswering(CPngListBtn& profile, int answer)
    {
        std::atomic<bool> clicked = false;
        bool asked = false;
        std::thread answering([&] {
            HWND box = nullptr;
            poll::Until([&] { return (box = ::FindWindowW(L"#32770", L"Profile")) != nullptr || clicked; });
            if (box) {
                asked = true;
                ::PostMessageW(box, WM_COMMAND, static_cast<WPARAM>(answer), 0);
            }
        });
        Click(profile);
        clicked = true;
        answering.join();
        Pump();
        return asked;
    }
};

} // namespace

TEST_F(Selection, ThreeModulesOfferAllDevicesAndEachModule)
{
    AddDramModules(3, 8);
    Open();
    auto w = Window();
    Click(w.group(0));
    CPngBtnMenu* menu = OpenDropDown();
    ASSERT_NE(menu, nullptr);
    ASSERT_EQ(menu->GetItemCount(), 4);
    EXPECT_EQ(std::wstring(menu->GetMenuItem(0)->text), GetFuncString(0x30));
    EXPECT_EQ(std::wstring(menu->GetMenuItem(2)->text), GetFuncString(0x31) + L"2");
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(menu->GetMenuItem(i)->value, 48 + i);
    EXPECT_TRUE(SaveWindowShot(*m_dialog, L"device-menu"));

    ChooseFromMenu(2);
    EXPECT_EQ(OpenDropDown(), nullptr) << "a choice closes the menu";
    EXPECT_EQ(Live().profiles[0].dram.Synchronize, 0);
    EXPECT_EQ(w.curRecord(), 2);
    EXPECT_EQ(w.group(0).GetCaption(), GetFuncString(0x31) + L"2");

    Click(w.group(0));
    ChooseFromMenu(0);
    EXPECT_EQ(Live().profiles[0].dram.Synchronize, 1);
    EXPECT_EQ(w.curRecord(), 0);
    EXPECT_EQ(w.group(0).GetCaption(), GetFuncString(0x30));
}

TEST_F(Selection, AnyOtherCommandOrClickClosesTheMenu)
{
    AddDramModules(3, 8);
    Open();
    auto w = Window();
    Click(w.group(0));
    ASSERT_NE(OpenDropDown(), nullptr);
    PostSlider(kSliderRedId, 10);
    EXPECT_EQ(OpenDropDown(), nullptr);

    Click(w.language());
    ASSERT_NE(OpenDropDown(), nullptr);
    Click(w.language());
    EXPECT_EQ(OpenDropDown(), nullptr) << "a second click on the language button closes its menu";

    Click(w.group(0));
    m_dialog->SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(600, 300));
    m_dialog->SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(600, 300));
    EXPECT_EQ(OpenDropDown(), nullptr);
}

// Showing a list takes the focus from a focused colour field, whose notifications then reach
// the window while the list is still being made: they must not close it.
TEST_F(Selection, AListOpensWhileAColourFieldHasTheFocus)
{
    AddDramModules(3, 8);
    Open();
    auto w = Window();
    CClrEdit* fields[] = {&w.rgbField(0), &w.rgbField(1), &w.rgbField(2), &w.hexField()};
    for (CClrEdit* field : fields) {
        for (CPngListBtn* button : {&w.language(), &w.group(0)}) {
            ::SetFocus(*field);
            Click(*button);
            CPngBtnMenu* menu = OpenDropDown();
            ASSERT_NE(menu, nullptr);
            EXPECT_TRUE(::IsWindowVisible(*menu));
            EXPECT_GT(menu->GetRowCount(), 0);
            m_dialog->SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(600, 300)); // dismissed
            ASSERT_EQ(OpenDropDown(), nullptr);
        }
    }
}

// With the SSD group shown, a DRAM list dismissed without a choice leaves the SSD group shown:
// the panel and what the edits reach stay one.
TEST_F(Selection, ADismissedDeviceListKeepsTheShownGroup)
{
    AddDramModules(3, 8);
    WriteDescriptor(m_devicesFolder / L"ssd\\drive1.xml", "Test SSD", 4);
    Open();
    auto w = Window();
    ::PostMessageW(*m_dialog, WM_TIMER, kSsdWarningTimer, 0);
    std::thread retry([] {
        for (int tries = 0; tries < 200; ++tries, ::Sleep(25))
            if (const HWND warning = ::FindWindowW(nullptr, L"VELDRIAN RGB Control_Warning")) {
                // Its buttons in the order they are made: close, then retry.
                const HWND retryButton = ::GetWindow(::GetWindow(warning, GW_CHILD), GW_HWNDNEXT);
                ::PostMessageW(retryButton, WM_LBUTTONDOWN, MK_LBUTTON, 0);
                ::PostMessageW(retryButton, WM_LBUTTONUP, 0, 0);
                return;
            }
    });
    Pump(300);
    retry.join();
    Pump();
    ASSERT_EQ(m_dialog->CurrentGroup(), kGroupSsd);

    Click(w.group(kGroupDram));
    ASSERT_NE(OpenDropDown(), nullptr);
    EXPECT_TRUE(w.group(kGroupDram).IsSelected()) << "the button shows what is being chosen";
    m_dialog->SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(600, 300));
    EXPECT_EQ(m_dialog->CurrentGroup(), kGroupSsd);
    EXPECT_TRUE(w.group(kGroupSsd).IsSelected());
    EXPECT_FALSE(w.group(kGroupDram).IsSelected());
    EXPECT_EQ(w.curRecord(), 1);
    Click(w.mode(4));
    EXPECT_EQ(Live().profiles[0].ssd.effects[1].mode, 4);
    EXPECT_EQ(Live().profiles[0].dram.effects[0].mode, m_block.profiles[0].dram.effects[0].mode);

    Click(w.group(kGroupDram));
    ChooseFromMenu(3);
    EXPECT_EQ(m_dialog->CurrentGroup(), kGroupDram) << "a choice shows the group";
    EXPECT_EQ(w.curRecord(), 3);
    EXPECT_EQ(Live().profiles[0].dram.Synchronize, 0);
    EXPECT_TRUE(w.group(kGroupDram).IsSelected());
}

TEST_F(Selection, OneModuleNeverOpensTheMenu)
{
    AddDramModules(1, 8);
    m_block.profiles[0].dram.Synchronize = 1;
    Open();
    auto w = Window();
    EXPECT_EQ(w.curRecord(), 1) << "one device: its own record whatever Synchronize says";
    Click(w.group(0));
    EXPECT_EQ(OpenDropDown(), nullptr);
    EXPECT_EQ(w.curRecord(), 1);
    EXPECT_EQ(w.group(0).GetCaption(), GetFuncString(0x31));
}

TEST_F(Selection, CancelledProfileSwitchDropsUnappliedChanges)
{
    AddDramModules(2, 8);
    m_block.profiles[1].dram.effects[0].mode = 9;
    Open();
    auto w = Window();
    PostSlider(kModeScrollId, 0);
    Click(w.mode(3));                             // unapplied changes in the current profile...
    w.cfg().profiles[2].dram.effects[0].mode = 7; // ...and in another one
    Click(w.ledSwitch());
    EXPECT_TRUE(ClickProfileAnswering(w.profile(1), IDCANCEL));
    SettingsBlock expected = m_dialog->SavedSettings();
    expected.CurrentProfile = 1;
    expected.lan_id = Live().lan_id;
    expected.led_sw = 0;
    // The shown group takes its device and LED counts from discovery, as on every refresh.
    expected.profiles[1].dram.DevNum = Live().profiles[1].dram.DevNum;
    for (int k = 0; k < kRecordsPerGroup; ++k)
        expected.profiles[1].dram.effects[k].ledCount = Live().profiles[1].dram.effects[k].ledCount;
    EXPECT_EQ(std::memcmp(&Live(), &expected, sizeof(SettingsBlock)), 0);
    EXPECT_EQ(Live().led_sw, 0) << "the lighting switch survives the switch";
    EXPECT_EQ(w.curMode(), 9);
    EXPECT_TRUE(w.profile(1).IsSelected());
    EXPECT_FALSE(w.profile(0).IsSelected());
}

TEST_F(Selection, ConfirmedProfileSwitchAppliesFirst)
{
    AddDramModules(2, 8);
    Open();
    auto w = Window();
    PostSlider(kModeScrollId, 0);
    Click(w.mode(3));
    EXPECT_TRUE(ClickProfileAnswering(w.profile(2), IDOK));
    SettingsBlock stored{}, saved{};
    LoadSettings(SettingsFilePath(), stored, saved);
    EXPECT_EQ(stored.profiles[0].dram.effects[0].mode, 3);
    EXPECT_EQ(stored.CurrentProfile, 0) << "the new profile waits for the next Apply";
    EXPECT_EQ(Live().CurrentProfile, 2);
}

TEST_F(Selection, ProfileSwitchTurnsMusicModeOff)
{
    AddDramModules(2, 8);
    Open();
    auto w = Window();
    Click(w.audioSwitch());
    ASSERT_EQ(Live().audio_sw, 1);
    EXPECT_FALSE(ClickProfileAnswering(w.profile(3), IDCANCEL)) << "music mode is no change of the profile";
    EXPECT_EQ(Live().audio_sw, 0);
    EXPECT_FALSE(w.audioSwitch().IsSelected());
    EXPECT_FALSE(IsShown(w.level()));
    EXPECT_TRUE(w.profile(3).IsSelected());
}

TEST_F(Selection, SecondLanguageRebuildsTheSameWindowsInChinese)
{
    AddDramModules(2, 8);
    Open();
    auto w = Window();
    auto childCount = [&] {
        int count = 0;
        ::EnumChildWindows(
            *m_dialog,
            [](HWND, LPARAM n) {
                ++*reinterpret_cast<int*>(n);
                return TRUE;
            },
            reinterpret_cast<LPARAM>(&count));
        return count;
    };
    const int children = childCount();
    const RECT place = m_dialog->GetWindowRect();
    const std::wstring englishApply = w.apply().GetCaption();

    Click(w.language());
    EXPECT_TRUE(SaveWindowShot(*m_dialog, L"language-menu"));
    ChooseFromMenu(1);

    EXPECT_EQ(Live().lan_id, 1);
    EXPECT_EQ(childCount(), children);
    const RECT after = m_dialog->GetWindowRect();
    EXPECT_TRUE(::EqualRect(&place, &after));
    EXPECT_NE(w.apply().GetCaption(), englishApply);
    EXPECT_EQ(w.language().GetCaption(), GetFuncString(0x11));
    EXPECT_TRUE(SaveWindowShot(*m_dialog, L"main-chinese"));
}

// The language menu names each language in a font of its own script, the face its own skin
// file names, whichever language the window shows: Chinese in a Latin face would be drawn
// through the system's fallback fonts (on Windows, Japanese ones first), and English in a
// Chinese face with that face's Latin letters.
TEST_F(Selection, EachLanguageIsNamedInTheFaceOfItsOwnSkin)
{
    const auto faceOfSkin = [](const wchar_t* file) {
        wchar_t face[LF_FACESIZE] = {};
        ::GetPrivateProfileStringW(L"GLOBAL", L"FONT", L"", face, LF_FACESIZE,
                                   (TestProgramFolder() + L"Lan\\" + file).c_str());
        return std::wstring(face);
    };
    const std::wstring latin = faceOfSkin(L"skin_En.ini");
    const std::wstring chinese = faceOfSkin(L"skin_Cs.ini");
    ASSERT_NE(latin, chinese) << "the shipped skins name a face of each script";
    AddDramModules(2, 8);
    Open();
    auto w = Window();

    // In the English window, then in the Chinese one; each choice closes the menu.
    for (const int next : {1, 0}) {
        Click(w.language());
        CPngBtnMenu* menu = OpenDropDown();
        ASSERT_NE(menu, nullptr);
        ASSERT_EQ(menu->GetFirstVisible(), 0);
        EXPECT_EQ(menu->GetRowButton(0)->CaptionFontFace(), latin) << "English, in language " << Live().lan_id;
        EXPECT_EQ(menu->GetRowButton(1)->CaptionFontFace(), chinese) << "Chinese, in language " << Live().lan_id;
        ChooseFromMenu(next);
        ASSERT_EQ(Live().lan_id, next);
    }
}
