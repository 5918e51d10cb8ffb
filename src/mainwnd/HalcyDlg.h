// CHalcyDlg: the program's main window, a modal dialog skinned entirely at run time. Its
// members live in several files: start and message map (HalcyDlg.cpp), the layout build
// (SkinLayout.cpp), commands and the panel (PanelCommands.cpp, PanelRefresh.cpp), device,
// profile and language choice (Selection.cpp), the colour editor (ColourEditor.cpp),
// window messages (WindowMessages.cpp) and painting (Painting.cpp).
#pragma once

#include "controls/ButtonMenu.h"
#include "controls/MaskWindow.h"
#include "devices/DeviceList.h"
#include "framework/Dialog.h"
#include "framework/Handles.h"
#include "mainwnd/DropDownList.h"
#include "mainwnd/EditCursor.h"
#include "mainwnd/MainControls.h"
#include "settings/SettingsBlock.h"
#include "skin/Bitmap.h"
#include "skin/SkinValues.h"
#include "skin/Surface.h"

#include <windows.h>

#include <cstdint>
#include <span>
#include <string>

constexpr const wchar_t* kMainWindowCaption = L"VELDRIAN RGB Control_Config";
// Window creation waits this long after the DRAM discovery.
constexpr DWORD kDiscoveryPauseMs = 500;

// Control ids of the sliders and the knob: the only controls told apart by id.
constexpr UINT kModeScrollId = kVerticalSliderId; // 10001
constexpr UINT kSliderRedId = 10002;
constexpr UINT kSliderGreenId = 10003;
constexpr UINT kSliderBlueId = 10004;
constexpr UINT kSliderSaturationId = 10005;
constexpr UINT kKnobHueId = kKnobId; // 10006
constexpr UINT kSliderBrightnessId = 10007;
constexpr UINT kSliderSpeedId = 10008;
constexpr UINT kSliderLevelId = 10010;

// Posted by a drop-down list: the chosen item's value in the high word of lParam.
constexpr UINT WM_MENU_SELECTION = CPngBtnMenu::kDefaultClickMessage;
// Messages from other programs, which find the window by its caption.
constexpr UINT WM_PROGRAM_PING = WM_USER + 20;       // answered with 1
constexpr UINT WM_PROGRAM_EXIT = WM_USER + 600;      // ends the program without applying
constexpr WPARAM kProgramExitCodes[] = {1625, 1626}; // the wParam values that do
constexpr UINT WM_PROGRAM_RESTORE = 4000;            // shows the window normally
// Starts the question about the SSD group; sent from outside as a timer message.
constexpr UINT_PTR kSsdWarningTimer = 20010;
constexpr const wchar_t* kPreferenceCaption = L"VELDRIAN RGB Control_Preference";
// Fixed areas of the client: the strip that moves the window and the mode list.
constexpr RECT kDragStrip{0, 0, 1200, 48};
constexpr RECT kModeListArea{91, 93, 242, 437};

class CHalcyDlg : public CDialog {
public:
    CHalcyDlg() noexcept;

    const SettingsBlock& LiveSettings() const noexcept { return m_cfg; }
    // The live block as the controls edit it, for code that stands in for an edit.
    SettingsBlock& LiveSettings() noexcept { return m_cfg; }
    const SettingsBlock& SavedSettings() const noexcept { return m_cfgSaved; }
    const DeviceList& Devices() const noexcept { return m_devices; }
    std::span<const int> AvailableGroups() const noexcept { return m_cursor.OfferedGroups(); }
    int CurrentGroup() const noexcept { return m_cursor.Group(); }
    // What the window is editing: the group, record, mode, slot and colour in hand.
    const EditCursor& Cursor() const noexcept { return m_cursor; }
    // The controls, for code that drives the window as a person does.
    MainControls& Controls() noexcept { return m_ui; }
    // The language or device list, while one is open.
    const DropDownList& DropDown() const noexcept { return m_list; }
    // The caption of the mode in use, as painted above the panel.
    const std::wstring& ModeName() const noexcept { return m_modeName; }
    // The composed background and what is painted over it: the labels and panel pictures of
    // the display shown.
    const Bitmap& Background() const noexcept { return m_background; }
    void PaintScreen(HDC dc);

    // Writes the live block to the settings file, makes it the saved block and restarts the
    // lighting service so it reads the file afresh. While the restart waits for the service,
    // the window handles its messages but takes no commands (OnCommandWhileApplying).
    void ApplySettings();
    // Takes the text of the colour field the person typed into, if any, as the new colour.
    void TakePendingColour();
    // Creates the controls from the skin of the live language, or dresses them again.
    void BuildSkinLayout();

protected:
    BOOL OnInitDialog() override;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    BOOL PreTranslateMessage(MSG* msg) override;

private:
    // Which controls of the colour editor an edit came from: they already show it.
    enum class ColourSource { rgbSlider, hsvControl, elsewhere };

    // Start (HalcyDlg.cpp)
    int OnCreate(CREATESTRUCTW* create);
    HCURSOR OnQueryDragIcon() const noexcept { return m_hIcon; }
    void ShowGroup(int group);
    void ShowCurrentGroup();
    BOOL OnCommandWhileApplying(WPARAM wParam, LPARAM lParam);

    // Layout (SkinLayout.cpp)
    void ComposeBackground();
    void BuildTopButtons();
    void BuildGroupButtons();
    void PlaceGroupColumn();
    void BuildModeList();
    void BuildColourEditor();
    void BuildTextRegion();

    // Commands (PanelCommands.cpp)
    void OnApplyButton();
    void OnResetButton();
    void OnLedSwitch();
    void OnDisplaySwitch(CPngListBtn& clicked, std::int32_t& setting, CPngListBtn& other, std::int32_t& otherSetting);
    void OnRazerSwitch();
    void OnModeChosen(int mode);
    LRESULT OnSliderPos(WPARAM value, LPARAM id);
    void TakeModeOfRecordInUse();

    // Panel (PanelRefresh.cpp)
    void RefreshPanel(bool scrollModes);
    void RefreshSwitches();
    void RefreshGroupCaptions(int documentCount);
    void RefreshColourSlots();
    void RefreshModeButtons(bool scrollModes);
    void UpdatePanelVisibility();
    void ScrollModeList(int top);

    // Selection (Selection.cpp)
    // Says whether a list was open.
    bool CloseOpenMenu() noexcept;
    void OnGroupClicked(HWND source);
    void OnMenuSelection(int value, int menuGroup);
    void OnProfileClicked(HWND source);

    // Colour editor (ColourEditor.cpp)
    void EditColour(const EditorColour& colour, ColourSource moved);
    void SetRgbSliders(const EditorColour& colour);
    void CommitColourField(CClrEdit* field);
    void OnSlotClicked(HWND source);
    void OnPresetClicked(HWND source);
    void OnSameColourClicked();
    void OnColourFieldClicked(CClrEdit& field);
    CClrEdit* ColourFieldOf(HWND wnd) noexcept;
    void OnColourFieldKeyUp(CClrEdit& field, WPARAM key);

    // Window messages (WindowMessages.cpp)
    void OnMouseMove(HWND source, LPARAM point);
    LRESULT OnMouseWheel(WPARAM wParam, LPARAM lParam);
    void OnLButtonDown(LPARAM point);
    void OnTimer(UINT_PTR id);
    void AskForSsdGroup();
    void ShowSsdGroup();
    void OnActivateApp(bool active);
    void OnProgramRestore();
    void OnProgramExit(WPARAM code);
    void CloseOwnModalWindows();

    // Painting (Painting.cpp)
    void OnPaint();

    HICON m_hIcon;                   // shared resource icon: the system owns it
    SettingsBlock m_cfg{};           // live block: every control edits it
    SettingsBlock m_cfgSaved{};      // what was last read from or written to the settings file
    EditCursor m_cursor{m_cfg};      // what the controls edit in the live block
    DeviceList m_devices;            // descriptor documents of each group, from discovery
    Bitmap m_background;             // the background picture with the fixed skin pictures drawn in
    std::wstring m_backgroundSource; // what m_background was composed from
    bool m_backgroundChanged = true; // whether the last build composed the background anew
    KeptSurface m_paintSurface;      // where OnPaint composes
    GdiRegion m_textRegion;          // every label and panel picture: what a panel change repaints

    MainControls m_ui;   // the controls a person sees and uses
    CMaskWindow m_mask;  // covers the window while the warning dialog is open
    DropDownList m_list; // the language or device list, while open

    int m_layoutBuilt = 0;

    RECT m_groupRect{};      // anchor of the group button column
    std::wstring m_modeName; // the caption of the mode in use, painted above the panel
    RECT m_modeListRect{};   // the topmost visible mode button
    int m_pointerInModeList = 0;
    CClrEdit* m_pendingEdit = nullptr; // a clicked colour field whose text is not taken yet
    bool m_warningOpen = false;
    bool m_applying = false;           // Apply is under way: its restart waits for the service
    bool m_ssdQuestionWaiting = false; // the SSD question was asked for during Apply
};
