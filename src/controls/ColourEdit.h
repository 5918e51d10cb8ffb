// CClrEdit: a colour editor text box painted over a piece of the skin, with white text, an
// optional hexadecimal-only filter and reports of every typed character and of clicks.
#pragma once

#include "framework/Edit.h"
#include "skin/SkinImageSet.h"

#include <array>
#include <string>

// Posted to the parent for every character typed, accepted or not: wParam 0, lParam the
// control id.
constexpr UINT WM_EDIT_CHAR = WM_USER + 72;

class CClrEdit : public CEdit {
public:
    static constexpr int kFontHeight = 16;

    ~CClrEdit() override;

    // Each image becomes the crop of its source at rect; only the first is drawn (as the
    // background brush). The border and tab-stop styles go.
    void SetImages(const RECT& rect, const Bitmap& normal, const Bitmap& over, const Bitmap& down,
                   const Bitmap& disabled);
    // Keeps the font while the face stays the same.
    void SetFontFace(const std::wstring& face);
    void SetHexOnly() noexcept { m_hexOnly = true; }
    void SetTextColour(COLORREF colour) noexcept { m_textColour = colour; }
    bool IsHexOnly() const noexcept { return m_hexOnly; }
    // Sets the text unless the field already shows it: an unchanged field then neither sends
    // EN_CHANGE nor repaints itself and the skin under it.
    void ShowText(const std::wstring& text);
    // The same for a text the person is editing: a replaced text keeps the caret and the
    // selection where they were (within the new text), so typing goes on where it was.
    void ReplaceText(const std::wstring& text);

    // Whether the hexadecimal filter lets a typed character through: hexadecimal digits,
    // backspace and the clipboard keys Ctrl+C, Ctrl+V, Ctrl+X.
    static bool PassesHexFilter(WPARAM character) noexcept;

    BOOL OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) override;

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    HBRUSH OnCtlColor(HDC dc);
    LRESULT OnChar(WPARAM character);
    // Repaints the part of the parent under the field, so the skin behind the text is redrawn.
    void RepaintParentUnder() const;

    bool m_hexOnly = false;
    COLORREF m_textColour = RGB(0xFF, 0xFF, 0xFF);
    COLORREF m_backgroundColour = RGB(0, 0, 0);
    GdiBrush m_backgroundBrush;
    GdiFont m_font;
    std::wstring m_fontFace;
    std::array<Bitmap, SkinImageSet::kStateCount> m_images;
};
