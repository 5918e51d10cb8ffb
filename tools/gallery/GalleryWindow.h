// CGalleryWnd: every skinned control in the shipped skin on one window. The top shows the
// controls at their skin places on the main background with the panel labels; the strip
// below shows the looks a button takes (hover, pressed, selected, disabled, toggled), the
// controls the main screen keeps hidden, a disabled slider and the device list open.
#pragma once

#include "controls/BitmapButtonEx.h"
#include "controls/ButtonMenu.h"
#include "controls/ColourEdit.h"
#include "controls/HSliderBar.h"
#include "controls/Knob.h"
#include "controls/ListButton.h"
#include "controls/SwatchButton.h"
#include "controls/VSliderBar.h"
#include "framework/Wnd.h"
#include "skin/SkinValues.h"

#include <memory>
#include <string>
#include <vector>

class CGalleryWnd : public CWnd {
public:
    static constexpr int kStripHeight = 290;

    // Builds the window from the skin under ProgramFolder; false when it cannot be made.
    bool Create();
    // Takes the hover and pressed looks the strip shows (the pointer rests on one button).
    void StageLooks();

    // Image sets the skin names that could not be loaded.
    const std::vector<std::wstring>& MissingImages() const noexcept { return m_missing; }
    // Every control window with a name for reports.
    struct Shown {
        HWND wnd;
        std::wstring name;
    };
    const std::vector<Shown>& Controls() const noexcept { return m_shown; }
    const Bitmap& Background() const noexcept { return m_background; }

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    struct Dressing {
        COLORREF normal, over, down, disabled;
    };

    bool ComposeBackground();
    void BuildMainScreen();
    void BuildStateStrip();
    void OpenMenus();

    CPngListBtn& AddListButton(const SkinItem& item, const Dressing& dressing, const std::wstring& label);
    CPngListBtn& AddSkinButton(const wchar_t* section, int key, const Dressing& dressing);
    CBitmapBtnEx& AddPlainButton(const RECT& place, const std::wstring& caption);
    CClrEdit& AddEdit(int key, bool hexOnly);
    CColorBtn2& AddSwatch(int key, COLORREF colour);
    // Calls dress with a dresser for a first build; the skin files it misses are reported.
    template <class Dress>
    void DressFromSkin(Dress dress);
    CPngHSliderBar& AddSlider(const SkinItem& item, UINT id, int minimum, int maximum, int value);
    void AddModeScroller(int minimum, int maximum, int value);
    void AddKnob(int minimum, int maximum, int value);
    // A drop-down list with the skin's faces for `name` ("Device", "Len") to open at a client point.
    CPngBtnMenu& AddMenu(const std::wstring& name, POINT place, int rowHeight);
    void LoadSet(const std::wstring& name, SkinImageSet& set, SIZE* size);
    void Track(HWND wnd, const std::wstring& name) { m_shown.push_back({wnd, name}); }

    void Paint(HDC dc) const;
    void PaintPanelLabels(HDC dc) const;
    void PaintStrip(HDC dc) const;

    Bitmap m_background;
    int m_skinHeight = 0;
    std::vector<std::unique_ptr<CPngListBtn>> m_listButtons;
    std::vector<std::unique_ptr<CBitmapBtnEx>> m_plainButtons;
    std::vector<std::unique_ptr<CClrEdit>> m_edits;
    std::vector<std::unique_ptr<CColorBtn2>> m_swatches;
    std::vector<std::unique_ptr<CPngHSliderBar>> m_sliders;
    CPngVSliderBar m_modeScroller;
    CPngRSliderBar2 m_knob;
    std::vector<std::unique_ptr<CPngBtnMenu>> m_menus;
    CPngListBtn* m_hoverSample = nullptr;
    CPngListBtn* m_pressedSample = nullptr;
    CBitmapBtnEx* m_pressedPlain = nullptr;
    std::vector<std::wstring> m_missing;
    std::vector<Shown> m_shown;
};
