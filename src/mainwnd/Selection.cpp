// CHalcyDlg: choosing the device within the group, the profile and the language.
#include "mainwnd/HalcyDlg.h"

#include "base/Paths.h"
#include "controls/ButtonMenu.h"
#include "controls/SelectInGroup.h"
#include "skin/SkinFile.h"

#include <algorithm>
#include <memory>

namespace {

constexpr int kFirstLanguageValue = 16; // + lan_id
constexpr int kLastLanguageValue = 17;
constexpr int kAllDevicesValue = 48; // + device number
constexpr int kLastDeviceValue = 63;
constexpr const wchar_t* kSaveProfileText = L"Save Profile?";
constexpr const wchar_t* kSaveProfileCaption = L"Profile";

// How each drop-down menu looks and where it opens next to its button.
struct MenuStyle {
    const wchar_t* name; // the menu images are skins\Menu\<name>_menu_*.png
    int rowHeight;
    int alignment;
    int captionMargin;
};
constexpr MenuStyle kDeviceMenu{L"Device", 24, CBitmapBtn::kAlignLeft, 5};
constexpr MenuStyle kLanguageMenu{L"Len", 20, CBitmapBtn::kAlignCentre, 0};
constexpr int kMenuFontHeight = 15;
constexpr COLORREF kLanguageCaption = 0x999999;
constexpr COLORREF kLanguageCaptionOver = 0xFFFFFF;

// The one drop-down menu that may be open; every command, slider change and click on the
// window closes it.
std::unique_ptr<CPngBtnMenu> g_openMenu;

} // namespace

CPngBtnMenu* OpenDropDown() noexcept
{
    return g_openMenu.get();
}

// A device menu dismissed without a choice leaves the shown group as it was, and its button
// selected again.
bool CHalcyDlg::CloseOpenMenu() noexcept
{
    const bool wasOpen = g_openMenu != nullptr;
    g_openMenu.reset();
    if (m_menuGroup >= 0) {
        m_menuGroup = -1;
        SelectInGroup(m_btnGroup, m_btnGroup[m_curGroup].GetSafeHwnd());
    }
    return wasOpen;
}

// Opens the device menu of a group beside its button, or the language menu under its button.
// The list is published as the open one only once it is made: whatever its creation sets off
// (the focus leaving a field, say) cannot close it half-built.
void CHalcyDlg::OpenDropDownMenu(const CPngListBtn& anchor, int group)
{
    const bool languages = &anchor == &m_btnLanguage;
    const MenuStyle& style = languages ? kLanguageMenu : kDeviceMenu;
    RECT place = anchor.GetClientRect();
    ::MapWindowPoints(anchor, nullptr, reinterpret_cast<POINT*>(&place), 2);

    // The button takes the focus its own press would give it a moment later, before the list
    // shows: a window system may raise the window that takes the focus over what is above it
    // (X without a window manager does), so the focus must not move while the list is up.
    ::SetFocus(anchor);
    auto menu = std::make_unique<CPngBtnMenu>(m_hWnd);
    const std::wstring images = SkinFolder() + L"Menu\\" + style.name;
    const std::wstring normal = images + L"_menu_normal.png";
    const std::wstring over = images + L"_menu_over.png";
    menu->SetMenuImages(normal, over, over, normal, L"", false);
    menu->SetRowHeight(style.rowHeight);
    menu->SetRowFontHeight(kMenuFontHeight);
    menu->SetRowLayout(style.alignment, style.captionMargin);
    if (languages) {
        menu->SetTextColors(kLanguageCaption, kLanguageCaption, kLanguageCaptionOver);
        menu->SetPosition(place.left, place.bottom);
        for (int value = kFirstLanguageValue; value <= kLastLanguageValue; ++value) {
            const int language = value - kFirstLanguageValue;
            menu->AddMenuItem(GetFuncString(kLanguageNameText + language), value, 0, true);
            menu->GetMenuItem(menu->GetItemCount() - 1)->fontFace = LanguageFontFace(language);
        }
    } else {
        menu->SetPosition(place.right, place.top);
        menu->AddMenuItem(GetFuncString(kAllDevicesText), kAllDevicesValue, 0, true);
        // Only devices the selection can take are listed.
        const std::wstring groupName = GetFuncString(kGroupNameText + group);
        const int devices = std::min(m_devices.DeviceCount(group), kLastDeviceValue - kAllDevicesValue);
        for (int k = 1; k <= devices; ++k)
            menu->AddMenuItem(groupName + std::to_wstring(k), kAllDevicesValue + k, 0, true);
    }
    if (!menu->Create())
        return;
    g_openMenu = std::move(menu);
    m_menuGroup = languages ? -1 : group;
}

// A group with one device (or none) is shown at once; with several, the group changes only
// when a device is chosen from its menu, so the panel always shows what edits and Apply reach.
void CHalcyDlg::OnGroupClicked(HWND source)
{
    int group = -1;
    SelectInGroup(m_btnGroup, source, &group);
    if (group != kGroupDram && group != kGroupSsd)
        return;
    if (m_devices.DeviceCount(group) > 1) {
        OpenDropDownMenu(m_btnGroup[group], group);
        if (m_menuGroup != group) // no list could be made: the shown group stays
            SelectInGroup(m_btnGroup, m_btnGroup[m_curGroup].GetSafeHwnd());
        return;
    }
    m_curGroup = group;
    PointAtGroup(group);
    m_curRecord = 1;
    RefreshPanel(true);
}

// A device menu entry shows the menu's group with the chosen record; a language entry
// rebuilds the window from the other skin file. The live block keeps the choice until the
// next Apply.
void CHalcyDlg::OnMenuSelection(int value, int menuGroup)
{
    if (value >= kAllDevicesValue && value <= kLastDeviceValue) {
        if (menuGroup >= 0) {
            m_curGroup = menuGroup;
            PointAtGroup(menuGroup);
            SelectInGroup(m_btnGroup, m_btnGroup[menuGroup].GetSafeHwnd());
        }
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
    // The profile being edited, live and as the file holds it: after a switch that was not
    // applied the saved block still names the profile the file was written with.
    const int shown = SettingsBlock::ProfileIndex(m_cfg.CurrentProfile);
    if (!ProfileEquals(m_cfg.profiles[shown], m_cfgSaved.profiles[shown]) &&
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
