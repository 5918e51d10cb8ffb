// CSkinScrollBar: the cell sheet and the face composed from it.
#include "controls/SkinScrollBar.h"

#include "framework/Handles.h"
#include "skin/PaintBuffer.h"

#include <algorithm>

namespace {

using scrollbar::IsArrow;
using scrollbar::Part;

constexpr int kSheetColumns = 9;
constexpr int kSheetRows = 3;
constexpr int kThumbColumn = 2;
constexpr int kTrackColumn = 3;
// Horizontal bars use the four columns after the vertical ones.
constexpr int kHorizontalColumnShift = 4;

constexpr int kRowNormal = 0;
constexpr int kRowHot = 1;
constexpr int kRowPressed = 2;

// The thumb keeps this many pixels at each end of its cell as caps; the middle of the cell
// repeats between them, so a thumb of any length keeps its rounded ends.
constexpr int kThumbCapLength = 6;

int Width(const RECT& r) noexcept
{
    return r.right - r.left;
}

int Height(const RECT& r) noexcept
{
    return r.bottom - r.top;
}

// Copies a piece of the sheet, stretching only where the target is not the piece's size.
void CopyPiece(HDC target, const RECT& to, HDC sheet, const RECT& from)
{
    if (Width(to) <= 0 || Height(to) <= 0)
        return;
    if (Width(to) == Width(from) && Height(to) == Height(from)) {
        ::BitBlt(target, to.left, to.top, Width(to), Height(to), sheet, from.left, from.top, SRCCOPY);
        return;
    }
    ::SetStretchBltMode(target, COLORONCOLOR);
    ::StretchBlt(target, to.left, to.top, Width(to), Height(to), sheet, from.left, from.top, Width(from), Height(from),
                 SRCCOPY);
}

} // namespace

void CSkinScrollBar::SetBitmap(HBITMAP sheet)
{
    BITMAP info{};
    if (sheet && ::GetObjectW(sheet, sizeof(info), &info)) {
        m_sheet = sheet;
        m_cellWidth = info.bmWidth / kSheetColumns;
        m_cellHeight = (info.bmHeight < 0 ? -info.bmHeight : info.bmHeight) / kSheetRows;
    } else {
        m_sheet = nullptr;
        m_cellWidth = m_cellHeight = 0;
    }
    if (!m_hWnd)
        return;
    if (m_cellWidth > 0) {
        const RECT r = GetWindowRect();
        const int width = IsVertical() ? m_cellWidth : Width(r);
        const int height = IsVertical() ? Height(r) : m_cellWidth;
        ::SetWindowPos(m_hWnd, nullptr, 0, 0, width, height, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
    Invalidate();
}

void CSkinScrollBar::OnPaint()
{
    PaintDc paint(m_hWnd);
    PaintFace(paint, GetClientRect());
}

void CSkinScrollBar::OnPrintClient(HDC target)
{
    if (target)
        PaintFace(target, GetClientRect());
}

void CSkinScrollBar::PaintFace(HDC target, const RECT& area) const
{
    if (!HasSheet())
        return;
    const RECT client = GetClientRect();
    const PaintBuffer buffer(target, area, {Width(client), Height(client)}, m_surface);
    if (buffer)
        ComposeFace(buffer.dc(), client);
}

void CSkinScrollBar::ComposeFace(HDC target, const RECT& client) const
{
    MemoryDc sheet(target);
    SelectGuard select(sheet, m_sheet);
    const scrollbar::Layout layout = CurrentLayout();
    const int cellAlong = IsVertical() ? m_cellHeight : m_cellWidth;

    // The track behind everything also fills a window thicker than one cell.
    TileCell(target, sheet, ColumnOf(Part::PageBefore), client);
    for (Part part : {Part::PageBefore, Part::PageAfter})
        TileCell(target, sheet, ColumnOf(part), PartRect(layout, part));
    for (Part part : {Part::FirstArrow, Part::SecondArrow})
        CopyPiece(target, PartRect(layout, part), sheet, CellSlice(ColumnOf(part), RowOf(part), 0, cellAlong));
    if (layout.thumbLength > 0)
        DrawThumb(target, sheet, PartRect(layout, Part::Thumb));
}

int CSkinScrollBar::RowOf(Part part) const noexcept
{
    if (part == Part::Thumb) {
        if (m_dragging)
            return kRowPressed;
        return m_pressedPart == Part::None && m_hotPart == Part::Thumb ? kRowHot : kRowNormal;
    }
    if (!IsArrow(part))
        return kRowNormal;
    if (m_pressedPart == part)
        return m_pointerOff ? kRowNormal : kRowPressed;
    return m_pressedPart == Part::None && m_hotPart == part ? kRowHot : kRowNormal;
}

int CSkinScrollBar::ColumnOf(Part part) const noexcept
{
    int column = kTrackColumn;
    if (IsArrow(part))
        column = static_cast<int>(part);
    else if (part == Part::Thumb)
        column = kThumbColumn;
    return IsVertical() ? column : column + kHorizontalColumnShift;
}

RECT CSkinScrollBar::CellSlice(int column, int row, int alongBegin, int alongEnd) const noexcept
{
    const int left = column * m_cellWidth;
    const int top = row * m_cellHeight;
    if (IsVertical())
        return {left, top + alongBegin, left + m_cellWidth, top + alongEnd};
    return {left + alongBegin, top, left + alongEnd, top + m_cellHeight};
}

void CSkinScrollBar::TileCell(HDC target, HDC sheet, int column, const RECT& area) const
{
    const int cellLeft = column * m_cellWidth;
    const int cellTop = kRowNormal * m_cellHeight;
    for (int y = area.top; y < area.bottom; y += m_cellHeight)
        for (int x = area.left; x < area.right; x += m_cellWidth)
            ::BitBlt(target, x, y, std::min<int>(m_cellWidth, area.right - x),
                     std::min<int>(m_cellHeight, area.bottom - y), sheet, cellLeft, cellTop, SRCCOPY);
}

void CSkinScrollBar::DrawThumb(HDC target, HDC sheet, const RECT& area) const
{
    const int column = ColumnOf(Part::Thumb);
    const int row = RowOf(Part::Thumb);
    const int cellAlong = IsVertical() ? m_cellHeight : m_cellWidth;
    const int begin = IsVertical() ? area.top : area.left;
    const int end = IsVertical() ? area.bottom : area.right;
    const int cap = std::min({kThumbCapLength, cellAlong, (end - begin + 1) / 2});

    CopyPiece(target, Oriented(begin, begin + cap, 0, m_cellWidth), sheet, CellSlice(column, row, 0, cap));
    CopyPiece(target, Oriented(end - cap, end, 0, m_cellWidth), sheet,
              CellSlice(column, row, cellAlong - cap, cellAlong));

    // In a cell shorter than two caps the caps share their middle pixels; that shared band
    // (or the one pixel where the caps meet) is what repeats.
    const int shared = cellAlong - kThumbCapLength;
    const int sliceBegin = std::clamp(std::min(kThumbCapLength, shared), 0, cellAlong - 1);
    const int sliceEnd =
        std::clamp(std::max(kThumbCapLength, shared), sliceBegin + 1, std::max(sliceBegin + 1, cellAlong));
    const int sliceLength = sliceEnd - sliceBegin;
    for (int at = begin + cap; at < end - cap; at += sliceLength) {
        const int length = std::min(sliceLength, end - cap - at);
        CopyPiece(target, Oriented(at, at + length, 0, m_cellWidth), sheet,
                  CellSlice(column, row, sliceBegin, sliceBegin + length));
    }
}
