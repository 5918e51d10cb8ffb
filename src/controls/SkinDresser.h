// Dressing the skinned controls of one window from skin items ("name,x,y,width,height,text,flag"):
// buttons, sliders, the knob, colour cells and colour fields. Every window that builds its
// controls from the skin dresses them here, so each control is dressed one way.
#pragma once

#include "controls/ColourEdit.h"
#include "controls/HSliderBar.h"
#include "controls/Knob.h"
#include "controls/SkinButton.h"
#include "controls/SwatchButton.h"
#include "controls/VSliderBar.h"
#include "skin/Bitmap.h"
#include "skin/SkinValues.h"

#include <windows.h>

#include <string>
#include <vector>

// A first build (SkinDress::kCreateWindow) creates each control's window at its item's place
// and gives it its faces and range. Every build gives a slider and a colour cell its backdrop
// cut from the background (over an unchanged background only when it moves) and puts each
// control at its item's place.
class SkinDresser {
public:
    // The parent and background must outlive the dresser.
    SkinDresser(HWND parent, const Bitmap& background, SkinDress dress) noexcept;

    // The button of the item at section/key, or of an item the caller placed, as DressSkinButton
    // dresses it.
    void Button(CPngListBtn& button, const wchar_t* section, const std::wstring& key);
    void Button(CPngListBtn& button, const SkinItem& item);
    // Track faces from the item's set, thumb faces from its "_bar" set; the thumb at the top edge.
    void Slider(CPngHSliderBar& slider, UINT id, const SkinItem& item, int minimum, int maximum);
    void ScrollSlider(CPngVSliderBar& slider, const SkinItem& item, int minimum, int maximum);
    // The dial from the item's set, the thumb from its "_bar" set, the window shaped by its
    // "_mask.png" (a skin without one keeps the window square).
    void Knob(CPngRSliderBar2& knob, const SkinItem& item, int minimum, int maximum);
    // Faces from the item's set, tinted from its "_normal2.png" (the normal face without one);
    // the item's text as caption.
    void Swatch(CColorBtn2& swatch, const SkinItem& item);
    // Faces from the item's set, the item's text, white text in the skin's font face, which a
    // rebuild renews (a language may bring its own face). digitsOnly lets only digits be typed.
    void Edit(CClrEdit& edit, const SkinItem& item, bool digitsOnly);

    // The files in the skin folder that a dressing wanted and could not read, in order.
    const std::vector<std::wstring>& MissingFiles() const noexcept { return m_missing; }

private:
    void DressSlider(CPngSliderBar& slider, const SkinItem& item, int minimum, int maximum);
    // The control's piece of the background, unless it keeps the one it has.
    template <class Control>
    void GiveBackdrop(Control& control, const RECT& place) const;
    static void Place(const CWnd& control, const RECT& place);
    bool Creating() const noexcept { return m_dress == SkinDress::kCreateWindow; }

    HWND m_parent;
    const Bitmap& m_background;
    SkinDress m_dress;
    std::vector<std::wstring> m_missing;
};
