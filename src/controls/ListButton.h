// CPngListBtn: the button of the whole window. Its face is blended with per-pixel alpha
// over the piece of the window background that lies behind it, with an optional icon and
// a one-line caption on top; a wheel turn over it scrolls the list it stands in.
#pragma once

#include "controls/BitmapButtonEx.h"
#include "controls/ButtonBackdrop.h"
#include "skin/KeptFont.h"

class CPngListBtn : public CBitmapBtnEx {
public:
    static constexpr int kNoIndex = -1;
    static constexpr int kIndexIndent = 40; // caption shift of a button that has a list index

    // The face, caption colour and icon of a state (first matching row of the look table).
    static ButtonLook ChooseLook(const ButtonState& state) noexcept;

    // Repaints only when text, margin or index change.
    void SetCaptionEx(const std::wstring& text, int margin, int index);
    // Each given source is cut to (right - left) x (bottom - top) from its top-left corner
    // and becomes the icon of the normal, over or down look.
    void SetIcons(const Bitmap* normal, const Bitmap* over, const Bitmap* down, int left, int top, int right,
                  int bottom);
    // The button's piece of the window background: the crop of source at this rectangle.
    void SetBackground(int left, int top, int right, int bottom, const Bitmap& source);

    // The skin item name the faces came from, so a rebuild can keep faces it would only make again.
    void SetSkinName(const std::wstring& name) { m_skinName = name; }
    const std::wstring& SkinName() const noexcept { return m_skinName; }

    int GetIndex() const noexcept { return m_index; }
    bool HasIcon() const noexcept { return m_iconRect.left > -1; }

    void DrawItem(DRAWITEMSTRUCT* item) override;

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    // What a derived button draws over the composed face, before it reaches the screen.
    virtual void DrawOverFace(HDC /*dc*/, SIZE /*size*/, const ButtonLook& /*look*/) const {}

private:
    struct CaptionPlace {
        RECT rect;
        UINT format;
    };
    CaptionPlace PlaceCaption(int width, int height, SIZE extent) const noexcept;
    void DrawCaption(HDC dc, int width, int height, const ButtonLook& look) const;

    int m_index = kNoIndex;
    ButtonBackdrop m_backdrop;
    mutable KeptFont m_font;       // the caption's, kept while its description stays
    std::array<Bitmap, 3> m_icons; // normal, over, down
    int m_iconGap = 0;
    RECT m_iconRect{-1, 0, 0, 0};
    std::wstring m_skinName;
};
