// Keeping the colour editor's two sides in step, with the editor's rounding: every value is
// truncated toward zero, as the fields and sliders show it.
#include "settings/ColourSync.h"

#include "settings/ColourConversions.h"

#include <algorithm>

namespace {

constexpr float kPercent = 100.0f;
constexpr float kPercentToFraction = 0.01f;
constexpr ColourWord kByte = 0xFF;
constexpr int kGreenShift = 8;
constexpr int kBlueShift = 16;

int Trunc(float value) noexcept
{
    return static_cast<int>(value);
}

int Component(ColourWord word, int shift) noexcept
{
    return static_cast<int>((word >> shift) & kByte);
}

} // namespace

ColourWord EditorColour::Word() const noexcept
{
    return (static_cast<ColourWord>(r) & kByte) | ((static_cast<ColourWord>(g) & kByte) << kGreenShift) |
           ((static_cast<ColourWord>(b) & kByte) << kBlueShift);
}

std::wstring EditorColour::HexText() const
{
    return RgbToHexText(static_cast<float>(r), static_cast<float>(g), static_cast<float>(b));
}

EditorColour FromRgb(int r, int g, int b) noexcept
{
    const Hsv hsv = RgbToHsv(static_cast<float>(r), static_cast<float>(g), static_cast<float>(b));
    float saturation = std::min(hsv.s * kPercent, kPercent);
    if (!(saturation > 0.0f))
        saturation = 0.0f;
    return {r, g, b, Trunc(hsv.h), Trunc(saturation), Trunc(hsv.v)};
}

EditorColour FromHsv(int hue, int saturation, int brightness) noexcept
{
    const Rgb rgb = HsvToRgb(static_cast<float>(hue), static_cast<float>(saturation) * kPercentToFraction,
                             static_cast<float>(brightness));
    return {Trunc(rgb.r), Trunc(rgb.g), Trunc(rgb.b), hue, saturation, brightness};
}

EditorColour FromWord(ColourWord word) noexcept
{
    return FromRgb(Component(word, 0), Component(word, kGreenShift), Component(word, kBlueShift));
}
