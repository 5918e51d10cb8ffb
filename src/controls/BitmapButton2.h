// CBitmapBtn2: the button base of the colour cells: a CBitmapBtn that reports a click on
// release at most once every 500 ms and reports the pointer entering the cell to the owner.
// Its caption has three colours and is set without a margin. The drawing belongs to the
// derived class.
#pragma once

#include "controls/BitmapButton.h"

#include <string>

// Posted to a cell's owner when the pointer enters it: wParam control id, lParam the cell.
constexpr UINT WM_SWATCH_ENTER = WM_USER + 129;

class CBitmapBtn2 : public CBitmapBtn {
public:
    static constexpr DWORD kClickGuardMs = 500;

    CBitmapBtn2() noexcept;

    // As CBitmapBtn::SetImages; also ends hover.
    void SetImages(const RECT& rect, const Bitmap& normal, const Bitmap& over, const Bitmap& down,
                   const Bitmap& disabled);
    // Repaints only when the flag changes; hover stays.
    void SetSelected(bool on);
    // Repaints even when the text stays.
    void SetCaption(const std::wstring& text);
    void SetTextColors(COLORREF normal, COLORREF hover, COLORREF down);

    void PreSubclassWindow() override;

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

    // Down colour while pressed or selected, else hover colour while hovered, else normal.
    COLORREF CaptionColour(bool pressed) const noexcept;
};
