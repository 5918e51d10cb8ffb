// Colour arithmetic of the colour editor, in single precision as the editor's fields use it.
#include "settings/ColourConversions.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cwchar>

namespace {

constexpr float kComponentMax = 255.0f;
constexpr float kHueMax = 359.0f;

// Upper limit, and anything not above zero becomes zero (NaN included).
float LimitComponent(float c) noexcept
{
    c = std::min(c, kComponentMax);
    return c > 0.0f ? c : 0.0f;
}

float ReadHexPair(std::wstring_view text, size_t offset)
{
    if (offset >= text.size())
        return 0.0f;
    wchar_t pair[3] = {};
    text.copy(pair, 2, offset);
    // strtoul semantics on purpose: a leading sign is taken and "-1" wraps to a huge value.
    const unsigned long value = std::wcstoul(pair, nullptr, 16);
    return LimitComponent(static_cast<float>(value));
}

} // namespace

Hsv RgbToHsv(float r, float g, float b) noexcept
{
    const float max = std::max({r, g, b});
    const float min = std::min({r, g, b});
    if (max == 0.0f)
        return {0.0f, 0.0f, 0.0f};

    const float delta = max - min;
    Hsv out{0.0f, delta / max, LimitComponent(max)};
    if (delta == 0.0f)
        return out;

    float h;
    if (r == max)
        h = (g - b) / delta;
    else if (g == max)
        h = (b - r) / delta + 2.0f;
    else
        h = (r - g) / delta + 4.0f;
    h *= 60.0f;
    if (h < 0.0f)
        h += 360.0f;
    h = std::min(h, kHueMax);
    out.h = h > 0.0f ? h : 0.0f;
    return out;
}

Rgb HsvToRgb(float h, float s, float v) noexcept
{
    if (s == 0.0f)
        return {v, v, v}; // greys pass through unlimited

    const float x = h / 60.0f;
    const int i = static_cast<int>(std::floor(x));
    const float f = x - static_cast<float>(i);
    const float p = (1.0f - s) * v;
    const float q = (1.0f - f * s) * v;
    const float t = (1.0f - (1.0f - f) * s) * v;

    Rgb out;
    switch (i) {
    case 0:
        out = {v, t, p};
        break;
    case 1:
        out = {q, v, p};
        break;
    case 2:
        out = {p, v, t};
        break;
    case 3:
        out = {p, q, v};
        break;
    case 4:
        out = {t, p, v};
        break;
    default:
        out = {v, p, q};
        break;
    }
    return {LimitComponent(out.r), LimitComponent(out.g), LimitComponent(out.b)};
}

std::wstring RgbToHexText(float r, float g, float b)
{
    auto byte = [](float c) {
        c = std::clamp(c > 0.0f ? c : 0.0f, 0.0f, kComponentMax);
        return static_cast<unsigned>(c);
    };
    wchar_t text[8];
    std::swprintf(text, 8, L"%02X%02X%02X", byte(r), byte(g), byte(b));
    return text;
}

Rgb HexTextToRgb(std::wstring_view text)
{
    return {ReadHexPair(text, 0), ReadHexPair(text, 2), ReadHexPair(text, 4)};
}
