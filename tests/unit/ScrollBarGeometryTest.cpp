// Scroll bar geometry: part layout, hit test and thumb drag positions, for the 9-pixel cells
// of the program's sheet.
#include "controls/ScrollBarGeometry.h"

#include <gtest/gtest.h>

#include <climits>
#include <ostream>

namespace scrollbar {

std::ostream& operator<<(std::ostream& out, Part part)
{
    return out << static_cast<int>(part);
}

} // namespace scrollbar

namespace {

using scrollbar::Metrics;
using scrollbar::Part;

constexpr int kCell = 9;

TEST(ScrollBarGeometry, LaysOutArrowsTrackAndThumb)
{
    const struct {
        const char* name;
        int length;
        Metrics metrics;
        int arrow, track, thumbLength, thumbOffset;
    } table[] = {
        {"proportional thumb", 118, {0, 9, 4, 3}, 9, 100, 40, 30},
        {"thumb at the last page", 118, {0, 9, 4, 6}, 9, 100, 40, 60},
        {"nothing to scroll: no thumb, track centred", 118, {0, 9, 10, 0}, 9, 100, 0, 50},
        {"page larger than the range", 118, {0, 9, 25, 0}, 9, 100, 0, 50},
        {"long track keeps a 12-pixel thumb", 218, {0, 999, 10, 0}, 9, 200, 12, 0},
        {"track shorter than 12 shows no thumb", 29, {0, 99, 10, 50}, 9, 11, 0, 6},
        {"track of exactly 12 shows the minimum thumb", 30, {0, 99, 10, 0}, 9, 12, 12, 0},
        {"no room for a track: arrows share the length", 18, {0, 99, 10, 0}, 9, 0, 0, 0},
        {"shorter than two arrows", 11, {0, 99, 10, 0}, 5, 0, 0, 0},
        {"minimum other than 0 counts from the minimum", 118, {10, 19, 4, 13}, 9, 100, 40, 30},
        {"page never set: last position reaches the end", 118, {0, 10, 0, 10}, 9, 100, 12, 88},
    };
    for (const auto& row : table) {
        const scrollbar::Layout layout = scrollbar::ComputeLayout(kCell, row.length, row.metrics);
        EXPECT_EQ(layout.arrow, row.arrow) << row.name;
        EXPECT_EQ(layout.track, row.track) << row.name;
        EXPECT_EQ(layout.thumbLength, row.thumbLength) << row.name;
        EXPECT_EQ(layout.thumbOffset, row.thumbOffset) << row.name;
    }
}

TEST(ScrollBarGeometry, PartsTileTheWholeLength)
{
    // Range 0..9, page 4, position 3 on a 118-pixel bar: thumb 40 long, 30 into the track.
    const scrollbar::Layout layout = scrollbar::ComputeLayout(kCell, 118, {0, 9, 4, 3});
    EXPECT_EQ(layout.PartSpan(Part::FirstArrow), (scrollbar::Span{0, 9}));
    EXPECT_EQ(layout.PartSpan(Part::PageBefore), (scrollbar::Span{9, 39}));
    EXPECT_EQ(layout.PartSpan(Part::Thumb), (scrollbar::Span{39, 79}));
    EXPECT_EQ(layout.PartSpan(Part::PageAfter), (scrollbar::Span{79, 109}));
    EXPECT_EQ(layout.PartSpan(Part::SecondArrow), (scrollbar::Span{109, 118}));

    // An odd length too short for a track leaves one pixel between the arrows.
    const scrollbar::Layout tight = scrollbar::ComputeLayout(kCell, 11, {0, 99, 10, 0});
    EXPECT_EQ(tight.PartSpan(Part::FirstArrow), (scrollbar::Span{0, 5}));
    EXPECT_EQ(tight.PartSpan(Part::PageAfter), (scrollbar::Span{5, 6}));
    EXPECT_EQ(tight.PartSpan(Part::SecondArrow), (scrollbar::Span{6, 11}));
}

TEST(ScrollBarGeometry, HitTestFollowsTheParts)
{
    const Metrics metrics{0, 9, 4, 3};
    const struct {
        int p;
        Part part;
    } table[] = {
        {-1, Part::None},       {0, Part::FirstArrow},    {8, Part::FirstArrow},    {9, Part::PageBefore},
        {38, Part::PageBefore}, {39, Part::Thumb},        {78, Part::Thumb},        {79, Part::PageAfter},
        {108, Part::PageAfter}, {109, Part::SecondArrow}, {117, Part::SecondArrow}, {118, Part::None},
    };
    for (const auto& row : table)
        EXPECT_EQ(scrollbar::HitTest(kCell, 118, metrics, row.p), row.part) << "p = " << row.p;
}

TEST(ScrollBarGeometry, UnscrollableRangeIsAllThumbToTheHitTest)
{
    // Range 0..9 with page 10 draws no thumb, yet a press between the arrows lands on one.
    const Metrics metrics{0, 9, 10, 0};
    for (int p : {9, 58, 108})
        EXPECT_EQ(scrollbar::HitTest(kCell, 118, metrics, p), Part::Thumb) << "p = " << p;
    EXPECT_EQ(scrollbar::HitTest(kCell, 118, metrics, 109), Part::SecondArrow);
}

TEST(ScrollBarGeometry, DragFollowsThePointerAndStopsAtTheLastPage)
{
    // Range 0..99, page 10: the thumb (12 pixels) travels 88 pixels for 90 positions.
    const Metrics metrics{0, 99, 10, 0};
    const struct {
        int start, delta, position;
    } table[] = {
        {0, 0, 0},    {0, 44, 45},   {0, 88, 90}, {0, 400, 90}, // R - page + 1 is the last position
        {45, -44, 0}, {45, -400, 0}, {45, 1, 46}, {20, -1, 19},
    };
    for (const auto& row : table)
        EXPECT_EQ(scrollbar::DragPosition(kCell, 118, metrics, row.start, row.delta), row.position)
            << "start " << row.start << " delta " << row.delta;

    EXPECT_EQ(scrollbar::LastScrollPosition(metrics), 90);
    EXPECT_EQ(scrollbar::DragPosition(kCell, 118, {0, 9, 10, 0}, 0, 50), 0) << "nothing to scroll";
    EXPECT_EQ(scrollbar::DragPosition(kCell, 118, {5, 104, 10, 5}, 5, 400), 95) << "range from 5";
    EXPECT_EQ(scrollbar::DragPosition(kCell, 18, metrics, 0, 5), 0) << "no track to drag along";
}

TEST(ScrollBarGeometry, InconsistentStateNeverDividesByZeroOrLeavesTheTrack)
{
    // The owner's state is not validated: a range below its minimum, a page beyond the range
    // (an unsigned nPage read as negative) and positions outside the range.
    const Metrics table[] = {
        {0, -1, 0, 0},
        {5, 3, 1, 4},
        {0, 9, -1, 5},
        {0, 9, 0, 500},
        {0, 9, 4, -500},
        {INT_MIN, INT_MAX, 1, 0},
        {0, INT_MAX, INT_MAX, INT_MAX},
        {0, 9, INT_MIN, 3},
    };
    for (const Metrics& m : table) {
        const scrollbar::Layout layout = scrollbar::ComputeLayout(kCell, 118, m);
        EXPECT_GE(layout.thumbLength, 0);
        EXPECT_GE(layout.thumbOffset, 0);
        EXPECT_LE(layout.thumbOffset + layout.thumbLength, layout.track)
            << m.minimum << ".." << m.maximum << " page " << m.page << " position " << m.position;
        const int dragged = scrollbar::DragPosition(kCell, 118, m, m.position, 1000);
        EXPECT_GE(dragged, m.minimum);
        EXPECT_LE(dragged, scrollbar::LastScrollPosition(m));
        EXPECT_NE(scrollbar::HitTest(kCell, 118, m, 50), Part::None);
    }
}

} // namespace
