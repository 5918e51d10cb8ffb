// CSkinScrollBar: a scroll bar drawn from a cell sheet that keeps the standard scroll bar
// interface (the scroll functions, WM_VSCROLL / WM_HSCROLL with the SB_ codes).
#pragma once

#include "controls/ScrollBarGeometry.h"
#include "framework/ScrollBar.h"
#include "skin/Surface.h"

#include <windows.h>

// The bar keeps its own copy of the scroll state: the scroll functions reach it through the
// SBM_ messages, which it answers itself, so the system control never draws its own face.
// Arrows and page areas repeat while held (500 ms first, then every 100 ms); the thumb is
// dragged with the pointer; arrows and the thumb light up under the pointer.
//
// The sheet is 9 columns by 3 rows of cells. Columns: first arrow, second arrow, thumb,
// track (vertical bars), the same four again for horizontal bars, one unused. Rows: normal,
// highlighted, pressed.
class CSkinScrollBar : public CScrollBar {
public:
    // The bar draws from sheet but does not own it: the sheet must outlive the bar's use of
    // it. The window becomes one cell width thick, its top-left corner kept.
    void SetBitmap(HBITMAP sheet);
    bool IsVertical() const noexcept { return (GetStyle() & SBS_VERT) != 0; }

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    void PreSubclassWindow() override;

private:
    using Part = scrollbar::Part;

    // The scroll state, answered in place of the system control.
    LRESULT OnSetScrollInfo(bool redraw, const SCROLLINFO* info);
    LRESULT OnGetScrollInfo(SCROLLINFO* info) const;
    LRESULT OnSetPos(int position, bool redraw);
    LRESULT OnSetRange(int minimum, int maximum, bool redraw);
    LRESULT OnGetRange(int* minimum, int* maximum) const;

    void OnSize(int width, int height);
    void OnPaint();
    void OnPrintClient(HDC target);
    void OnLButtonDown(POINT point);
    void OnMouseMove(POINT point);
    void OnLButtonUp();
    bool OnTimer(UINT_PTR id);
    void OnMouseLeave();
    void OnCaptureChanged(HWND gainedBy);

    void FollowPointer(POINT point);
    void ContinueDrag(POINT point);
    void UpdateHover(POINT point);
    void UpdatePointerOff(POINT point);
    void Repeat();
    void EndPress();
    // Sends a scroll code (SB_) to the parent; false when the window did not survive the call.
    bool Notify(int code, int position = 0);

    scrollbar::Metrics ShownMetrics() const noexcept;
    scrollbar::Layout CurrentLayout() const noexcept;
    Part HitTest(POINT point) const noexcept;
    int Along(POINT point) const noexcept;
    RECT Oriented(int alongBegin, int alongEnd, int acrossBegin, int acrossEnd) const noexcept;
    RECT PartRect(const scrollbar::Layout& layout, Part part) const noexcept;
    RECT TrackRect() const noexcept;

    // Drawing: the whole face is composed off screen and the changed area copied to the
    // window, so every repaint shows the current hover, press and drag state.
    bool HasSheet() const noexcept { return m_sheet && m_cellWidth > 0 && m_cellHeight > 0; }
    void PaintFace(HDC target, const RECT& area) const;
    void ComposeFace(HDC target, const RECT& client) const;
    int RowOf(Part part) const noexcept;
    int ColumnOf(Part part) const noexcept;
    RECT CellSlice(int column, int row, int alongBegin, int alongEnd) const noexcept;
    void TileCell(HDC target, HDC sheet, int column, const RECT& area) const;
    void DrawThumb(HDC target, HDC sheet, const RECT& area) const;

    HBITMAP m_sheet = nullptr;
    mutable KeptSurface m_surface; // composing changes no state of the bar
    int m_cellWidth = 0;
    int m_cellHeight = 0;
    int m_length = 0;
    int m_minimum = 0;
    int m_maximum = 0;
    int m_page = 0;
    int m_position = 0;
    int m_trackPosition = -1;
    bool m_dragging = false;
    POINT m_dragStart{};
    int m_dragStartPosition = 0;
    Part m_pressedPart = Part::None;
    bool m_fastRepeat = false;
    Part m_hotPart = Part::None;
    bool m_pointerOff = false;
    bool m_trackingLeave = false;
    // Where the pointer was last reported; the bar holds the capture while a part is
    // pressed, so every move reaches it.
    POINT m_lastPointer{-1, -1};
};
