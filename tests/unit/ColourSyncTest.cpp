// The colour editor's two sides kept in step from the values in hand.
#include "settings/ColourSync.h"

#include <gtest/gtest.h>

TEST(ColourSync, EachSideGivesTheOtherTruncatedAsTheControlsShowIt)
{
    const struct {
        int r, g, b, hue, saturation, brightness;
        const wchar_t* hex;
    } table[] = {
        {255, 0, 0, 0, 100, 255, L"FF0000"},      {0, 255, 0, 120, 100, 255, L"00FF00"},
        {100, 200, 100, 120, 50, 200, L"64C864"}, {0, 0, 0, 0, 0, 0, L"000000"},
        {128, 128, 128, 0, 0, 128, L"808080"},    {255, 0, 1, 359, 100, 255, L"FF0001"},
    };
    for (const auto& row : table) {
        const EditorColour fromRgb = FromRgb(row.r, row.g, row.b);
        EXPECT_EQ(fromRgb.hue, row.hue) << row.hex;
        EXPECT_EQ(fromRgb.saturation, row.saturation) << row.hex;
        EXPECT_EQ(fromRgb.brightness, row.brightness) << row.hex;
        EXPECT_EQ(fromRgb.HexText(), row.hex);
    }
    // A third into the first sector at half saturation: blue is 127.5, truncated.
    const EditorColour third = FromHsv(20, 50, 255);
    EXPECT_EQ(third.r, 255);
    EXPECT_EQ(third.g, 170);
    EXPECT_EQ(third.b, 127);
}

// Hue 0 read back from the knob is 359; the editor keeps the hue it was given, so a pure red
// stays pure through every move of the saturation or the brightness.
TEST(ColourSync, TheHueGivenIsKeptSoAPureColourStaysPure)
{
    const EditorColour red = FromHsv(0, 100, 255);
    EXPECT_EQ(red.hue, 0);
    EXPECT_EQ(red.Word(), 0x0000FFu);
    const EditorColour darker = FromHsv(red.hue, red.saturation, 128);
    EXPECT_EQ(darker.Word(), 0x000080u);
}

TEST(ColourSync, AStoredWordGivesItsLowThreeBytes)
{
    const EditorColour colour = FromWord(0xFF336699u); // a stray high byte from a settings file
    EXPECT_EQ(colour.r, 0x99);
    EXPECT_EQ(colour.g, 0x66);
    EXPECT_EQ(colour.b, 0x33);
    EXPECT_EQ(colour.Word(), 0x00336699u);
    EXPECT_EQ(colour.HexText(), L"996633");
}
