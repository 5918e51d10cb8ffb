// CHalcyDlg: choosing the device within the group, the profile and the language.
#include "mainwnd/HalcyDlg.h"

#include "controls/SelectInGroup.h"
#include "skin/SkinFile.h"

namespace {

constexpr const wchar_t* kSaveProfileText = L"Save Profile?";
constexpr const wchar_t* kSaveProfileCaption = L"Profile";

} // namespace

// A device menu dismissed without a choice leaves the shown group as it was, and its button
// selected again.
bool CHalcyDlg::CloseOpenMenu() noexcept
{
    const int deviceGroup = m_list.DeviceGroup();
    const bool wasOpen = m_list.Close();
    if (deviceGroup >= 0)
        SelectInGroup(m_ui.group, m_ui.group[m_cursor.Group()].GetSafeHwnd());
    return wasOpen;
}

// A group with one device (or none) is shown at once; with several, the group changes only
// when a device is chosen from its menu, so the panel always shows what edits and Apply reach.
void CHalcyDlg::OnGroupClicked(HWND source)
{
    int group = -1;
    SelectInGroup(m_ui.group, source, &group);
    if (group != kGroupDram && group != kGroupSsd)
        return;
    if (m_devices.DeviceCount(group) > 1) {
        m_list.OpenDevices(m_hWnd, m_ui.group[group], group, m_devices.DeviceCount(group));
        if (m_list.DeviceGroup() != group) // no list could be made: the shown group stays
            SelectInGroup(m_ui.group, m_ui.group[m_cursor.Group()].GetSafeHwnd());
        return;
    }
    ShowGroup(group);
    m_cursor.ChooseRecord(1);
    RefreshPanel(true);
}

// A device menu entry shows the menu's group with the chosen record; a language entry
// rebuilds the window from the other skin file. The live block keeps the choice until the
// next Apply.
void CHalcyDlg::OnMenuSelection(int value, int menuGroup)
{
    if (value >= kAllDevicesValue && value <= kLastDeviceValue) {
        if (menuGroup >= 0) {
            ShowGroup(menuGroup);
            SelectInGroup(m_ui.group, m_ui.group[menuGroup].GetSafeHwnd());
        }
        m_cursor.GroupInUse().Synchronize = value == kAllDevicesValue ? 1 : 0;
        m_cursor.ChooseRecord(value - kAllDevicesValue);
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
    SelectInGroup(m_ui.profile, source, &profile);
    if (profile < 0)
        return;
    // The profile being edited, live and as the file holds it: after a switch that was not
    // applied the saved block still names the profile the file was written with.
    const int shown = SettingsBlock::ProfileIndex(m_cfg.CurrentProfile);
    if (!ProfileEquals(m_cfg.profiles[shown], m_cfgSaved.profiles[shown]) &&
        ::MessageBoxW(m_hWnd, kSaveProfileText, kSaveProfileCaption, MB_OKCANCEL | MB_ICONEXCLAMATION) == IDOK)
        ApplySettings();

    m_cursor.StartProfileOver(m_cfgSaved, profile);
    ShowGroup(m_cursor.Group());
    m_cursor.ChooseRecordAfterProfileSwitch();
    TakeModeOfRecordInUse();
    RefreshPanel(true);
}
