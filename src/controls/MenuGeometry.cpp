// Drop-down list arithmetic: rows, scrolling, layout, band fitting and sub-list placement.
#include "controls/MenuGeometry.h"

#include <algorithm>
#include <climits>

namespace menu {

namespace {

// Windows keep their sizes and places within 16 bits; the owner's values are not validated,
// so every sum and product is taken in 64 bits and brought back within this.
constexpr long long kMaxExtent = 32767;

int Extent(long long value) noexcept
{
    return static_cast<int>(std::clamp<long long>(value, 0, kMaxExtent));
}

int Coordinate(long long value) noexcept
{
    return static_cast<int>(std::clamp<long long>(value, -kMaxExtent, kMaxExtent));
}

int ToInt(long long value) noexcept
{
    return static_cast<int>(std::clamp<long long>(value, INT_MIN, INT_MAX));
}

int ButtonsAndInset(const LayoutInput& in) noexcept
{
    return Extent(static_cast<long long>(Extent(in.topInset)) + Extent(in.topButtonHeight));
}

} // namespace

int ResolveVisibleRows(int requested, int itemCount) noexcept
{
    const int count = std::max(itemCount, 0);
    if (requested < 0)
        return count;
    return std::min(requested, count);
}

int ClampFirstVisible(int first, int itemCount, int visibleRows) noexcept
{
    if (first < 0 || itemCount < visibleRows)
        return 0;
    return std::max(0, std::min(first, ToInt(static_cast<long long>(itemCount) - visibleRows)));
}

int ScrollTarget(int code, int first, int itemCount, int page, int thumb) noexcept
{
    const long long count = itemCount;
    switch (code) {
    case kLineUp:
        return first > 0 ? first - 1 : 0;
    case kLineDown:
        return first < count - page ? ToInt(first + 1LL) : first;
    case kPageUp:
        return first > 0 ? ToInt(std::max(0LL, static_cast<long long>(first) - page)) : first;
    case kPageDown:
        return first < count ? ToInt(std::min(count - page, static_cast<long long>(first) + page)) : first;
    case kThumbPosition:
    case kThumbTrack:
        return thumb;
    case kTop:
        return 0;
    case kBottom:
        return itemCount;
    default:
        return first;
    }
}

int RowOfItem(int item, int first, int visibleRows) noexcept
{
    const long long row = static_cast<long long>(item) - first;
    return item >= 0 && row >= 0 && row < visibleRows ? static_cast<int>(row) : -1;
}

int FirstVisibleForBottomRow(int item, int visibleRows) noexcept
{
    return ToInt(static_cast<long long>(item) + 1 - visibleRows);
}

Size ListSize(const LayoutInput& in) noexcept
{
    const long long rows = static_cast<long long>(Extent(in.visibleRows)) * Extent(in.rowHeight);
    return {Extent(static_cast<long long>(Extent(in.imageWidth)) + kExtraWidth),
            Extent(rows + Extent(in.topInset) + Extent(in.topButtonHeight) + Extent(in.bottomButtonHeight))};
}

// A row reaches from the side inset to twice the inset short of the image's right edge (less
// the scroll bar while it shows), so a skin's inset leaves its frame clear on both sides.
Rect RowRect(const LayoutInput& in, int row) noexcept
{
    const long long right =
        static_cast<long long>(in.imageWidth) - 2LL * in.sideInset - (in.scrollBar ? kScrollBarWidth : 0);
    const long long top = static_cast<long long>(ButtonsAndInset(in)) + static_cast<long long>(row) * in.rowHeight;
    const int left = Coordinate(in.sideInset);
    const int y = Coordinate(top);
    return {left, y, Coordinate(std::max<long long>(left, right)),
            Coordinate(y + static_cast<long long>(Extent(in.rowHeight)))};
}

Rect ScrollBarRect(const LayoutInput& in) noexcept
{
    const int left = Coordinate(static_cast<long long>(in.imageWidth) - kScrollBarWidth);
    const int top = ButtonsAndInset(in);
    const long long height = static_cast<long long>(Extent(in.visibleRows)) * Extent(in.rowHeight);
    return {left, top, left + kScrollBarWidth, Coordinate(top + static_cast<long long>(Extent(height)))};
}

Rect TopButtonRect(const LayoutInput&, Size button) noexcept
{
    return {0, 0, Extent(button.cx), Extent(button.cy)};
}

Rect BottomButtonRect(const LayoutInput& in, Size button) noexcept
{
    const int bottom = ListSize(in).cy;
    return {0, bottom - Extent(button.cy), Extent(button.cx), bottom};
}

std::vector<Slice> FitBands(int sourceHeight, int targetHeight, int band)
{
    std::vector<Slice> slices;
    if (sourceHeight <= 0 || targetHeight <= 0)
        return slices;
    if (sourceHeight == targetHeight) {
        slices.push_back({0, 0, targetHeight});
        return slices;
    }
    band = std::max(band, 0);
    const int top = std::min({band, sourceHeight, targetHeight});
    const int bottom = std::min({band, sourceHeight - top, targetHeight - top});
    const int middle = targetHeight - top - bottom;

    int middleSource = top;
    int middleLength = sourceHeight - top - bottom;
    if (middleLength <= 0) {
        // Nothing between the bands: the top band (or, without bands, the image) repeats.
        middleSource = 0;
        middleLength = top > 0 ? top : sourceHeight;
    }

    if (top > 0)
        slices.push_back({0, 0, top});
    for (int y = top; y < top + middle;) {
        const int height = std::min(middleLength, top + middle - y);
        slices.push_back({middleSource, y, height});
        y += height;
    }
    if (bottom > 0)
        slices.push_back({sourceHeight - bottom, targetHeight - bottom, bottom});
    return slices;
}

Point PlaceSubList(const Rect& parentList, const Rect& row, Size sub, const Rect& workArea) noexcept
{
    long long x = parentList.right;
    if (x + sub.cx > workArea.right)
        x = static_cast<long long>(parentList.left) - sub.cx;
    x = std::min<long long>(x, static_cast<long long>(workArea.right) - sub.cx);
    x = std::max<long long>(x, workArea.left);

    long long y = row.top;
    y = std::min<long long>(y, static_cast<long long>(workArea.bottom) - sub.cy);
    y = std::max<long long>(y, workArea.top);
    return {ToInt(x), ToInt(y)};
}

} // namespace menu
