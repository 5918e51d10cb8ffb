// CHalcyDlg: the program's main window, a modal dialog skinned entirely at run time.
#pragma once

#include "framework/Dialog.h"
#include "settings/SettingsBlock.h"

#include <windows.h>

constexpr const wchar_t* kMainWindowCaption = L"VELDRIAN RGB Control_Config";

class CHalcyDlg : public CDialog {
public:
    CHalcyDlg() noexcept;

    const SettingsBlock& LiveSettings() const noexcept { return m_cfg; }
    const SettingsBlock& SavedSettings() const noexcept { return m_cfgSaved; }

protected:
    BOOL OnInitDialog() override;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    int OnCreate(CREATESTRUCTW* create);
    HCURSOR OnQueryDragIcon() const noexcept { return m_hIcon; }

    HICON m_hIcon;            // shared resource icon: the system owns it
    SettingsBlock m_cfg{};      // live block: every control edits it
    SettingsBlock m_cfgSaved{}; // what was last read from or written to the settings file
};
