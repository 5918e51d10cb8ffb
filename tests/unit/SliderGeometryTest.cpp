// Slider and knob geometry: thumb placement, the value under a pointer (with the dead
// half-thumb), wheel proposals, range clamping, and the knob's two value scales.
#include "controls/SliderGeometry.h"

#include <gtest/gtest.h>

#include <climits>
#include <cmath>

namespace {

using slider::Range;

constexpr Range kByte{0, 255};

TEST(SliderGeometry, ClampRaisesToMinimumThenLowersToMaximum)
{
    const struct {
        long long value;
        Range range;
        int expected;
    } table[] = {
        {300, kByte, 255}, {-1, kByte, 0},          {128, kByte, 128},
        {0, {1, 50}, 1},   {LLONG_MAX, kByte, 255}, {LLONG_MIN, {INT_MIN, INT_MAX}, INT_MIN},
        {7, {5, 5}, 5},    {3, {5, 5}, 5},          {7, {10, 0}, 0}, // inverted: the maximum wins
    };
    for (const auto& row : table)
        EXPECT_EQ(slider::Clamp(row.value, row.range), row.expected)
            << row.value << " in " << row.range.minimum << ".." << row.range.maximum;
}

TEST(SliderGeometry, ThumbOffsetScalesTheValueOverTheTravel)
{
    const struct {
        int track, thumb;
        Range range;
        int value, expected;
    } table[] = {
        {280, 16, kByte, 0, 0},
        {280, 16, kByte, 255, 264},
        {280, 16, kByte, 128, 132}, // 264 / 255 * 128 = 132.5, truncated
        {280, 16, {1, 50}, 1, 0},
        {280, 16, {1, 50}, 50, 264},
        {293, 56, {0, 6}, 3, 118},
        {280, 16, kByte, 300, 310}, // stored unclamped: drawn beyond the track
        {280, 16, kByte, -10, -10},
        {280, 16, {5, 5}, 5, 0},            // empty range: at the start, no division by zero
        {280, 16, {10, 0}, 5, 0},           // inverted range
        {10, 16, kByte, 255, -6},           // thumb longer than the track
        {280, 16, kByte, INT_MAX, INT_MAX}, // saturates instead of overflowing
        {280, 16, {INT_MIN, INT_MAX}, INT_MIN, 0},
    };
    for (const auto& row : table)
        EXPECT_EQ(slider::ThumbOffset(row.track, row.thumb, row.range, row.value), row.expected)
            << row.value << " on " << row.track << " with thumb " << row.thumb;
}

// A track of 220 with a thumb of 20: 200 pixels of travel for 0..255, half a thumb is 10.
TEST(SliderGeometry, HorizontalValueAtPointerHasADeadHalfThumb)
{
    const struct {
        int p;
        int expected;
        const char* why;
    } table[] = {
        {-500, 0, "far before the track"},
        {0, 0, "left edge"},
        {19, 0, "d = 9 is inside the dead half-thumb"},
        {20, 13, "d = 10: 10 / (200 / 255) = 12.75, rounded"},
        {21, 14, "d = 11: 14.03"},
        {110, 128, "d = 100: 127.5 rounds up"},
        {210, 255, "d = 200: the end of the travel"},
        {211, 255, "d = 201: past the travel"},
        {5000, 255, "far beyond the track"},
    };
    for (const auto& row : table)
        EXPECT_EQ(slider::HorizontalValueAt(220, 20, kByte, row.p), row.expected) << row.why;
}

TEST(SliderGeometry, VerticalValueAtPointerHasNoDeadHalfThumb)
{
    const struct {
        Range range;
        int p;
        int expected;
        const char* why;
    } table[] = {
        {kByte, 9, 0, "d = -1 is below the minimum value"},
        {kByte, 10, 0, "d = 0"},
        {kByte, 12, 3, "d = 2: 2.55 rounds to 3 (a horizontal track gives 0 here)"},
        {kByte, 110, 128, "d = 100"},
        {kByte, 211, 255, "past the travel"},
        {{0, 6}, 28, 0, "mode list: the first half step picks 0"},
        {{0, 6}, 48, 1, "mode list: d = 20 of 39.5 per step"},
        {{0, 6}, 265, 6, "mode list: the end of the travel"},
        {{5, 10}, 14, 5, "d = 4 is below the minimum 5"},
        {{-100, 100}, 0, -100, "d = -10 rounds to step -9: raised to the minimum"},
    };
    for (const auto& row : table) {
        const int track = row.range.maximum == 6 ? 293 : 220;
        const int thumb = row.range.maximum == 6 ? 56 : 20;
        EXPECT_EQ(slider::VerticalValueAt(track, thumb, row.range, row.p), row.expected) << row.why;
    }
    EXPECT_EQ(slider::HorizontalValueAt(220, 20, kByte, 12), 0);
}

TEST(SliderGeometry, PointerOnDegenerateTracksGivesARangeValue)
{
    // No travel, no range, an inverted range, extreme ranges: no division by zero, no overflow.
    EXPECT_EQ(slider::HorizontalValueAt(20, 20, kByte, 10), 0);
    EXPECT_EQ(slider::HorizontalValueAt(0, 0, kByte, 0), 0);
    EXPECT_EQ(slider::VerticalValueAt(0, 0, kByte, 0), 0);
    EXPECT_EQ(slider::HorizontalValueAt(220, 20, {7, 7}, 100), 7);
    EXPECT_EQ(slider::HorizontalValueAt(220, 20, {7, 7}, 500), 7);
    EXPECT_EQ(slider::HorizontalValueAt(220, 20, {10, 0}, 100), 0);
    EXPECT_EQ(slider::HorizontalValueAt(220, 20, {INT_MIN, INT_MAX}, 210), INT_MAX);
    EXPECT_EQ(slider::VerticalValueAt(220, 20, {INT_MIN, INT_MAX}, 110), 0);
    EXPECT_EQ(slider::HorizontalValueAt(INT_MAX, 0, kByte, INT_MIN), 0);
}

TEST(SliderGeometry, WheelProposesOneStepWithinTheRange)
{
    const struct {
        bool vertical;
        int value, delta;
        Range range;
        int expected;
    } table[] = {
        {false, 100, 120, kByte, 101},
        {false, 100, -120, kByte, 99},
        {false, 100, 0, kByte, 99},
        {false, 255, 120, kByte, 255},
        {false, 0, -120, kByte, 0},
        {false, 300, 120, kByte, 255},
        {true, 3, 120, {0, 6}, 2},
        {true, 3, -120, {0, 6}, 4},
        {true, 3, 0, {0, 6}, 4},
        {true, 0, 120, {0, 6}, 0},
        {true, 6, -120, {0, 6}, 6},
        {false, INT_MAX, 1, {0, INT_MAX}, INT_MAX},
        {true, INT_MIN, 1, {INT_MIN, 0}, INT_MIN},
    };
    for (const auto& row : table) {
        const int proposal = row.vertical ? slider::VerticalWheelValue(row.value, row.delta, row.range)
                                          : slider::HorizontalWheelValue(row.value, row.delta, row.range);
        EXPECT_EQ(proposal, row.expected)
            << (row.vertical ? "vertical " : "horizontal ") << row.value << " delta " << row.delta;
    }
}

// The main window's hue knob: client 160 x 160, dial (13, 13)-(147, 147), centre (80, 80),
// radius 67, range 0..359.
constexpr knob::Rect kDial{13, 13, 147, 147};
constexpr Range kHue{0, 359};

TEST(KnobGeometry, DialIsTheClientMovedIn)
{
    EXPECT_EQ(knob::DialRect(160, 160), kDial);
    EXPECT_EQ(knob::DialRect(0, 0), (knob::Rect{13, 13, -13, -13}));
}

TEST(KnobGeometry, ReportedAndInternalValuesConvertBothWays)
{
    const struct {
        int reported, internal;
        knob::Point thumb;
        const char* where;
    } table[] = {
        {0, 269, {146, 80}, "3 o'clock"},
        {359, 269, {146, 80}, "3 o'clock"},
        {90, 179, {80, 14}, "top"},
        {180, 89, {14, 80}, "left"},
        {270, 358, {81, 146}, "bottom"},
        {50, 219, {122, 29}, "upper right"},
        {-1, 270, {146, 80}, "wraps to 358, just below 3 o'clock"},
    };
    for (const auto& row : table) {
        EXPECT_EQ(knob::InternalValue(row.reported, kHue), row.internal) << row.reported;
        EXPECT_EQ(knob::ThumbCentre(kDial, row.internal, kHue.maximum), row.thumb) << row.where;
    }
    // Every reported value of the scale survives the round trip; 0 comes back as 359.
    for (int reported = 1; reported <= 359; ++reported)
        EXPECT_EQ(knob::ReportedValue(knob::InternalValue(reported, kHue), kHue), reported);
    EXPECT_EQ(knob::ReportedValue(knob::InternalValue(0, kHue), kHue), 359);
    EXPECT_EQ(knob::ReportedValue(0, kHue), 269);
    EXPECT_EQ(knob::ThumbRect(kDial, 269, 359, 20, 20), (knob::Rect{136, 70, 156, 90}));
}

TEST(KnobGeometry, ValueAtPointerCountsClockwiseFromBelow)
{
    const struct {
        int x, y;
        int internal, reported;
        const char* where;
    } table[] = {
        {80, 150, 0, 269, "straight below"},
        {10, 80, 89, 180, "left"},
        {80, 10, 179, 90, "straight above"},
        {150, 80, 269, 359, "3 o'clock"},
        {150, 79, 268, 1, "just above 3 o'clock: the scale wraps"},
        {150, 81, 270, 358, "just below 3 o'clock"},
        {81, 150, 358, 270, "just right of below"},
        {80, 80, 0, 269, "the exact centre"},
        {32767, -32768, 224, 45, "far away, no overflow"},
        {INT_MIN, INT_MIN, 134, 135, "upper left at the end of int: the squared distance needs over 63 bits"},
    };
    for (const auto& row : table) {
        const int internal = knob::InternalValueAt(kDial, row.x, row.y, kHue);
        EXPECT_EQ(internal, row.internal) << row.where;
        EXPECT_EQ(knob::ReportedValue(internal, kHue), row.reported) << row.where;
    }
    EXPECT_EQ(knob::InternalValueAt(kDial, 80, 80, {20, 30}), 20);
    EXPECT_EQ(knob::InternalValueAt(kDial, 80, 10, {0, 100}), 50);
}

TEST(KnobGeometry, WheelWrapsAroundTheTurn)
{
    const struct {
        int reported, delta, expected;
    } table[] = {
        {1, 120, 0}, {359, -120, 1}, {359, 0, 1}, {100, 120, 99}, {100, -120, 101}, {0, 120, -1},
    };
    for (const auto& row : table)
        EXPECT_EQ(knob::WheelValue(row.reported, row.delta, kHue), row.expected)
            << row.reported << " delta " << row.delta;
    EXPECT_EQ(knob::WheelValue(15, 120, {10, 20}), 14);
}

TEST(KnobGeometry, EmptyRangeAndZeroMaximumStayDefined)
{
    const Range empty{7, 7};
    EXPECT_EQ(knob::ReportedValue(3, empty), 7);
    EXPECT_EQ(knob::InternalValue(3, empty), 7);
    EXPECT_EQ(knob::WheelValue(7, 120, empty), 7);
    EXPECT_EQ(knob::InternalValueAt(kDial, 10, 80, empty), 7);
    EXPECT_EQ(knob::ThumbCentre(kDial, 5, 0), (knob::Point{80, 147}));
    // The widest range: D = 2^32 - 1, and INT_MAX + 90 needs no signed overflow.
    EXPECT_EQ(knob::InternalValue(INT_MAX, {INT_MIN, INT_MAX}), 2147483558);
    EXPECT_EQ(knob::ReportedValue(INT_MAX, {INT_MIN, INT_MAX}), 2147483558);
}

} // namespace
