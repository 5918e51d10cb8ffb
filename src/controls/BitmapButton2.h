// CBitmapBtn2: the button base of the colour cells. Like CBitmapBtn, but a click is
// reported on release at most once every 500 ms, and the pointer entering the cell is
// reported to the owner. The drawing belongs to the derived class.
#pragma once

#include "controls/ButtonToolTip.h"
#include "controls/HoverTracker.h"
#include "framework/Button.h"
#include "skin/SkinImageSet.h"

#include <array>
#include <string>

// Posted to a cell's owner when the pointer enters it: wParam control id, lParam the cell.
constexpr UINT WM_SWATCH_ENTER = WM_USER + 129;

class CBitmapBtn2 : public CButton {
public:
    static constexpr DWORD kClickGuardMs = 500;

    CBitmapBtn2() noexcept : m_hover(WM_SWATCH_ENTER) {}

    // As CBitmapBtn::SetImages; also ends hover.
    void SetImages(const RECT& rect, const Bitmap& normal, const Bitmap& over, const Bitmap& down,
                   const Bitmap& disabled);
    // Repaints only when the flag changes.
    void SetSelected(bool on);
    void SetCaption(const std::wstring& text);
    const std::wstring& GetCaption() const noexcept { return m_caption; }
    void SetTextColors(COLORREF normal, COLORREF hover, COLORREF down);
    void SetFontHeight(int height) noexcept { m_fontHeight = height; }
    void SetTooltipText(const wchar_t* text, bool activate);

    bool IsSelected() const noexcept { return m_selected; }
    bool IsHovered() const noexcept { return m_hover.IsOn(); }

    BOOL PreTranslateMessage(MSG* msg) override;
    void PreSubclassWindow() override;
    void DrawItem(DRAWITEMSTRUCT* item) override = 0;

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

    // Down colour while pressed or selected, else hover colour while hovered, else normal.
    COLORREF CaptionColour(bool pressed) const noexcept;
    const Bitmap& Face(int state) const noexcept { return m_faces[static_cast<size_t>(state)]; }

    int m_fontHeight = 15;
    std::wstring m_caption;

private:
    LRESULT OnMouseMove(WPARAM keys, LPARAM point);
    LRESULT OnLButtonUp(LPARAM point);
    LRESULT OnLButtonDblClk();
    void ClearHover();

    bool m_selected = false;
    CButtonToolTip m_toolTip;
    DWORD m_lastClickTick = 0;
    CHoverTracker m_hover;
    COLORREF m_normalColour = RGB(0xFF, 0xFF, 0xFF);
    COLORREF m_hoverColour = RGB(0xFF, 0xFF, 0xFF);
    COLORREF m_downColour = RGB(0xFF, 0xFF, 0xFF);
    std::array<Bitmap, SkinImageSet::kStateCount> m_faces;
};
