// DropDownList: the drop-down list the main window may have open, the language list under its
// button or a group's device list beside the group's button; one is open at most.
// The owner closes it on every command, slider change and click; a choice reaches the owner as
// the list's click message (CPngBtnMenu::kDefaultClickMessage).
#pragma once

#include "framework/Wnd.h"

#include <windows.h>

#include <memory>

class CPngBtnMenu;

// The values the lists report for their entries.
constexpr int kFirstLanguageValue = 16; // + lan_id
constexpr int kLastLanguageValue = 17;
constexpr int kAllDevicesValue = 48; // + device number
constexpr int kLastDeviceValue = 63;

class DropDownList {
public:
    DropDownList() = default;
    DropDownList(const DropDownList&) = delete;
    DropDownList& operator=(const DropDownList&) = delete;
    ~DropDownList();

    void OpenLanguages(HWND owner, const CWnd& anchor);
    // All devices, then device 1 to deviceCount (as many as the choice values can name).
    void OpenDevices(HWND owner, const CWnd& anchor, int group, int deviceCount);
    // Closes the open list, if any, and says whether one was open.
    bool Close() noexcept;
    // The group whose device list is open; -1 when none is, or the language list is.
    int DeviceGroup() const noexcept { return m_deviceGroup; }
    // The open list, if any.
    CPngBtnMenu* Shown() const noexcept { return m_menu.get(); }

private:
    // Publishes a made list as the open one, once it is created: whatever its creation sets off
    // (the focus leaving a field, say) cannot close it half-built.
    bool Show(std::unique_ptr<CPngBtnMenu> menu);

    std::unique_ptr<CPngBtnMenu> m_menu;
    int m_deviceGroup = -1;
};
