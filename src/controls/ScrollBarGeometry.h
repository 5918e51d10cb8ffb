// Geometry and hit testing of the skinned scroll bar along its axis: where the arrows, the
// page areas and the thumb lie for a given length and scroll state, and where a thumb drag
// lands. Platform-free, so it builds without the Windows headers.
#pragma once

namespace scrollbar {

// The parts of a bar. The values are the scroll codes the bar sends for each part
// (SB_LINEUP, SB_LINEDOWN, SB_PAGEUP, SB_PAGEDOWN, SB_THUMBTRACK).
enum class Part : int {
    None = -1,
    FirstArrow = 0,
    SecondArrow = 1,
    PageBefore = 2,
    PageAfter = 3,
    Thumb = 5,
};

constexpr bool IsArrow(Part part) noexcept
{
    return part == Part::FirstArrow || part == Part::SecondArrow;
}

constexpr bool IsPageArea(Part part) noexcept
{
    return part == Part::PageBefore || part == Part::PageAfter;
}

// Thumbs are never drawn shorter than this, and tracks shorter than this show no thumb.
constexpr int kMinThumbLength = 12;

// What the geometry needs of the scroll state. position is the one shown: the track
// position while the thumb is dragged, the scroll position otherwise.
struct Metrics {
    int minimum = 0;
    int maximum = 0;
    int page = 0;
    int position = 0;
};

// A half-open interval [begin, end) along the axis.
struct Span {
    int begin = 0;
    int end = 0;

    int length() const noexcept { return end - begin; }
    bool contains(int p) const noexcept { return p >= begin && p < end; }
    friend bool operator==(const Span&, const Span&) = default;
};

// The five parts of a bar laid along its axis, arrows at both ends.
struct Layout {
    int length = 0;      // L: the bar's extent along its axis
    int arrow = 0;       // a: each arrow's extent
    int track = 0;       // T: room between the arrows, never negative
    int thumbLength = 0; // g: 0 when no thumb is shown
    int thumbOffset = 0; // h: thumb start, measured from the end of the first arrow

    Span PartSpan(Part part) const noexcept;
};

// Positions a drag can reach beyond the minimum: the range less one page. Zero or less when
// the page covers the whole range, so nothing can be scrolled.
long long ScrollableSpan(const Metrics& metrics) noexcept;
// The largest position the thumb can be dragged to.
int LastScrollPosition(const Metrics& metrics) noexcept;

// The layout that is drawn: an unscrollable range shows no thumb.
Layout ComputeLayout(int cellWidth, int length, const Metrics& metrics) noexcept;
// The part under coordinate p along the axis. Unlike the drawn layout, an unscrollable range
// keeps its thumb here, so a press between the arrows starts a drag that goes nowhere.
Part HitTest(int cellWidth, int length, const Metrics& metrics, int p) noexcept;
// The position a thumb drag reaches when the pointer has moved delta pixels along the axis
// since the drag started at startPosition; kept within the minimum and LastScrollPosition.
int DragPosition(int cellWidth, int length, const Metrics& metrics, int startPosition, int delta) noexcept;

} // namespace scrollbar
