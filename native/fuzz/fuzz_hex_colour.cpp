// The colour editor's hexadecimal field, as a person might type or paste into it: any text
// gives components within 0..255, which the editor writes back as six upper-case digits that
// read back the same, and whose hue, saturation and value stay within their scales.
#include "FuzzInput.h"

#include "settings/ColourConversions.h"

#include <cmath>

namespace {

bool IsComponent(float c)
{
    return c >= 0.0f && c <= 255.0f; // false for NaN
}

bool IsUpperHex(wchar_t c)
{
    return (c >= L'0' && c <= L'9') || (c >= L'A' && c <= L'F');
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const Rgb rgb = HexTextToRgb(WideFromFuzzBytes(data, size));
    FUZZ_CHECK(IsComponent(rgb.r) && IsComponent(rgb.g) && IsComponent(rgb.b));

    const std::wstring shown = RgbToHexText(rgb.r, rgb.g, rgb.b);
    FUZZ_CHECK(shown.size() == 6);
    for (wchar_t c : shown)
        FUZZ_CHECK(IsUpperHex(c));
    const Rgb again = HexTextToRgb(shown);
    FUZZ_CHECK(again.r == std::trunc(rgb.r) && again.g == std::trunc(rgb.g) && again.b == std::trunc(rgb.b));

    const Hsv hsv = RgbToHsv(rgb.r, rgb.g, rgb.b);
    FUZZ_CHECK(hsv.h >= 0.0f && hsv.h <= 359.0f);
    FUZZ_CHECK(hsv.s >= 0.0f && hsv.s <= 1.0f);
    FUZZ_CHECK(IsComponent(hsv.v));
    const Rgb back = HsvToRgb(hsv.h, hsv.s, hsv.v);
    FUZZ_CHECK(IsComponent(back.r) && IsComponent(back.g) && IsComponent(back.b));
    return 0;
}
