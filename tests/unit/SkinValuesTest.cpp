// The value syntaxes of the skin files: items, placements, numbered-text keys, language files.
#include "skin/SkinValues.h"

#include <gtest/gtest.h>

#include <climits>

TEST(ParseSkinItem, ReadsTheSevenFields)
{
    const struct {
        const wchar_t* value;
        const wchar_t* name;
        SkinRect rect;
        const wchar_t* text;
        bool flag;
    } table[] = {
        {L"btnOK,10,20,30,40,OK,TRUE", L"btnOK", {10, 20, 40, 60}, L"OK", true},
        {L"btnApply,20,30,80,24,Apply,FALSE", L"btnApply", {20, 30, 100, 54}, L"Apply", false},
        {L"x,1,2,3,4", L"x", {1, 2, 4, 6}, L"3", false},              // five fields: the text is the 4th
        {L"x,1,2", L"x", {1, 2, 1, 2}, L"1", false},                  // width and height stay 0
        {L"x,5", L"x", {5, 0, 5, 0}, L"", false},                     // two fields: no text
        {L"7,8,9,10,label,0", L"7", {8, 9, 18, 9}, L"label", false},  // the scan stops at the text
        {L"n,1,2,3,4,NOTRUE,0", L"n", {1, 2, 4, 6}, L"NOTRUE", true}, // TRUE anywhere after the first comma
        {L"TRUE,1,2,3,4,t,0", L"TRUE", {1, 2, 4, 6}, L"t", false},    // the name does not count
        {L"n,1,2,3,4,t,true", L"n", {1, 2, 4, 6}, L"t", false},       // capitals only
        {L"n, 1, -2,3 ,4,t,0", L"n", {1, -2, 4, -2}, L"t", false},    // blanks before a number only
        {L"n,1,2,x,4,t,0", L"n", {1, 2, 1, 2}, L"t", false},          // the scan stops at the mismatch
        {L"n,,,,,,", L"n", {}, L"", false},
        {L"", L"", {}, L"", false},
        {L"btnPng_Save,1,2,3,4,Save,FALSE", L"btnPng_Save", {1, 2, 4, 6}, L"Save", false},
    };
    for (const auto& row : table) {
        const SkinItem item = ParseSkinItem(row.value);
        EXPECT_EQ(item.name, row.name) << row.value;
        EXPECT_EQ(item.rect, row.rect) << row.value;
        EXPECT_EQ(item.text, row.text) << row.value;
        EXPECT_EQ(item.flag, row.flag) << row.value;
    }
}

TEST(ParseSkinItem, AValueWithoutACommaIsAllNumbers)
{
    const SkinItem item = ParseSkinItem(L"3,4,5,6");
    EXPECT_EQ(item.name, L"3"); // the first comma still ends the name

    const SkinItem bare = ParseSkinItem(L"12 TRUE");
    EXPECT_EQ(bare.name, L"");
    EXPECT_EQ(bare.rect, (SkinRect{12, 0, 12, 0}));
    EXPECT_EQ(bare.text, L"");
    EXPECT_TRUE(bare.flag);
}

TEST(ParseSkinItem, CutsOverlongNamesAndTexts)
{
    const std::wstring longName(300, L'n');
    const std::wstring longText(5000, L't');
    const SkinItem item = ParseSkinItem(longName + L",1,2,3,4," + longText + L",TRUE");
    EXPECT_EQ(item.name, std::wstring(39, L'n'));
    EXPECT_EQ(item.text, std::wstring(99, L't'));
    EXPECT_EQ(item.rect, (SkinRect{1, 2, 4, 6}));
    EXPECT_TRUE(item.flag);
}

TEST(ParseSkinItem, HugeNumbersSaturateInsteadOfOverflowing)
{
    const SkinItem item = ParseSkinItem(L"n,99999999999999999999,-99999999999999999999,2147483647,-2147483648,t,0");
    EXPECT_EQ(item.rect.left, INT_MAX);
    EXPECT_EQ(item.rect.top, INT_MIN);
    EXPECT_EQ(item.rect.right, INT_MAX);
    EXPECT_EQ(item.rect.bottom, INT_MIN);
}

TEST(ParseSkinPlacement, IgnoresTheFirstFieldAndKeepsLongTexts)
{
    const std::wstring longText(5000, L't');
    const SkinPlacement placement = ParseSkinPlacement(L"anything,100,60,140,30," + longText + L",FALSE");
    EXPECT_EQ(placement.rect, (SkinRect{100, 60, 240, 90}));
    EXPECT_EQ(placement.text, longText);
    EXPECT_FALSE(placement.flag);

    const SkinPlacement empty = ParseSkinPlacement(L"");
    EXPECT_EQ(empty.rect, SkinRect{});
    EXPECT_EQ(empty.text, L"");
}

TEST(SkinFileForLanguage, PicksTheLanguageFileAndEnglishForAnyOtherNumber)
{
    EXPECT_EQ(SkinFileForLanguage(1), L"Lan\\skin_Cs.ini");
    EXPECT_EQ(SkinFileForLanguage(2), L"Lan\\skin_Ct.ini");
    EXPECT_EQ(SkinFileForLanguage(3), L"Lan\\skin_De.ini");
    for (int other : {0, 4, -1, INT_MAX})
        EXPECT_EQ(SkinFileForLanguage(other), L"Lan\\skin_En.ini") << other;
}

TEST(FuncStringKey, WritesUpperCaseHexadecimal)
{
    EXPECT_EQ(FuncStringKey(10), L"A");
    EXPECT_EQ(FuncStringKey(255), L"FF");
    EXPECT_EQ(FuncStringKey(26), L"1A");
    EXPECT_EQ(FuncStringKey(0), L"0");
    EXPECT_EQ(FuncStringKey(-1), L"FFFFFFFF");
}

TEST(ExpandSkinLineBreaks, TurnsEachEscapedBreakIntoABlankAndARealBreak)
{
    EXPECT_EQ(ExpandSkinLineBreaks(L"Line1\\r\\nLine2"), L"Line1 \r\nLine2");
    EXPECT_EQ(ExpandSkinLineBreaks(L"\\r\\n\\r\\n"), L" \r\n \r\n");
    EXPECT_EQ(ExpandSkinLineBreaks(L"a\\r b\\n"), L"a\\r b\\n");
    EXPECT_EQ(ExpandSkinLineBreaks(L"\\r\\"), L"\\r\\");
}
