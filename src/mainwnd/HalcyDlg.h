// CHalcyDlg: the program's main window, a modal dialog skinned entirely at run time.
#pragma once

#include "devices/DeviceList.h"
#include "framework/Dialog.h"
#include "settings/SettingsBlock.h"

#include <windows.h>

#include <span>

constexpr const wchar_t* kMainWindowCaption = L"VELDRIAN RGB Control_Config";
// Window creation waits this long after the DRAM discovery.
constexpr DWORD kDiscoveryPauseMs = 500;
constexpr int kMaxGroups = 4;

class CHalcyDlg : public CDialog {
public:
    CHalcyDlg() noexcept;

    const SettingsBlock& LiveSettings() const noexcept { return m_cfg; }
    const SettingsBlock& SavedSettings() const noexcept { return m_cfgSaved; }
    const DeviceList& Devices() const noexcept { return m_devices; }
    std::span<const int> AvailableGroups() const noexcept { return {m_groups, static_cast<size_t>(m_groupCount)}; }
    int CurrentGroup() const noexcept { return m_curGroup; }

    // Writes the live block to the settings file, makes it the saved block and restarts the
    // lighting service so it reads the file afresh.
    void ApplySettings();

protected:
    BOOL OnInitDialog() override;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    int OnCreate(CREATESTRUCTW* create);
    HCURSOR OnQueryDragIcon() const noexcept { return m_hIcon; }
    void AddGroup(int group) noexcept;

    HICON m_hIcon;            // shared resource icon: the system owns it
    SettingsBlock m_cfg{};      // live block: every control edits it
    SettingsBlock m_cfgSaved{}; // what was last read from or written to the settings file
    DeviceList m_devices;       // descriptor documents of each group, from discovery

    int m_groupCount = 0;
    int m_groups[kMaxGroups] = {}; // available groups in the order they became available
    int m_curGroup = kGroupDram;   // the shown group
};
