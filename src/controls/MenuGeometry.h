// The arithmetic of the drop-down list (CPngBtnMenu): how many rows it shows, which item
// stands in the top row after a scroll request, where the list, its rows, its scroll bar and
// its fixed buttons lie, how a list-sized image is brought to the list's height and where a
// sub-list opens. Platform-free, so it builds without the Windows headers.
#pragma once

#include <vector>

namespace menu {

// The scroll codes of a WM_VSCROLL request (the values of SB_LINEUP ... SB_BOTTOM).
enum ScrollCode : int {
    kLineUp = 0,
    kLineDown = 1,
    kPageUp = 2,
    kPageDown = 3,
    kThumbPosition = 4,
    kThumbTrack = 5,
    kTop = 6,
    kBottom = 7,
};

// The fixed sizes of the list, in pixels.
constexpr int kScrollBarWidth = 12; // the room the rows give up while the scroll bar shows
constexpr int kExtraWidth = 18;     // the list window is this much wider than its image

struct Point {
    int x = 0;
    int y = 0;
    friend bool operator==(const Point&, const Point&) = default;
};

struct Size {
    int cx = 0;
    int cy = 0;
    friend bool operator==(const Size&, const Size&) = default;
};

struct Rect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;

    int width() const noexcept { return right - left; }
    int height() const noexcept { return bottom - top; }
    bool contains(Point p) const noexcept { return p.x >= left && p.x < right && p.y >= top && p.y < bottom; }
    friend bool operator==(const Rect&, const Rect&) = default;
};

// Rows shown: -1 (or any negative request) means one per item; never more than the items.
int ResolveVisibleRows(int requested, int itemCount) noexcept;

// The item shown in the top row for a requested one (ScrollTo): 0 when the request is
// negative or there are fewer items than rows, else at most itemCount - visibleRows.
int ClampFirstVisible(int first, int itemCount, int visibleRows) noexcept;

// The requested top item for a WM_VSCROLL code (before ClampFirstVisible); page is the
// scroll bar's page, thumb the position the thumb codes carry. Unknown codes keep first.
int ScrollTarget(int code, int first, int itemCount, int page, int thumb) noexcept;

// The row an item stands in, or -1 when it is not among the visible rows.
int RowOfItem(int item, int first, int visibleRows) noexcept;

// The top item that makes an item the bottom row (SelectRow bringing it into view).
int FirstVisibleForBottomRow(int item, int visibleRows) noexcept;

// What the layout of a list depends on. A fixed button that is not configured has height 0.
struct LayoutInput {
    int imageWidth = 0;  // W: width of the normal image
    int visibleRows = 0; // resolved
    int rowHeight = 0;
    int sideInset = 0;
    int topInset = 0;
    int topButtonHeight = 0;
    int bottomButtonHeight = 0;
    bool scrollBar = false; // more items than rows: the rows give up kScrollBarWidth
};

// The list window: W + 18 wide; rows x row height + top inset + both fixed buttons high.
// Sizes are kept within what a window can take.
Size ListSize(const LayoutInput& in) noexcept;
// Row k in list (client) coordinates: from the side inset, as wide as the image less both
// side insets (and the scroll bar's room), below the top inset and the top button.
Rect RowRect(const LayoutInput& in, int row) noexcept;
// The scroll bar before it takes its sheet's thickness: 12 wide at W - 12, as high as the rows.
Rect ScrollBarRect(const LayoutInput& in) noexcept;
// The fixed buttons at the top-left and bottom-left corners, at their images' sizes.
Rect TopButtonRect(const LayoutInput& in, Size button) noexcept;
Rect BottomButtonRect(const LayoutInput& in, Size button) noexcept;

// One horizontal band copied from source rows [sourceTop, sourceTop + height) to target rows
// [targetTop, targetTop + height).
struct Slice {
    int sourceTop = 0;
    int targetTop = 0;
    int height = 0;
    friend bool operator==(const Slice&, const Slice&) = default;
};

// How an image sourceHeight high becomes targetHeight high: the top and bottom bands (each
// `band` rows, one row of the list) are kept, the middle band is repeated or cut. A source
// without a middle band repeats its top band (so a row-sized image repeats itself); a band of
// 0 repeats or cuts the whole image.
std::vector<Slice> FitBands(int sourceHeight, int targetHeight, int band);

// Where a sub-list opens (screen coordinates): to the right of the parent list's visible
// area, level with the top of the row, kept on the work area (to the left of the list when it
// does not fit on the right). sub is the sub-list's visible size.
Point PlaceSubList(const Rect& parentList, const Rect& row, Size sub, const Rect& workArea) noexcept;

} // namespace menu
