// Conversions between red/green/blue, hue/saturation/value and six-digit hexadecimal text.
#pragma once

#include <string>
#include <string_view>

struct Rgb {
    float r, g, b; // 0..255
};

struct Hsv {
    float h; // degrees, 0..359
    float s; // fraction, 0..1
    float v; // 0..255, the scale of the components
};

Hsv RgbToHsv(float r, float g, float b) noexcept;
Rgb HsvToRgb(float h, float s, float v) noexcept;
// "RRGGBB" in upper case; components are clamped to 0..255 and truncated.
std::wstring RgbToHexText(float r, float g, float b);
// Reads red, green and blue from characters 1-2, 3-4 and 5-6 as the C library's unsigned
// base-16 conversion does (a missing or unreadable pair reads 0), clamped to 0..255.
Rgb HexTextToRgb(std::wstring_view text);
