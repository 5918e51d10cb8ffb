// Geometry of the image sliders and the rotary knob: where a thumb is drawn for a value, which
// value a pointer position picks, what a wheel turn proposes and how values are kept in range.
// Platform-free, so it builds without the Windows headers.
#pragma once

namespace slider {

// A closed range of values. Ranges are expected to have minimum < maximum; an empty or
// inverted range yields the minimum (lowered to the maximum) wherever a value is computed.
struct Range {
    int minimum = 0;
    int maximum = 10;
};

// Raises value to the minimum, then lowers it to the maximum.
int Clamp(long long value, const Range& range) noexcept;

// Offset of the thumb's leading edge from the start of a track of trackLength pixels:
// trunc(float(trackLength - thumbLength) / float(max - min) * float(value - min)). A value
// outside the range puts the thumb outside the track; an empty range puts it at the start.
int ThumbOffset(int trackLength, int thumbLength, const Range& range, int value) noexcept;

// The value picked by pointer coordinate p, measured from the start of a track of
// trackLength pixels with a thumb of thumbLength. The thumb's centre follows the pointer, so
// the pointer position is first taken back by half a thumb; past the end of the travel the
// result is the maximum. Along a horizontal track the first half-thumb of travel is a dead
// zone that picks the minimum; the values it skips are reachable with the wheel only.
int HorizontalValueAt(int trackLength, int thumbLength, const Range& range, int p) noexcept;
// The same along a vertical track, whose dead zone ends at the minimum value instead (so with
// a minimum of 0, only above the start of the travel).
int VerticalValueAt(int trackLength, int thumbLength, const Range& range, int p) noexcept;

// What one wheel notch proposes: a horizontal slider moves up the range on a turn away from
// the user (delta > 0), a vertical one moves towards its top (lower values). The proposal is
// lowered to the maximum and raised to the minimum.
int HorizontalWheelValue(int value, int delta, const Range& range) noexcept;
int VerticalWheelValue(int value, int delta, const Range& range) noexcept;

} // namespace slider

namespace knob {

using slider::Range;

// Reported values are shifted by this many steps against the internal angle scale, so that
// the reported scale starts at 3 o'clock and grows counter-clockwise.
constexpr int kAngleOffset = 90;
// The thumb travels on a circle inside the client area, this many pixels in from each edge.
constexpr int kDialInset = 13;

struct Point {
    int x = 0;
    int y = 0;
    friend bool operator==(const Point&, const Point&) = default;
};

struct Rect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
    friend bool operator==(const Rect&, const Rect&) = default;
};

// The square the thumb's circle is fitted to: the client area moved in by kDialInset.
Rect DialRect(int clientWidth, int clientHeight) noexcept;

// The knob keeps an internal value proportional to the angle measured clockwise on screen
// from straight below the centre, and reports D - ((kAngleOffset + internal) mod D), D being
// max - min. So one turn has D steps and the reported scale runs 1..D. An empty range
// reports the minimum.
int ReportedValue(int internal, const Range& range) noexcept;
// The internal value that reports `reported`: D - ((reported + kAngleOffset) mod D), the
// remainder taken on unsigned operands, so a negative request wraps instead of failing.
int InternalValue(int reported, const Range& range) noexcept;

// Centre of the thumb for an internal value; the angle is internal / maximum of a turn.
Point ThumbCentre(const Rect& dial, int internal, int maximum) noexcept;
// The thumb image's rectangle around ThumbCentre.
Rect ThumbRect(const Rect& dial, int internal, int maximum, int thumbWidth, int thumbHeight) noexcept;

// The internal value at pointer (x, y), within the range; the exact centre gives the minimum.
int InternalValueAt(const Rect& dial, int x, int y, const Range& range) noexcept;

// What one wheel notch proposes from the reported value: a turn towards the user (delta <= 0)
// one step up, away from the user one step down, wrapped into min + (proposal mod D).
int WheelValue(int reported, int delta, const Range& range) noexcept;

} // namespace knob
