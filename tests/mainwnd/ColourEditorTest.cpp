// The colour editor of the real main window: sliders, knob, fields, slots, presets and the
// same-colour toggle keep one colour in step and store it at once.
#include "MainWindowFixture.h"

namespace {

class ColourEditor : public MainWindowFixture {
protected:
    void SetUp() override
    {
        MainWindowFixture::SetUp();
        AddDramModules(2, 8);
        FirstRecord().mode = 0;
        FirstRecord().colours[0] = 0x000000FF; // pure red in slot 0, the selected slot
    }

    std::wstring Text(const CEdit& field) { return field.GetText(); }

    // What a keyboard queues for one key typed into the focused field; the loop's
    // translation makes the character.
    void Type(const CClrEdit& field, const std::wstring& keys)
    {
        ::SetFocus(field);
        for (wchar_t key : keys) {
            const auto code = static_cast<WPARAM>(::VkKeyScanW(key) & 0xFF);
            const LPARAM scan = static_cast<LPARAM>(::MapVirtualKeyW(static_cast<UINT>(code), MAPVK_VK_TO_VSC)) << 16;
            field.PostMessage(WM_KEYDOWN, code, scan | 1);
            Pump(10); // the character is queued while the key is down
            field.PostMessage(WM_KEYUP, code, scan | 0xC0000001);
            Pump(10);
        }
    }
    void PressEnter(const CClrEdit& field)
    {
        ::SetFocus(field);
        field.PostMessage(WM_KEYDOWN, VK_RETURN, 1);
        field.PostMessage(WM_KEYUP, VK_RETURN, 0xC0000001);
        Pump(20);
    }
    void ClickField(CClrEdit& field)
    {
        field.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(2, 2));
        field.SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(2, 2));
        Pump(10);
    }
};

} // namespace

TEST_F(ColourEditor, RedSliderBringsEveryControlInStepAndStoresOnlyTheSelectedSlot)
{
    Open();
    auto w = Window();
    const EffectInfo before = w.record();

    PostSlider(kSliderRedId, 128);

    // Hue 0: a turn of the knob has 359 steps, so 0 and 359 are one place, reported as 359.
    EXPECT_EQ(w.hue().GetPos(), 359);
    EXPECT_EQ(w.saturation().GetPos(), 100);
    EXPECT_EQ(w.brightness().GetPos(), 128);
    EXPECT_EQ(Text(w.rgbField(0)), L"128");
    EXPECT_EQ(Text(w.rgbField(1)), L"0");
    EXPECT_EQ(Text(w.rgbField(2)), L"0");
    EXPECT_EQ(Text(w.hexField()), L"800000");
    EXPECT_EQ(w.record().colours[0], 0x00000080u);
    EXPECT_EQ(w.slot(0).GetColor(), RGB(128, 0, 0));
    for (int i = 1; i < kColourSlots; ++i)
        EXPECT_EQ(w.record().colours[i], before.colours[i]) << "slot " << i;
}

TEST_F(ColourEditor, HueKnobWithSaturationAndBrightnessGivesRgb)
{
    Open();
    auto w = Window();
    PostSlider(kSliderSaturationId, 50);
    PostSlider(kSliderBrightnessId, 200);
    PostSlider(kKnobHueId, 120);

    EXPECT_EQ(w.red().GetPos(), 100);
    EXPECT_EQ(w.green().GetPos(), 200);
    EXPECT_EQ(w.blue().GetPos(), 100);
    EXPECT_EQ(Text(w.hexField()), L"64C864");
    EXPECT_EQ(w.record().colours[0], static_cast<ColourWord>(RGB(100, 200, 100)));
}

TEST_F(ColourEditor, SliderPositionsOutsideTheRangeAreBroughtIntoIt)
{
    Open();
    auto w = Window();
    PostSlider(kSliderBrightnessId, 1 << 30);
    EXPECT_EQ(w.brightness().GetPos(), 255);
    PostSlider(kSliderRedId, -5);
    EXPECT_EQ(w.red().GetPos(), 0);
    EXPECT_EQ(Text(w.rgbField(0)), L"0");
    PostSlider(kSliderRedId, 13); // the value of the Enter key: still a slider position
    EXPECT_EQ(w.red().GetPos(), 13);
    EXPECT_EQ(w.record().colours[0] & 0xFF, 13u);
}

TEST_F(ColourEditor, DecimalFieldIsLimitedOnKeyUpAndTakenOnEnter)
{
    Open();
    auto w = Window();
    ClickField(w.rgbField(1));
    w.rgbField(1).SetWindowText(L"");
    Type(w.rgbField(1), L"30");
    EXPECT_EQ(Text(w.rgbField(1)), L"30");
    Type(w.rgbField(1), L"0");
    EXPECT_EQ(Text(w.rgbField(1)), L"255") << "limited on the key-up after the third digit";
    EXPECT_EQ(w.green().GetPos(), 0) << "not taken yet";

    PressEnter(w.rgbField(1));
    EXPECT_EQ(w.green().GetPos(), 255);
    EXPECT_EQ(w.record().colours[0], static_cast<ColourWord>(RGB(255, 255, 0)));
    EXPECT_TRUE(::IsWindow(*m_dialog) && m_dialog->ModalResult() == -1) << "Enter never ends the dialog";
    EXPECT_NE(::GetFocus(), w.rgbField(1).GetSafeHwnd()) << "the field gives up the caret";
}

TEST_F(ColourEditor, HexFieldIsNormalisedAndTakenWhenItWasClicked)
{
    Open();
    auto w = Window();
    ClickField(w.hexField());
    w.hexField().SetWindowText(L"");
    Type(w.hexField(), L"ff8000");
    EXPECT_EQ(Text(w.hexField()), L"FF8000") << "six digits are normalised on the key-up";
    DWORD caret = 0;
    w.hexField().SendMessage(EM_GETSEL, 0, reinterpret_cast<LPARAM>(&caret));
    EXPECT_EQ(caret, 6u) << "the caret stays where the typing was";
    PressEnter(w.hexField());
    EXPECT_EQ(w.record().colours[0], static_cast<ColourWord>(RGB(255, 128, 0)));
    EXPECT_EQ(Text(w.rgbField(1)), L"128");
}

TEST_F(ColourEditor, PendingFieldIsTakenByOtherCommands)
{
    Open();
    auto w = Window();
    ClickField(w.rgbField(2));
    w.rgbField(2).SetWindowText(L"999"); // pasted: no key-up limited it
    Click(w.variant(1));
    EXPECT_EQ(w.blue().GetPos(), 255) << "a pasted value is kept to a component's range";
    EXPECT_EQ(w.record().colours[0], static_cast<ColourWord>(RGB(255, 0, 255)));

    ClickField(w.rgbField(0));
    w.rgbField(0).SetWindowText(L"7");
    ClickField(w.hexField()); // moving to another field keeps what was typed
    EXPECT_EQ(w.red().GetPos(), 7);
    EXPECT_EQ(Text(w.hexField()), L"0700FF");
}

TEST_F(ColourEditor, APureColourStaysPureUnderTheHsvSliders)
{
    Open();
    auto w = Window();
    Click(w.preset(0)); // red: hue 0, which the knob's 359-step turn reads back as 359
    PostSlider(kSliderBrightnessId, 200);
    EXPECT_EQ(w.record().colours[0], static_cast<ColourWord>(RGB(200, 0, 0)));
    PostSlider(kSliderSaturationId, 50);
    EXPECT_EQ(w.record().colours[0], static_cast<ColourWord>(RGB(200, 100, 100)));
    EXPECT_EQ(w.hue().GetPos(), 359) << "the knob looks as before";

    PostSlider(kKnobHueId, 0); // the knob turned to its 0: still red
    EXPECT_EQ(w.record().colours[0], static_cast<ColourWord>(RGB(200, 100, 100)));
}

TEST_F(ColourEditor, SameColourFromSlotThreeCopiesSlotZero)
{
    FirstRecord().colours[3] = 0x00FF0000;
    Open();
    auto w = Window();
    Click(w.slot(3));
    ASSERT_EQ(w.selectedSlot(), 3);
    EXPECT_EQ(w.blue().GetPos(), 255);

    Click(w.sameColour());
    EXPECT_EQ(w.record().sameColour, 1);
    EXPECT_EQ(w.selectedSlot(), 0);
    for (int i = 0; i < kColourSlots; ++i) {
        EXPECT_EQ(w.record().colours[i], 0x000000FFu) << "slot " << i;
        EXPECT_EQ(w.slot(i).GetColor(), RGB(255, 0, 0));
        EXPECT_FALSE(w.slot(i).IsWindowEnabled());
    }
}

TEST_F(ColourEditor, PresetTwoPaintsSlotFive)
{
    Open();
    auto w = Window();
    Click(w.slot(5));
    Click(w.preset(2));
    EXPECT_TRUE(w.preset(2).IsSelected());
    EXPECT_EQ(w.slot(5).GetColor(), RGB(0, 255, 0));
    EXPECT_EQ(w.record().colours[5], kDefaultPalette[2]);
    EXPECT_EQ(w.preset(2).GetColor(), RGB(0, 255, 0)) << "presets never change colour";
}

TEST_F(ColourEditor, MusicModeEditsTheMusicRecordOnly)
{
    Open();
    auto w = Window();
    Click(w.audioSwitch());
    const EffectInfo before = w.record();
    PostSlider(kSliderRedId, 128);
    Click(w.slot(2));
    Click(w.preset(4));
    EXPECT_EQ(Live().fMusicInfo.colours[0] & 0xFF, 128u);
    EXPECT_EQ(Live().fMusicInfo.colours[2], kDefaultPalette[4]);
    EXPECT_TRUE(EffectInfoEquals(w.record(), before));
    EXPECT_EQ(w.record().colours[0], before.colours[0]);
}

TEST_F(ColourEditor, ColourSurvivesADeviceChangeButSpeedDoesNot)
{
    Open();
    auto w = Window();
    ASSERT_EQ(w.curRecord(), 0);
    const int speedBefore = w.record().speed;
    PostSlider(kSliderSpeedId, 4);
    PostSlider(kSliderBlueId, 200);
    const ColourWord picked = w.record().colours[0];

    m_dialog->PostMessage(WM_MENU_SELECTION, 0, MAKELPARAM(0, 49)); // the first device
    Pump();
    EXPECT_EQ(w.curRecord(), 1);
    EXPECT_EQ(Live().profiles[0].dram.Synchronize, 0);
    m_dialog->PostMessage(WM_MENU_SELECTION, 0, MAKELPARAM(0, 48)); // back to all devices
    Pump();
    EXPECT_EQ(w.curRecord(), 0);
    EXPECT_EQ(w.record().speed, speedBefore);
    EXPECT_EQ(w.speed().GetPos(), StepFromSpeed(speedBefore));
    EXPECT_EQ(w.record().colours[0], picked);
}
