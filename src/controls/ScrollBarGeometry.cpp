// Scroll bar geometry: arrows, track, thumb length and offset, hit test and drag positions.
#include "controls/ScrollBarGeometry.h"

#include <algorithm>
#include <climits>

namespace scrollbar {

namespace {

// The owner's state is never validated, so products are taken in 64 bits and a range
// whose maximum lies below its minimum divides by nothing.
long long RangeCount(const Metrics& m) noexcept
{
    return static_cast<long long>(m.maximum) - m.minimum + 1;
}

int ToInt(long long value) noexcept
{
    return static_cast<int>(std::clamp<long long>(value, INT_MIN, INT_MAX));
}

int ArrowLength(int cellWidth, int length) noexcept
{
    return length - 2 * cellWidth <= 0 ? length / 2 : cellWidth;
}

// Thumb length for a track of the given size, before the unscrollable case is considered.
int ProportionalThumb(int track, const Metrics& m) noexcept
{
    if (track < kMinThumbLength)
        return 0;
    const long long count = RangeCount(m);
    const long long share = count <= 0 ? track : static_cast<long long>(track) * m.page / count;
    return std::max(kMinThumbLength, static_cast<int>(std::clamp<long long>(share, 0, track)));
}

int ThumbOffset(int track, int thumb, const Metrics& m) noexcept
{
    const int room = track - thumb;
    const long long span = ScrollableSpan(m);
    if (span <= 0)
        return room / 2;
    const long long offset = (static_cast<long long>(m.position) - m.minimum) * room / span;
    return static_cast<int>(std::clamp<long long>(offset, 0, room));
}

Layout BuildLayout(int cellWidth, int length, const Metrics& m, bool thumbWhenUnscrollable) noexcept
{
    Layout layout;
    layout.length = std::max(0, length);
    layout.arrow = ArrowLength(std::max(0, cellWidth), layout.length);
    layout.track = std::max(0, layout.length - 2 * std::max(0, cellWidth));
    layout.thumbLength = ProportionalThumb(layout.track, m);
    if (!thumbWhenUnscrollable && ScrollableSpan(m) <= 0)
        layout.thumbLength = 0;
    layout.thumbOffset = ThumbOffset(layout.track, layout.thumbLength, m);
    return layout;
}

} // namespace

Span Layout::PartSpan(Part part) const noexcept
{
    const int thumbStart = arrow + thumbOffset;
    const int thumbEnd = thumbStart + thumbLength;
    switch (part) {
    case Part::FirstArrow:
        return {0, arrow};
    case Part::PageBefore:
        return {arrow, thumbStart};
    case Part::Thumb:
        return {thumbStart, thumbEnd};
    case Part::PageAfter:
        return {thumbEnd, length - arrow};
    case Part::SecondArrow:
        return {length - arrow, length};
    case Part::None:
        break;
    }
    return {};
}

long long ScrollableSpan(const Metrics& m) noexcept
{
    // A page of 0 (never set) still leaves the last position reachable, as on a standard bar.
    return RangeCount(m) - std::max(m.page, 1);
}

int LastScrollPosition(const Metrics& m) noexcept
{
    return ToInt(m.minimum + std::max(ScrollableSpan(m), 0LL));
}

Layout ComputeLayout(int cellWidth, int length, const Metrics& metrics) noexcept
{
    return BuildLayout(cellWidth, length, metrics, false);
}

Part HitTest(int cellWidth, int length, const Metrics& metrics, int p) noexcept
{
    const Layout layout = BuildLayout(cellWidth, length, metrics, true);
    if (p < 0)
        return Part::None;
    for (Part part : {Part::FirstArrow, Part::PageBefore, Part::Thumb, Part::PageAfter, Part::SecondArrow})
        if (p < layout.PartSpan(part).end)
            return part;
    return Part::None;
}

int DragPosition(int cellWidth, int length, const Metrics& metrics, int startPosition, int delta) noexcept
{
    const Layout layout = ComputeLayout(cellWidth, length, metrics);
    const long long room = layout.track - layout.thumbLength;
    const long long span = std::max(ScrollableSpan(metrics), 0LL);
    const long long moved = room == 0 ? 0 : span * delta / room;
    const long long position = startPosition + moved;
    if (position < metrics.minimum)
        return metrics.minimum;
    return ToInt(std::min<long long>(position, LastScrollPosition(metrics)));
}

} // namespace scrollbar
