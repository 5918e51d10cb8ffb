// Slider, knob and scroll bar geometry: ranges, values, positions and pointer coordinates are
// any integers (owners never validate them); sizes are what a window or an image can have, not
// negative and within 16-bit coordinates. Nothing may overflow, and every value a pointer, a
// wheel or a drag picks stays within its range.
#include "FuzzInput.h"

#include "controls/ScrollBarGeometry.h"
#include "controls/SliderGeometry.h"

#include <fuzzer/FuzzedDataProvider.h>

namespace {

constexpr int kMaxExtent = 0xFFFF;

int Size(FuzzedDataProvider& in)
{
    return in.ConsumeIntegralInRange(0, kMaxExtent);
}

bool Within(int value, const slider::Range& range)
{
    return value >= range.minimum && value <= range.maximum;
}

void Slider(FuzzedDataProvider& in)
{
    const slider::Range range{in.ConsumeIntegral<int>(), in.ConsumeIntegral<int>()};
    const int track = Size(in);
    const int thumb = Size(in);
    const int p = in.ConsumeIntegral<int>();
    const int value = in.ConsumeIntegral<int>();
    const int delta = in.ConsumeIntegral<int>();
    slider::ThumbOffset(track, thumb, range, value);
    const int horizontal = slider::HorizontalValueAt(track, thumb, range, p);
    const int vertical = slider::VerticalValueAt(track, thumb, range, p);
    const int up = slider::HorizontalWheelValue(value, delta, range);
    const int down = slider::VerticalWheelValue(value, delta, range);
    if (range.minimum <= range.maximum) {
        FUZZ_CHECK(Within(slider::Clamp(in.ConsumeIntegral<long long>(), range), range));
        FUZZ_CHECK(Within(horizontal, range) && Within(vertical, range));
        FUZZ_CHECK(Within(up, range) && Within(down, range));
    }
}

void Knob(FuzzedDataProvider& in)
{
    const slider::Range range{in.ConsumeIntegral<int>(), in.ConsumeIntegral<int>()};
    const knob::Rect dial = knob::DialRect(Size(in), Size(in));
    const int internal = in.ConsumeIntegral<int>();
    knob::ReportedValue(internal, range);
    knob::InternalValue(in.ConsumeIntegral<int>(), range);
    knob::ThumbRect(dial, internal, range.maximum, Size(in), Size(in));
    const int picked = knob::InternalValueAt(dial, in.ConsumeIntegral<int>(), in.ConsumeIntegral<int>(), range);
    knob::WheelValue(in.ConsumeIntegral<int>(), in.ConsumeIntegral<int>(), range);
    if (range.minimum <= range.maximum)
        FUZZ_CHECK(Within(picked, range));
}

void ScrollBar(FuzzedDataProvider& in)
{
    const scrollbar::Metrics metrics{in.ConsumeIntegral<int>(), in.ConsumeIntegral<int>(), in.ConsumeIntegral<int>(),
                                     in.ConsumeIntegral<int>()};
    const int cell = Size(in);
    const int length = Size(in);
    const scrollbar::Layout layout = scrollbar::ComputeLayout(cell, length, metrics);
    FUZZ_CHECK(layout.track >= 0 && layout.thumbLength >= 0);
    for (auto part : {scrollbar::Part::FirstArrow, scrollbar::Part::PageBefore, scrollbar::Part::Thumb,
                      scrollbar::Part::PageAfter, scrollbar::Part::SecondArrow})
        layout.PartSpan(part).length();
    scrollbar::HitTest(cell, length, metrics, in.ConsumeIntegral<int>());
    const int dragged =
        scrollbar::DragPosition(cell, length, metrics, in.ConsumeIntegral<int>(), in.ConsumeIntegral<int>());
    if (metrics.minimum <= metrics.maximum)
        FUZZ_CHECK(dragged >= metrics.minimum && dragged <= scrollbar::LastScrollPosition(metrics));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    FuzzedDataProvider in(data, size);
    switch (in.ConsumeIntegralInRange(0, 2)) {
    case 0:
        Slider(in);
        break;
    case 1:
        Knob(in);
        break;
    default:
        ScrollBar(in);
        break;
    }
    return 0;
}
