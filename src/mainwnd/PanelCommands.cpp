// CHalcyDlg: the command dispatcher, the Apply and reset buttons, the switches, the mode
// choice and the slider positions.
#include "mainwnd/HalcyDlg.h"

#include "controls/SelectInGroup.h"

#include <algorithm>

namespace {

constexpr WPARAM kAllBitsCommand = 0xFFFFFFFF; // no part of this program sends it
constexpr WORD kFieldClicked = 0;              // the notification code of a colour field's click

template <class Control, size_t N>
int IndexOf(const Control (&controls)[N], HWND wnd) noexcept
{
    for (size_t i = 0; wnd && i < N; ++i)
        if (controls[i].GetSafeHwnd() == wnd)
            return static_cast<int>(i);
    return -1;
}

template <class Control>
int ClampedTo(const Control& control, int value) noexcept
{
    return std::clamp(value, control.GetRangeMin(), std::max(control.GetRangeMin(), control.GetRangeMax()));
}

bool Is(const CWnd& control, HWND wnd) noexcept
{
    return wnd && control.GetSafeHwnd() == wnd;
}

} // namespace

BOOL CHalcyDlg::OnCommand(WPARAM wParam, LPARAM lParam)
{
    if (m_applying)
        return OnCommandWhileApplying(wParam, lParam);
    const HWND source = reinterpret_cast<HWND>(lParam);
    CClrEdit* field = ColourFieldOf(source);
    // A colour field's own notifications (focus, change) are not the person's commands: they
    // also arrive while a list is being opened, which must not close it.
    if (field && HIWORD(wParam) != kFieldClicked)
        return CDialog::OnCommand(wParam, lParam);

    const bool menuWasOpen = CloseOpenMenu();
    // A typed colour is taken before any other command acts, so Apply, the close that applies
    // and the slot, preset and same-colour commands all start from what the person typed.
    if (!field)
        TakePendingColour();
    if (wParam == kAllBitsCommand)
        OnCancel();

    if (Is(m_ui.close, source)) {
        EndDialog(IDCANCEL);
    } else if (Is(m_ui.minimise, source)) {
        ShowWindow(SW_MINIMIZE);
    } else if (!source) {
        // The system close (Alt+F4, the taskbar) and the help key: the settings are kept.
        ApplySettings();
        OnOK();
    } else if (Is(m_ui.apply, source)) {
        OnApplyButton();
    } else if (Is(m_ui.language, source)) {
        if (!menuWasOpen) // so a second click closes the menu
            m_list.OpenLanguages(m_hWnd, m_ui.language);
    } else if (Is(m_ui.reset, source)) {
        OnResetButton();
    } else if (Is(m_ui.ledSwitch, source)) {
        OnLedSwitch();
    } else if (Is(m_ui.audioSwitch, source)) {
        OnDisplaySwitch(m_ui.audioSwitch, m_cfg.audio_sw, m_ui.syncSwitch, m_cfg.sync_sw);
    } else if (Is(m_ui.syncSwitch, source)) {
        OnDisplaySwitch(m_ui.syncSwitch, m_cfg.sync_sw, m_ui.audioSwitch, m_cfg.audio_sw);
    } else if (Is(m_ui.razerSwitch, source)) {
        OnRazerSwitch();
    } else if (IndexOf(m_ui.profile, source) >= 0) {
        OnProfileClicked(source);
    } else if (IndexOf(m_ui.group, source) >= 0) {
        OnGroupClicked(source);
    } else if (const int mode = IndexOf(m_ui.mode, source); mode >= 0) {
        SelectInGroup(m_ui.mode, source);
        OnModeChosen(mode);
    } else if (IndexOf(m_ui.slot, source) >= 0) {
        OnSlotClicked(source);
    } else if (IndexOf(m_ui.preset, source) >= 0) {
        OnPresetClicked(source);
    } else if (Is(m_ui.sameColour, source)) {
        OnSameColourClicked();
    } else if (const int variant = IndexOf(m_ui.variant, source); variant >= 0) {
        SelectInGroup(m_ui.variant, source);
        m_cursor.ChooseVariant(variant); // the record takes it on Apply
    } else if (field) {
        OnColourFieldClicked(*field);
    }
    return CDialog::OnCommand(wParam, lParam);
}

// Takes the speed, mode, variant and colours of the panel into the record in use (the
// variant and colours into the music record while music mode is on), then applies.
void CHalcyDlg::OnApplyButton()
{
    EffectInfo& record = m_cursor.RecordInUse();
    record.speed = SpeedFromStep(m_ui.speed.GetPos());
    record.mode = m_cursor.Mode();

    const bool music = m_cfg.audio_sw == 1;
    (music ? m_cfg.fMusicInfo.variant : record.variant) = m_cursor.Variant();
    ColourWord* colours = music ? m_cfg.fMusicInfo.colours : record.colours;
    for (int i = 0; i < kColourSlots; ++i)
        colours[i] = m_ui.slot[i].GetColor();

    m_cfg.fMusicInfo.level = m_ui.level.GetPos();
    m_cfg.fMusicInfo.ledCount = kColourSlots;
    ApplySettings();
}

void CHalcyDlg::OnResetButton()
{
    if (!m_cursor.MusicShown())
        ResetEffectInfo(m_cursor.RecordInUse(), m_cursor.Mode());
    else
        ResetMusicInfo(m_cfg.fMusicInfo);
    RefreshPanel(false);
}

// The lighting switch is selected while the lighting is off.
void CHalcyDlg::OnLedSwitch()
{
    const bool wasSelected = m_ui.ledSwitch.IsSelected();
    m_ui.ledSwitch.SetSelected(!wasSelected);
    m_cfg.led_sw = wasSelected ? 1 : 0;
    UpdatePanelVisibility();
    RefreshPanel(false);
}

// Music mode and external synchronisation each have a display of their own, and turning
// one on turns the other off.
void CHalcyDlg::OnDisplaySwitch(CPngListBtn& clicked, std::int32_t& setting, CPngListBtn& other,
                                std::int32_t& otherSetting)
{
    const bool wasSelected = clicked.IsSelected();
    clicked.SetSelected(!wasSelected);
    setting = wasSelected ? 0 : 1;
    if (!wasSelected && other.IsSelected()) {
        other.SetSelected(false);
        otherSetting = 0;
    }
    TakeModeOfRecordInUse();
    UpdatePanelVisibility();
    RefreshPanel(false);
}

void CHalcyDlg::OnRazerSwitch()
{
    const bool wasSelected = m_ui.razerSwitch.IsSelected();
    m_ui.razerSwitch.SetSelected(!wasSelected);
    m_cfg.razer_sw = wasSelected ? 0 : 1;
}

void CHalcyDlg::OnModeChosen(int mode)
{
    m_modeName = m_ui.mode[mode].GetCaption();
    m_cursor.ChooseMode(mode);
    UpdatePanelVisibility();
}

void CHalcyDlg::TakeModeOfRecordInUse()
{
    m_cursor.TakeModeOfRecordInUse();
    m_modeName = m_ui.mode[ModeIndex(m_cursor.Mode())].GetCaption();
}

// Positions come from the sliders and the knob, which stay within their ranges; a value
// posted by anything else is brought into the control's range first.
LRESULT CHalcyDlg::OnSliderPos(WPARAM value, LPARAM id)
{
    CloseOpenMenu();
    TakePendingColour();
    const auto position = static_cast<int>(value);
    auto move = [position](auto& control) {
        const int clamped = ClampedTo(control, position);
        control.SetPos(clamped);
        return clamped;
    };
    const EditorColour colour = m_cursor.Colour();
    switch (static_cast<UINT>(id)) {
    case kModeScrollId:
        move(m_ui.modeScroll);
        ScrollModeList(m_ui.modeScroll.GetPos());
        break;
    case kSliderRedId:
        EditColour(FromRgb(move(m_ui.red), colour.g, colour.b), ColourSource::rgbSlider);
        break;
    case kSliderGreenId:
        EditColour(FromRgb(colour.r, move(m_ui.green), colour.b), ColourSource::rgbSlider);
        break;
    case kSliderBlueId:
        EditColour(FromRgb(colour.r, colour.g, move(m_ui.blue)), ColourSource::rgbSlider);
        break;
    case kSliderSaturationId:
        EditColour(FromHsv(colour.hue, move(m_ui.saturation), colour.brightness), ColourSource::hsvControl);
        break;
    case kKnobHueId:
        // The position set, not the knob's reading: 0 stays 0, though the knob reads it as 359.
        EditColour(FromHsv(move(m_ui.hue), colour.saturation, colour.brightness), ColourSource::hsvControl);
        break;
    case kSliderBrightnessId:
        EditColour(FromHsv(colour.hue, colour.saturation, move(m_ui.brightness)), ColourSource::hsvControl);
        break;
    case kSliderSpeedId:
        move(m_ui.speed); // the record takes it on Apply
        break;
    case kSliderLevelId:
        move(m_ui.level);
        break;
    default:
        break;
    }
    return 1;
}
