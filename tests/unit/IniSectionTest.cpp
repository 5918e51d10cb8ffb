// A whole INI section answering key lookups, and declining wherever the per-key calls might
// answer otherwise.
#include "settings/IniSection.h"

#include <gtest/gtest.h>

#include <climits>
#include <optional>
#include <string>

using namespace std::string_literals;

namespace {

using Answer = IniSection::Answer;

struct FindCase {
    const char* name;
    std::wstring text;
    bool complete;
    const wchar_t* key;
    Answer answer;
    const wchar_t* value;
};

const FindCase kFindCases[] = {
    {"plain value", L"Show_OSD=1\0lan_id=3\0\0"s, true, L"lan_id", Answer::Value, L"3"},
    {"names match without case", L"LAN_ID=3\0\0"s, true, L"lan_id", Answer::Value, L"3"},
    {"last entry without its ending", L"Show_OSD=1\0lan_id=3"s, true, L"lan_id", Answer::Value, L"3"},
    {"empty value", L"lan_id=\0\0"s, true, L"lan_id", Answer::Value, L""},
    {"value holding '='", L"lan_id=3=4\0\0"s, true, L"lan_id", Answer::Value, L"3=4"},
    {"space inside a value", L"lan_id=3 4\0\0"s, true, L"lan_id", Answer::Value, L"3 4"},
    {"longer and shorter names", L"lan_idx=5\0xlan_id=6\0lan_i=7\0\0"s, true, L"lan_id", Answer::Absent, L""},
    {"space inside a name", L"lan id=3\0\0"s, true, L"lan_id", Answer::Absent, L""},
    {"empty section", L""s, true, L"lan_id", Answer::Absent, L""},
    {"only the list's end", L"\0\0"s, true, L"lan_id", Answer::Absent, L""},
    {"twice", L"lan_id=3\0lan_id=4\0\0"s, true, L"lan_id", Answer::Unsure, L""},
    {"twice in other cases", L"lan_id=3\0Lan_Id=3\0\0"s, true, L"lan_id", Answer::Unsure, L""},
    {"double quotes", L"lan_id=\"3\"\0\0"s, true, L"lan_id", Answer::Unsure, L""},
    {"single quotes", L"lan_id='3'\0\0"s, true, L"lan_id", Answer::Unsure, L""},
    {"one quote", L"lan_id=3\"\0\0"s, true, L"lan_id", Answer::Unsure, L""},
    {"space before '='", L"lan_id =3\0\0"s, true, L"lan_id", Answer::Unsure, L""},
    {"space before the name", L" lan_id=3\0\0"s, true, L"lan_id", Answer::Unsure, L""},
    {"tab after the value", L"lan_id=3\t\0\0"s, true, L"lan_id", Answer::Unsure, L""},
    {"space before the value", L"lan_id= 3\0\0"s, true, L"lan_id", Answer::Unsure, L""},
    {"no-break space after the name", L"lan_id\u00A0=3\0\0"s, true, L"lan_id", Answer::Unsure, L""},
    {"dotted capital I in the name", L"lan_\u0130d=3\0\0"s, true, L"lan_id", Answer::Unsure, L""},
    {"no '='", L"lan_id\0\0"s, true, L"lan_id", Answer::Unsure, L""},
    {"cut short", L"Show_OSD=1\0lan_id=3\0\0"s, false, L"lan_id", Answer::Unsure, L""},
    {"cut short, key not seen", L"Show_OSD=1\0\0"s, false, L"lan_id", Answer::Unsure, L""},
    {"key with a space", L"lan id=3\0\0"s, true, L"lan id", Answer::Unsure, L""},
    {"key with '='", L"a=b=3\0\0"s, true, L"a=b", Answer::Unsure, L""},
    {"empty key", L"=3\0\0"s, true, L"", Answer::Unsure, L""},
};

TEST(IniSection, FindAnswersOnlyWhereThePerKeyCallWouldAgree)
{
    for (const FindCase& c : kFindCases) {
        const IniSection section(c.text, c.complete);
        const IniSection::Lookup lookup = section.Find(c.key);
        EXPECT_EQ(lookup.answer, c.answer) << c.name;
        if (c.answer == Answer::Value) {
            EXPECT_EQ(lookup.value, c.value) << c.name;
        }
    }
}

struct IntCase {
    const wchar_t* value;
    std::optional<int> read;
};

const IntCase kIntCases[] = {
    {L"0", 0},
    {L"7", 7},
    {L"-5", -5},
    {L"2147483647", INT_MAX},
    {L"-2147483648", INT_MIN},
    {L"2147483648", std::nullopt},
    {L"-2147483649", std::nullopt},
    {L"99999999999", std::nullopt},
    {L"0x10", std::nullopt},
    {L"12abc", std::nullopt},
    {L" 12abc", std::nullopt},
    {L"+5", std::nullopt},
    {L"007", std::nullopt},
    {L"-0", std::nullopt},
    {L"-", std::nullopt},
    {L"", std::nullopt},
    {L"garbage", std::nullopt},
};

TEST(IniSection, FindIntTakesOnlyPlainDecimals)
{
    for (const IntCase& c : kIntCases) {
        const IniSection section(L"DevNum="s + c.value + L"\0\0"s, true);
        EXPECT_EQ(section.FindInt(L"DevNum", 2), c.read) << ::testing::PrintToString(std::wstring(c.value));
    }
}

TEST(IniSection, FindIntGivesTheFallbackForAnAbsentKeyAndNothingWhenUnsure)
{
    const IniSection section(L"DevNum=3\0Synchronize=1\0Synchronize=0\0\0"s, true);
    EXPECT_EQ(section.FindInt(L"DevNum_SSD", 2), 2);
    EXPECT_EQ(section.FindInt(L"Synchronize", 1), std::nullopt);
    EXPECT_EQ(IniSection().FindInt(L"DevNum", 2), 2);
}

TEST(IniSection, HoldsOnlyTheExactStoredText)
{
    const IniSection section(L"lan_id=3\0EffectInfo0=0a1B\0\0"s, true);
    EXPECT_TRUE(section.Holds(L"LAN_ID", L"3"));
    EXPECT_FALSE(section.Holds(L"lan_id", L"03"));
    EXPECT_FALSE(section.Holds(L"EffectInfo0", L"0A1B")) << "a write would change the digits' case";
    EXPECT_FALSE(section.Holds(L"EffectInfo1", L"")) << "a write would add the key";
}

TEST(IniSection, MayBeCutWhenTheAnswerReachesTheBufferSizeLessTwo)
{
    EXPECT_FALSE(IniSection::MayBeCut(0, 100));
    EXPECT_FALSE(IniSection::MayBeCut(97, 100));
    EXPECT_TRUE(IniSection::MayBeCut(98, 100));
    EXPECT_TRUE(IniSection::MayBeCut(0, 2));
}

} // namespace
