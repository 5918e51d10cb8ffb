// Slider and knob geometry: thumb placement, values at pointer positions, wheel proposals.
#include "controls/SliderGeometry.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstdint>

namespace {

// Added before truncation when a pointer position becomes a slider value.
constexpr float kRoundingOffset = 0.5f;
// The knob's angle scale works with π to five decimals; a turn is therefore kTwoPi, and the
// steps at the ends of a turn depend on these exact values.
constexpr double kPi = 3.14159;
constexpr double kTwoPi = 6.28318;

// Truncation toward zero that saturates instead of overflowing; NaN becomes 0.
long long TruncToLong(double value) noexcept
{
    if (std::isnan(value))
        return 0;
    constexpr double kLimit = 9.0e18;
    return static_cast<long long>(std::clamp(value, -kLimit, kLimit));
}

int SaturateToInt(long long value) noexcept
{
    return static_cast<int>(std::clamp<long long>(value, INT_MIN, INT_MAX));
}

long long Span(const slider::Range& range) noexcept
{
    return static_cast<long long>(range.maximum) - range.minimum;
}

// The shared steps of the pointer-to-value rule: past the travel is the maximum, before
// deadBelow the minimum, in between the nearest step.
int ValueAt(int trackLength, int thumbLength, const slider::Range& range, int p, long long deadBelow) noexcept
{
    const long long travel = static_cast<long long>(trackLength) - thumbLength;
    const int half = thumbLength / 2;
    const long long d = static_cast<long long>(p) - half;
    if (d > travel)
        return range.maximum;
    if (d < deadBelow)
        return range.minimum;
    const long long span = Span(range);
    long long step = 0;
    if (span > 0 && travel > 0) {
        const float pixelsPerStep = static_cast<float>(travel) / static_cast<float>(span);
        step = TruncToLong(static_cast<float>(d) / pixelsPerStep + kRoundingOffset);
    }
    return slider::Clamp(range.minimum + step, range);
}

knob::Point Centre(const knob::Rect& dial) noexcept
{
    return {(dial.left + dial.right) / 2, (dial.top + dial.bottom) / 2};
}

} // namespace

namespace slider {

int Clamp(long long value, const Range& range) noexcept
{
    if (value < range.minimum)
        value = range.minimum;
    if (value > range.maximum)
        value = range.maximum;
    return static_cast<int>(value);
}

int ThumbOffset(int trackLength, int thumbLength, const Range& range, int value) noexcept
{
    const long long span = Span(range);
    if (span <= 0)
        return 0;
    const float travel = static_cast<float>(static_cast<long long>(trackLength) - thumbLength);
    const float fromMinimum = static_cast<float>(static_cast<long long>(value) - range.minimum);
    return SaturateToInt(TruncToLong(travel / static_cast<float>(span) * fromMinimum));
}

int HorizontalValueAt(int trackLength, int thumbLength, const Range& range, int p) noexcept
{
    return ValueAt(trackLength, thumbLength, range, p, thumbLength / 2);
}

int VerticalValueAt(int trackLength, int thumbLength, const Range& range, int p) noexcept
{
    return ValueAt(trackLength, thumbLength, range, p, range.minimum);
}

int HorizontalWheelValue(int value, int delta, const Range& range) noexcept
{
    return Clamp(static_cast<long long>(value) + (delta <= 0 ? -1 : 1), range);
}

int VerticalWheelValue(int value, int delta, const Range& range) noexcept
{
    return Clamp(static_cast<long long>(value) + (delta > 0 ? -1 : 1), range);
}

} // namespace slider

namespace knob {

Rect DialRect(int clientWidth, int clientHeight) noexcept
{
    return {kDialInset, kDialInset, clientWidth - kDialInset, clientHeight - kDialInset};
}

int ReportedValue(int internal, const Range& range) noexcept
{
    const long long span = Span(range);
    if (span <= 0)
        return range.minimum;
    return SaturateToInt(span - (kAngleOffset + static_cast<long long>(internal)) % span);
}

int InternalValue(int reported, const Range& range) noexcept
{
    const long long span = Span(range);
    if (span <= 0)
        return range.minimum;
    const std::uint32_t shifted = static_cast<std::uint32_t>(reported) + static_cast<std::uint32_t>(kAngleOffset);
    return SaturateToInt(span - shifted % static_cast<std::uint32_t>(span));
}

Point ThumbCentre(const Rect& dial, int internal, int maximum) noexcept
{
    // The angle is taken against the maximum alone: with a minimum of 0, a full turn.
    const double angle = maximum != 0 ? internal * kPi / maximum * 2 : 0.0;
    const Point centre = Centre(dial);
    const int radius = (dial.bottom - dial.top) / 2;
    return {centre.x - SaturateToInt(TruncToLong(std::sin(angle) * radius)),
            centre.y + SaturateToInt(TruncToLong(std::cos(angle) * radius))};
}

Rect ThumbRect(const Rect& dial, int internal, int maximum, int thumbWidth, int thumbHeight) noexcept
{
    const Point centre = ThumbCentre(dial, internal, maximum);
    const int left = centre.x - thumbWidth / 2;
    const int top = centre.y - thumbHeight / 2;
    return {left, top, left + thumbWidth, top + thumbHeight};
}

int InternalValueAt(const Rect& dial, int x, int y, const Range& range) noexcept
{
    const Point centre = Centre(dial);
    const long long dx = static_cast<long long>(centre.x) - x;
    const long long dy = static_cast<long long>(y) - centre.y;
    if (dx == 0 && dy == 0)
        return Clamp(range.minimum, range);
    // Squared in double: exact for any screen distance, and no overflow for the largest.
    const double squared = static_cast<double>(dx) * dx + static_cast<double>(dy) * dy;
    const double cosine = std::clamp(static_cast<double>(dy) / std::sqrt(squared), -1.0, 1.0);
    double angle = std::acos(cosine);
    if (x > centre.x)
        angle = kTwoPi - angle;
    return Clamp(TruncToLong(range.maximum * angle / kPi * 0.5), range);
}

int WheelValue(int reported, int delta, const Range& range) noexcept
{
    const long long span = Span(range);
    if (span <= 0)
        return range.minimum;
    const long long proposal = static_cast<long long>(reported) + (delta <= 0 ? 1 : -1);
    return SaturateToInt(range.minimum + proposal % span);
}

} // namespace knob
