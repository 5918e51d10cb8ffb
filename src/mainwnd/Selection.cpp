// CHalcyDlg: choosing the device within the group, the profile and the language.
#include "mainwnd/HalcyDlg.h"

#include "controls/SelectInGroup.h"

namespace {

constexpr int kFirstLanguageValue = 16; // + lan_id
constexpr int kLastLanguageValue = 17;
constexpr int kAllDevicesValue = 48; // + device number
constexpr int kLastDeviceValue = 63;
constexpr const wchar_t* kSaveProfileText = L"Save Profile?";
constexpr const wchar_t* kSaveProfileCaption = L"Profile";

} // namespace

// A device menu entry picks the record in use; a language entry rebuilds the window from
// the other skin file. The live block keeps the choice until the next Apply.
void CHalcyDlg::OnMenuSelection(int value)
{
    if (value >= kAllDevicesValue && value <= kLastDeviceValue) {
        *m_curSync = value == kAllDevicesValue ? 1 : 0;
        m_curRecord = value - kAllDevicesValue;
        TakeModeOfRecordInUse();
        UpdatePanelVisibility();
        RefreshPanel(true);
    } else if (value >= kFirstLanguageValue && value <= kLastLanguageValue) {
        m_cfg.lan_id = value - kFirstLanguageValue;
        BuildSkinLayout();
        UpdatePanelVisibility();
        RefreshPanel(true);
    }
}

// Switching profile offers to apply unapplied changes, then starts over from the saved
// block: changes of every profile are dropped unless applied, the language and the
// lighting switch excepted.
void CHalcyDlg::OnProfileClicked(HWND source)
{
    int profile = -1;
    SelectInGroup(m_btnProfile, source, &profile);
    if (profile < 0)
        return;
    if (!ProfileEquals(m_cfg.current(), m_cfgSaved.current()) &&
        ::MessageBoxW(m_hWnd, kSaveProfileText, kSaveProfileCaption, MB_OKCANCEL | MB_ICONEXCLAMATION) == IDOK)
        ApplySettings();

    const std::int32_t language = m_cfg.lan_id;
    m_cfg = m_cfgSaved;
    m_cfg.led_sw = m_ledSwShown;
    m_cfg.CurrentProfile = profile;
    m_cfg.lan_id = language;
    m_cfg.audio_sw = 0;
    m_cfg.sync_sw = 0;
    m_audioSwShown = 0;
    m_syncSwShown = 0;

    PointAtGroup(m_curGroup);
    m_curRecord = *m_curDevNum == 1 || *m_curSync == 0 ? 1 : 0;
    TakeModeOfRecordInUse();
    RefreshPanel(true);
}
