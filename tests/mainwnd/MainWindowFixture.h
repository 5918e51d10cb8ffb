// The real main window over the built program folder, a temporary data folder and a
// devices folder of the test's own that the stand-in provider reads. Tests start from a
// settings file they write, then act on the window through its messages.
#pragma once

#include "mainwnd/HalcyDlg.h"

#include "FileText.h"
#include "ProgramFolderFixture.h"
#include "TempFolder.h"

#include "framework/WinApp.h"
#include "settings/SettingsStore.h"
#include "skin/SkinFile.h"
#include "skin/SkinValues.h"

#include <gtest/gtest.h>

#include <sstream>
#include <memory>
#include <string>

// The dialog as the tests of this folder reach it: its live block, editing cursor, controls
// and painting.
struct HalcyDlgTestAccess {
    CHalcyDlg& d;

    SettingsBlock& cfg() { return d.LiveSettings(); }
    const EffectInfo& record() const { return d.Cursor().RecordInUse(); }
    int curRecord() const { return d.Cursor().Record(); }
    int curMode() const { return d.Cursor().Mode(); }
    int selectedSlot() const { return d.Cursor().Slot(); }
    const std::wstring& modeName() const { return d.ModeName(); }
    // The topmost row of the mode list: the skin's place of the mode caption.
    static RECT modeListRect() { return ToRect(ParseSkinItem(GetSkinString(L"LED", L"2", L"")).rect); }

    MainControls& ui() { return d.Controls(); }
    CPngListBtn& apply() { return ui().apply; }
    CPngListBtn& close() { return ui().close; }
    CPngListBtn& reset() { return ui().reset; }
    CPngListBtn& audioSwitch() { return ui().audioSwitch; }
    CPngListBtn& syncSwitch() { return ui().syncSwitch; }
    CPngListBtn& ledSwitch() { return ui().ledSwitch; }
    CPngListBtn& razerSwitch() { return ui().razerSwitch; }
    CPngListBtn& sameColour() { return ui().sameColour; }
    CPngListBtn& language() { return ui().language; }
    CPngListBtn& group(int i) { return ui().group[i]; }
    CPngListBtn& profile(int i) { return ui().profile[i]; }
    CPngListBtn& mode(int i) { return ui().mode[i]; }
    CPngListBtn& variant(int i) { return ui().variant[i]; }
    CColorBtn2& slot(int i) { return ui().slot[i]; }
    CColorBtn2& preset(int i) { return ui().preset[i]; }
    CClrEdit& rgbField(int i) { return ui().rgbField[i]; }
    CClrEdit& hexField() { return ui().hexField; }
    CPngVSliderBar& modeScroll() { return ui().modeScroll; }
    CPngHSliderBar& red() { return ui().red; }
    CPngHSliderBar& green() { return ui().green; }
    CPngHSliderBar& blue() { return ui().blue; }
    CPngHSliderBar& saturation() { return ui().saturation; }
    CPngHSliderBar& brightness() { return ui().brightness; }
    CPngHSliderBar& speed() { return ui().speed; }
    CPngHSliderBar& level() { return ui().level; }
    CPngRSliderBar2& hue() { return ui().hue; }
    void paintScreen(HDC dc) { d.PaintScreen(dc); }
    HBITMAP background() const { return d.Background().get(); }
};

// Runs the window's queue as the program's loop does, with the pre-translate chain.
inline void Pump(DWORD ms = 50)
{
    const ULONGLONG end = ::GetTickCount64() + ms;
    do {
        MSG msg;
        while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            if (!AfxPreTranslateMessage(&msg)) {
                ::TranslateMessage(&msg);
                ::DispatchMessageW(&msg);
            }
        }
        ::Sleep(5);
    } while (::GetTickCount64() < end);
}

// A press and release in the middle of a control, as the mouse delivers them.
inline void Click(const CWnd& control)
{
    const RECT r = control.GetClientRect();
    const LPARAM centre = MAKELPARAM((r.right - r.left) / 2, (r.bottom - r.top) / 2);
    control.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, centre);
    control.SendMessage(WM_LBUTTONUP, 0, centre);
    Pump(10);
}

inline bool IsShown(const CWnd& control)
{
    return (control.GetStyle() & WS_VISIBLE) != 0;
}

// One descriptor document with one device of ledCount LEDs.
inline void WriteDescriptor(const std::wstring& path, const std::string& name, int ledCount)
{
    std::ostringstream out;
    out << "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<descriptor><version>1.0</version><type>458752</type>"
           "<device><name>"
        << name << "</name><id>1</id><layout><led_count>" << ledCount
        << "</led_count></layout></device></descriptor>\n";
    WriteFileBytes(path, out.str());
}

class MainWindowFixture : public ProgramFolderFixture {
protected:
    void SetUp() override
    {
        ProgramFolderFixture::SetUp();
        SetAppDataFolderForTesting(m_appData.path());
        InitDataFolder();
        InitSettingsFilePath();
        ::CreateDirectoryW((m_devicesFolder / L"dram").c_str(), nullptr);
        ::CreateDirectoryW((m_devicesFolder / L"ssd").c_str(), nullptr);
        ::SetEnvironmentVariableW(L"VELDRIAN_STANDIN_DEVICES", m_devicesFolder.path().c_str());
        ApplyFirstRunDefaults(m_block);
        m_block.lan_id = 0; // English captions in the screenshots
    }
    void TearDown() override
    {
        if (m_dialog && m_dialog->GetSafeHwnd())
            m_dialog->DestroyWindow();
        m_dialog.reset();
        ::SetEnvironmentVariableW(L"VELDRIAN_STANDIN_DEVICES", nullptr);
        ProgramFolderFixture::TearDown();
    }

    // count DRAM modules of ledCount LEDs each.
    void AddDramModules(int count, int ledCount)
    {
        for (int i = 1; i <= count; ++i)
            WriteDescriptor(m_devicesFolder / (L"dram\\module" + std::to_wstring(i) + L".xml"),
                            "Test DIMM " + std::to_string(i), ledCount);
    }

    // The record the window will edit first: record 0 of the DRAM group of profile 0 while
    // the group synchronises several modules (the defaults).
    EffectInfo& FirstRecord() { return m_block.profiles[0].dram.effects[0]; }

    // Writes m_block as the settings file and opens the window on it.
    void Open()
    {
        WriteAllSettings(m_block, SettingsFilePath());
        m_dialog = std::make_unique<CHalcyDlg>();
        ASSERT_TRUE(m_dialog->Create());
        Pump();
    }

    HalcyDlgTestAccess Window() { return {*m_dialog}; }
    const SettingsBlock& Live() const { return m_dialog->LiveSettings(); }
    void PostSlider(UINT id, int value)
    {
        m_dialog->PostMessage(WM_SLIDER_POS, static_cast<WPARAM>(value), static_cast<LPARAM>(id));
        Pump(20);
    }

    TempFolder m_appData;
    TempFolder m_devicesFolder;
    SettingsBlock m_block{};
    std::unique_ptr<CHalcyDlg> m_dialog;
};

// The main window over a copy of the built program folder, for tests that change its skin, and
// two DRAM modules of eight LEDs.
class CopiedProgramFolderFixture : public MainWindowFixture {
protected:
    void SetUp() override
    {
        MainWindowFixture::SetUp();
        ASSERT_TRUE(CopyTestProgramFolder(m_folder.path()));
        SetProgramFolderForTesting(m_folder.path());
        InitProgramFolder();
        AddDramModules(2, 8);
    }

    TempFolder m_folder;
};
