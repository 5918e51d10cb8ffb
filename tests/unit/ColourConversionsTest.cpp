// RGB, HSV and hexadecimal text conversions of the colour editor.
#include "settings/ColourConversions.h"

#include <gtest/gtest.h>

namespace {

constexpr float kTolerance = 0.01f;

} // namespace

TEST(ColourConversions, RgbToHsv)
{
    const struct {
        float r, g, b, h, s, v;
    } table[] = {
        {255, 0, 0, 0, 1, 255},   {0, 255, 0, 120, 1, 255}, {0, 0, 255, 240, 1, 255},   {255, 0, 255, 300, 1, 255},
        {255, 0, 1, 359, 1, 255}, {0, 0, 0, 0, 0, 0},       {128, 128, 128, 0, 0, 128}, {100, 200, 100, 120, 0.5f, 200},
    };
    for (const auto& row : table) {
        const Hsv hsv = RgbToHsv(row.r, row.g, row.b);
        EXPECT_NEAR(hsv.h, row.h, kTolerance) << row.r << "," << row.g << "," << row.b;
        EXPECT_NEAR(hsv.s, row.s, kTolerance) << row.r << "," << row.g << "," << row.b;
        EXPECT_NEAR(hsv.v, row.v, kTolerance) << row.r << "," << row.g << "," << row.b;
    }
}

TEST(ColourConversions, HsvToRgb)
{
    const struct {
        float h, s, v, r, g, b;
    } table[] = {
        {0, 1, 255, 255, 0, 0},
        {120, 0.5f, 200, 100, 200, 100},
        {360, 1, 255, 255, 0, 255}, // past the last sector: the catch-all case
        {0, 0, 300, 300, 300, 300}, // greys are the one path without the limit
        {240, 1, 400, 0, 0, 255},
        {-30, 1, 255, 255, 0, 127.5f}, // a negative sector falls in the catch-all case
        // The middle of each sector, then a third into it at half saturation, where the
        // rising and the falling component differ: each sector picks its own three.
        {30, 1, 255, 255, 127.5f, 0},
        {90, 1, 255, 127.5f, 255, 0},
        {150, 1, 255, 0, 255, 127.5f},
        {210, 1, 255, 0, 127.5f, 255},
        {270, 1, 255, 127.5f, 0, 255},
        {330, 1, 255, 255, 0, 127.5f},
        {20, 0.5f, 240, 240, 160, 120},
        {80, 0.5f, 240, 200, 240, 120},
        {140, 0.5f, 240, 120, 240, 160},
        {200, 0.5f, 240, 120, 200, 240},
        {260, 0.5f, 240, 160, 120, 240},
        {320, 0.5f, 240, 240, 120, 200},
    };
    for (const auto& row : table) {
        const Rgb rgb = HsvToRgb(row.h, row.s, row.v);
        EXPECT_NEAR(rgb.r, row.r, kTolerance) << row.h << "," << row.s << "," << row.v;
        EXPECT_NEAR(rgb.g, row.g, kTolerance) << row.h << "," << row.s << "," << row.v;
        EXPECT_NEAR(rgb.b, row.b, kTolerance) << row.h << "," << row.s << "," << row.v;
    }
}

TEST(ColourConversions, RgbToHexTextClampsAndTruncates)
{
    EXPECT_EQ(RgbToHexText(255, 128.9f, -3), L"FF8000");
    EXPECT_EQ(RgbToHexText(300, 0, 15), L"FF000F");
    EXPECT_EQ(RgbToHexText(125, 0, 125), L"7D007D");
}

TEST(ColourConversions, HexTextToRgbReadsPairsLikeTheCLibrary)
{
    const struct {
        const wchar_t* text;
        float r, g, b;
    } table[] = {
        {L"7d007d", 125, 0, 125}, {L"FF", 255, 0, 0},       {L"GG0010", 0, 0, 16}, {L"-10000", 255, 0, 0},
        {L"", 0, 0, 0},           {L"ABCDE", 171, 205, 14}, {L" A0000", 10, 0, 0},
    };
    for (const auto& row : table) {
        const Rgb rgb = HexTextToRgb(row.text);
        EXPECT_FLOAT_EQ(rgb.r, row.r) << row.text;
        EXPECT_FLOAT_EQ(rgb.g, row.g) << row.text;
        EXPECT_FLOAT_EQ(rgb.b, row.b) << row.text;
    }
}
