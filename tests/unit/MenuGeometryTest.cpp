// Drop-down list arithmetic: visible rows, the top item after ScrollTo and WM_VSCROLL, the
// layout of list, rows and scroll bar, band fitting and sub-list placement.
#include "controls/MenuGeometry.h"

#include <gtest/gtest.h>

#include <climits>
#include <ostream>
#include <vector>

namespace menu {

std::ostream& operator<<(std::ostream& out, const Rect& r)
{
    return out << "(" << r.left << ", " << r.top << ", " << r.right << ", " << r.bottom << ")";
}

std::ostream& operator<<(std::ostream& out, const Slice& s)
{
    return out << "{from " << s.sourceTop << " to " << s.targetTop << ", " << s.height << "}";
}

std::ostream& operator<<(std::ostream& out, const Point& p)
{
    return out << "(" << p.x << ", " << p.y << ")";
}

} // namespace menu

namespace {

using namespace menu;

TEST(MenuGeometry, VisibleRowsDefaultToTheItemsAndNeverExceedThem)
{
    EXPECT_EQ(ResolveVisibleRows(-1, 3), 3);
    EXPECT_EQ(ResolveVisibleRows(-7, 3), 3);
    EXPECT_EQ(ResolveVisibleRows(4, 10), 4);
    EXPECT_EQ(ResolveVisibleRows(4, 2), 2);
    EXPECT_EQ(ResolveVisibleRows(0, 5), 0);
    EXPECT_EQ(ResolveVisibleRows(INT_MAX, 5), 5);
    EXPECT_EQ(ResolveVisibleRows(-1, 0), 0);
    EXPECT_EQ(ResolveVisibleRows(3, -4), 0);
}

TEST(MenuGeometry, FirstVisibleIsClampedToWhatTheItemsAllow)
{
    // Three items, three rows: nothing to scroll, whatever is asked.
    for (int asked : {-1, 0, 1, 2, 3, 100, INT_MAX, INT_MIN})
        EXPECT_EQ(ClampFirstVisible(asked, 3, 3), 0) << asked;
    // Ten items, four rows: 0 to 6.
    EXPECT_EQ(ClampFirstVisible(9, 10, 4), 6);
    EXPECT_EQ(ClampFirstVisible(5, 10, 4), 5);
    EXPECT_EQ(ClampFirstVisible(6, 10, 4), 6);
    EXPECT_EQ(ClampFirstVisible(-1, 10, 4), 0);
    EXPECT_EQ(ClampFirstVisible(INT_MAX, 10, 4), 6);
    EXPECT_EQ(ClampFirstVisible(INT_MIN, 10, 4), 0);
    // Fewer items than rows (items removed after the rows were made).
    EXPECT_EQ(ClampFirstVisible(2, 3, 4), 0);
    EXPECT_EQ(ClampFirstVisible(3, 0, 0), 0);
}

TEST(MenuGeometry, ScrollCodesFollowTheTable)
{
    constexpr int kCount = 10;
    constexpr int kPage = 4;
    EXPECT_EQ(ScrollTarget(kLineUp, 3, kCount, kPage, 0), 2);
    EXPECT_EQ(ScrollTarget(kLineUp, 0, kCount, kPage, 0), 0);
    EXPECT_EQ(ScrollTarget(kLineDown, 5, kCount, kPage, 0), 6);
    EXPECT_EQ(ScrollTarget(kLineDown, 6, kCount, kPage, 0), 6) << "only while first < count - page";
    EXPECT_EQ(ScrollTarget(kPageUp, 5, kCount, kPage, 0), 1);
    EXPECT_EQ(ScrollTarget(kPageUp, 2, kCount, kPage, 0), 0);
    EXPECT_EQ(ScrollTarget(kPageUp, 0, kCount, kPage, 0), 0);
    EXPECT_EQ(ScrollTarget(kPageDown, 0, kCount, kPage, 0), 4);
    EXPECT_EQ(ScrollTarget(kPageDown, 4, kCount, kPage, 0), 6);
    EXPECT_EQ(ScrollTarget(kPageDown, 10, kCount, kPage, 0), 10) << "only when first < count";
    EXPECT_EQ(ScrollTarget(kThumbTrack, 0, kCount, kPage, 5), 5);
    EXPECT_EQ(ScrollTarget(kThumbPosition, 0, kCount, kPage, 3), 3);
    EXPECT_EQ(ScrollTarget(kTop, 5, kCount, kPage, 0), 0);
    EXPECT_EQ(ScrollTarget(kBottom, 0, kCount, kPage, 0), kCount) << "clamped by ScrollTo";
    EXPECT_EQ(ScrollTarget(8, 3, kCount, kPage, 9), 3) << "SB_ENDSCROLL changes nothing";
    EXPECT_EQ(ScrollTarget(-5, 3, kCount, kPage, 9), 3);
    EXPECT_EQ(ScrollTarget(0x7FFF, 3, kCount, kPage, 9), 3);
}

TEST(MenuGeometry, ScrollCodesSurviveExtremeValues)
{
    EXPECT_EQ(ScrollTarget(kLineUp, INT_MIN, 10, 4, 0), 0);
    EXPECT_EQ(ScrollTarget(kLineDown, INT_MAX, INT_MAX, INT_MIN, 0), INT_MAX);
    EXPECT_EQ(ScrollTarget(kPageUp, 5, 10, INT_MAX, 0), 0);
    EXPECT_EQ(ScrollTarget(kPageDown, 0, INT_MAX, INT_MAX, 0), 0);
    EXPECT_EQ(ScrollTarget(kPageDown, INT_MAX - 1, INT_MAX, INT_MAX, 0), 0);
    EXPECT_EQ(ClampFirstVisible(ScrollTarget(kPageDown, 0, 3, 10, 0), 3, 3), 0);
}

TEST(MenuGeometry, RowOfItemIsMinusOneOutsideTheRows)
{
    EXPECT_EQ(RowOfItem(7, 5, 4), 2);
    EXPECT_EQ(RowOfItem(5, 5, 4), 0);
    EXPECT_EQ(RowOfItem(8, 5, 4), 3);
    EXPECT_EQ(RowOfItem(9, 5, 4), -1);
    EXPECT_EQ(RowOfItem(4, 5, 4), -1);
    EXPECT_EQ(RowOfItem(-1, 0, 4), -1);
    EXPECT_EQ(RowOfItem(INT_MAX, INT_MIN, 4), -1);
    EXPECT_EQ(FirstVisibleForBottomRow(9, 4), 6);
    EXPECT_EQ(FirstVisibleForBottomRow(1, 4), -2) << "ScrollTo clamps it";
}

TEST(MenuGeometry, ListIsEighteenPixelsWiderThanItsImageAndAsHighAsItsRows)
{
    LayoutInput in;
    in.imageWidth = 150;
    in.visibleRows = 4;
    in.rowHeight = 24;
    EXPECT_EQ(ListSize(in), (Size{168, 96}));
    in.topInset = 5;
    in.topButtonHeight = 10;
    in.bottomButtonHeight = 12;
    EXPECT_EQ(ListSize(in), (Size{168, 96 + 5 + 10 + 12}));
}

TEST(MenuGeometry, RowsStackBelowTheInsetAndTheTopButton)
{
    LayoutInput in;
    in.imageWidth = 150;
    in.visibleRows = 4;
    in.rowHeight = 24;
    EXPECT_EQ(RowRect(in, 0), (Rect{0, 0, 150, 24}));
    EXPECT_EQ(RowRect(in, 3), (Rect{0, 72, 150, 96}));

    in.sideInset = 4;
    in.topInset = 6;
    in.topButtonHeight = 10;
    EXPECT_EQ(RowRect(in, 1), (Rect{4, 40, 142, 64})) << "the right edge twice the inset inside the image";
    in.scrollBar = true;
    EXPECT_EQ(RowRect(in, 1), (Rect{4, 40, 130, 64})) << "12 pixels less beside the scroll bar";
    EXPECT_EQ(ScrollBarRect(in), (Rect{138, 16, 150, 112}));
}

TEST(MenuGeometry, FixedButtonsStandAtTheTopAndTheBottom)
{
    LayoutInput in;
    in.imageWidth = 150;
    in.visibleRows = 2;
    in.rowHeight = 20;
    in.topButtonHeight = 8;
    in.bottomButtonHeight = 9;
    EXPECT_EQ(TopButtonRect(in, {150, 8}), (Rect{0, 0, 150, 8}));
    EXPECT_EQ(BottomButtonRect(in, {150, 9}), (Rect{0, 48, 150, 57}));
    EXPECT_EQ(RowRect(in, 0).top, 8);
}

TEST(MenuGeometry, HostileSizesStayWithinWhatAWindowTakes)
{
    LayoutInput in;
    in.imageWidth = INT_MAX;
    in.visibleRows = INT_MAX;
    in.rowHeight = INT_MAX;
    in.topInset = INT_MAX;
    in.topButtonHeight = INT_MAX;
    in.bottomButtonHeight = INT_MAX;
    const Size size = ListSize(in);
    EXPECT_EQ(size.cx, 32767);
    EXPECT_EQ(size.cy, 32767);
    const Rect row = RowRect(in, 1000);
    EXPECT_LE(row.bottom, 32767);
    EXPECT_GE(row.height(), 0);

    LayoutInput negative;
    negative.imageWidth = -5;
    negative.visibleRows = -3;
    negative.rowHeight = -20;
    negative.sideInset = -7;
    EXPECT_EQ(ListSize(negative), (Size{18, 0}));
    EXPECT_GE(RowRect(negative, 2).width(), 0);
    EXPECT_GE(RowRect(negative, 2).height(), 0);
}

TEST(MenuGeometry, BandsKeepTopAndBottomAndRepeatTheMiddle)
{
    // A three-row image (rows of 20) brought to five rows: the middle row three times.
    const std::vector<Slice> taller = FitBands(60, 100, 20);
    const std::vector<Slice> expectedTaller{{0, 0, 20}, {20, 20, 20}, {20, 40, 20}, {20, 60, 20}, {40, 80, 20}};
    EXPECT_EQ(taller, expectedTaller);

    // Brought to two rows: the middle is cut away.
    const std::vector<Slice> twoRows{{0, 0, 20}, {40, 20, 20}};
    EXPECT_EQ(FitBands(60, 40, 20), twoRows);

    // One row: the top band alone.
    const std::vector<Slice> oneRow{{0, 0, 20}};
    EXPECT_EQ(FitBands(60, 20, 20), oneRow);

    // A middle that does not divide: the last repeat is cut.
    const std::vector<Slice> partial{{0, 0, 20}, {20, 20, 20}, {20, 40, 5}, {40, 45, 20}};
    EXPECT_EQ(FitBands(60, 65, 20), partial);

    // Shorter than the bands: the middle is cut short.
    const std::vector<Slice> shorter{{0, 0, 10}, {10, 10, 20}, {50, 30, 10}};
    EXPECT_EQ(FitBands(60, 40, 20).size(), 2u);
    EXPECT_EQ(FitBands(60, 40, 10), shorter);
}

TEST(MenuGeometry, BandsOfDegenerateImages)
{
    EXPECT_EQ(FitBands(60, 60, 20), (std::vector<Slice>{{0, 0, 60}}));
    EXPECT_TRUE(FitBands(0, 60, 20).empty());
    EXPECT_TRUE(FitBands(60, 0, 20).empty());
    EXPECT_TRUE(FitBands(-1, -1, 20).empty());
    // A row-sized image repeats itself.
    EXPECT_EQ(FitBands(20, 60, 20), (std::vector<Slice>{{0, 0, 20}, {0, 20, 20}, {0, 40, 20}}));
    // Without bands, the image repeats or is cut as a whole.
    EXPECT_EQ(FitBands(30, 70, 0), (std::vector<Slice>{{0, 0, 30}, {0, 30, 30}, {0, 60, 10}}));
    EXPECT_EQ(FitBands(30, 10, -4), (std::vector<Slice>{{0, 0, 10}}));
    // A huge band is the whole image.
    EXPECT_EQ(FitBands(30, 50, INT_MAX), (std::vector<Slice>{{0, 0, 30}, {0, 30, 20}}));
    // Every target row is written exactly once.
    for (int source : {1, 7, 20, 59, 60, 61}) {
        for (int target : {1, 19, 20, 21, 100, 777}) {
            std::vector<int> written(static_cast<size_t>(target), 0);
            for (const Slice& s : FitBands(source, target, 20)) {
                ASSERT_GE(s.sourceTop, 0);
                ASSERT_LE(s.sourceTop + s.height, source);
                for (int y = s.targetTop; y < s.targetTop + s.height; ++y)
                    ++written[static_cast<size_t>(y)];
            }
            for (int y = 0; y < target; ++y)
                ASSERT_EQ(written[static_cast<size_t>(y)], 1) << source << " to " << target << " row " << y;
        }
    }
}

TEST(MenuGeometry, SubListOpensRightOfTheListLevelWithTheRow)
{
    const Rect work{0, 0, 1600, 1000};
    const Rect list{100, 200, 250, 296};
    const Rect row{100, 224, 238, 248};
    EXPECT_EQ(PlaceSubList(list, row, {150, 72}, work), (Point{250, 224}));
}

TEST(MenuGeometry, SubListStaysOnTheWorkArea)
{
    const Rect work{0, 0, 1600, 1000};
    // No room on the right: it opens on the left of the list.
    EXPECT_EQ(PlaceSubList({1400, 100, 1550, 196}, {1400, 100, 1550, 124}, {150, 72}, work), (Point{1250, 100}));
    // No room below: it moves up until its bottom is on the work area.
    EXPECT_EQ(PlaceSubList({100, 900, 250, 996}, {100, 972, 250, 996}, {150, 72}, work), (Point{250, 928}));
    // Wider than the work area on both sides: pinned to its left edge.
    EXPECT_EQ(PlaceSubList({100, 0, 250, 96}, {100, 0, 250, 24}, {1700, 72}, work).x, 0);
    // Above the work area: brought down onto it.
    EXPECT_EQ(PlaceSubList({100, -50, 250, 46}, {100, -50, 250, -26}, {150, 72}, work).y, 0);
    // A work area that does not start at zero (a second monitor on the left).
    const Rect left{-1280, 0, 0, 1024};
    EXPECT_EQ(PlaceSubList({-200, 10, -50, 106}, {-200, 10, -50, 34}, {150, 72}, left), (Point{-350, 10}));
}

} // namespace
