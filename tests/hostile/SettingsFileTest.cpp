// Hostile settings files: garbage, extreme numbers, broken records, empty, binary and huge
// files. The program starts with each, answers, never writes the file while reading it, and the
// system close rewrites it whole, keeping what it cannot show.
#include "ProgramUnderTest.h"

#include <gtest/gtest.h>

#include <climits>
#include <functional>
#include <random>
#include <sstream>

using namespace hostile;

namespace {

// The file the store writes for this block, as bytes (the INI functions write 8-bit text).
std::string StoreText(const SettingsBlock& block)
{
    TempFolder folder;
    const std::wstring path = folder / L"config";
    WriteAllSettings(block, path);
    return ReadFileBytes(path);
}

// The same text as UTF-16 with its byte order mark, the other form the INI functions read.
std::string Utf16(const std::string& text)
{
    std::string out = "\xFF\xFE";
    const int length = ::MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
    std::wstring wide(static_cast<size_t>(length), L'\0');
    ::MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), wide.data(), length);
    out.append(reinterpret_cast<const char*>(wide.data()), wide.size() * sizeof(wchar_t));
    return out;
}

// Every value of the text replaced by what make returns for the line's number.
std::string ReplaceValues(const std::string& text, const std::function<std::string(size_t)>& make)
{
    std::istringstream in(text);
    std::string out;
    size_t number = 0;
    for (std::string line; std::getline(in, line);) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        const size_t equals = line.find('=');
        if (equals != std::string::npos)
            line = line.substr(0, equals + 1) + make(number++);
        out += line + "\r\n";
    }
    return out;
}

const std::string kGarbage[] = {"",          "garbage",      "-",     "0x10", "1e9",   "   ", "\t;comment", "==",
                                "[Setting]", "\xFF\xFE\xA0", "12abc", "+-1",  "\"7\"", "AB"};

std::string GarbageValues()
{
    return ReplaceValues(StoreText(EnglishDefaults()), [](size_t n) { return kGarbage[n % std::size(kGarbage)]; });
}

// Numbers beyond every integer type, and the edges of 32 bits, as text.
std::string HugeNumbers()
{
    static const std::string numbers[] = {
        "99999999999999999999", "-99999999999999999999", "2147483648", "-2147483649",
        "4294967296",           "-2147483648",           "2147483647", "18446744073709551616"};
    return ReplaceValues(StoreText(EnglishDefaults()), [](size_t n) { return numbers[n % std::size(numbers)]; });
}

// Hex records one digit short, one digit long, cut in half, or with a digit that is no digit;
// the integers stay as they were.
std::string BrokenRecords()
{
    std::istringstream in(StoreText(EnglishDefaults()));
    std::string out;
    size_t number = 0;
    for (std::string line; std::getline(in, line);) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        const size_t equals = line.find('=');
        constexpr size_t kRecordDigits = 16; // every record value is longer than any integer
        if (equals != std::string::npos && line.size() - equals > kRecordDigits) {
            switch (number++ % 4) {
            case 0:
                line.pop_back();
                break;
            case 1:
                line += "0";
                break;
            case 2:
                line.resize(equals + 1 + (line.size() - equals - 1) / 2);
                break;
            default:
                line[equals + 3] = 'G';
                break;
            }
        }
        out += line + "\r\n";
    }
    return out;
}

std::string BinaryBytes()
{
    std::mt19937 random(20010);
    std::string bytes(64 * 1024, '\0');
    for (char& c : bytes)
        c = static_cast<char>(random());
    return bytes;
}

// A whole settings file of the user's own values, then lines up to 50 MB in a section the
// program does not know.
std::string FiftyMegabytes()
{
    SettingsBlock block = EnglishDefaults();
    block.CurrentProfile = 2;
    block.profiles[3].dram.effects[4].mode = 7;
    std::string text = StoreText(block) + "[Junk]\r\n";
    constexpr size_t kSize = 50u * 1024 * 1024;
    const std::string line = "key=" + std::string(120, 'x') + "\r\n";
    text.reserve(kSize + line.size());
    while (text.size() < kSize)
        text += line;
    return text;
}

SettingsBlock With(const std::function<void(SettingsBlock&)>& change)
{
    SettingsBlock block = EnglishDefaults();
    change(block);
    return block;
}

void ForEveryRecord(SettingsBlock& block, const std::function<void(EffectInfo&)>& change)
{
    for (ProfileSettings& profile : block.profiles)
        for (GroupSettings* group : {&profile.dram, &profile.ssd})
            for (EffectInfo& record : group->effects)
                change(record);
}

struct SettingsCase {
    const char* name;
    std::function<std::string()> file;
    // What the rewritten file must still hold; nothing more than whole when empty.
    std::function<void(const SettingsBlock&)> keeps;
};

const SettingsCase kCases[] = {
    {"GarbageInEveryKeyAnsi", GarbageValues, {}},
    {"GarbageInEveryKeyUtf16", [] { return Utf16(GarbageValues()); }, {}},
    {"HugeAndEdgeNumbers", HugeNumbers, {}},
    {"HugeAndEdgeNumbersUtf16", [] { return Utf16(HugeNumbers()); }, {}},
    {"BrokenHexRecords", BrokenRecords, {}},
    {"Empty", [] { return std::string(); }, {}},
    {"Binary", BinaryBytes, {}},
    {"FiftyMegabytes", FiftyMegabytes,
     [](const SettingsBlock& back) {
         EXPECT_EQ(back.CurrentProfile, 2) << "the user's values survive";
         EXPECT_EQ(back.profiles[3].dram.effects[4].mode, 7);
     }},
    {"CurrentProfileMinus5AndLanguage7",
     [] {
         return StoreText(With([](SettingsBlock& b) {
             b.CurrentProfile = -5;
             b.lan_id = 7;
         }));
     },
     [](const SettingsBlock& back) {
         EXPECT_EQ(back.CurrentProfile, -5) << "kept until a profile is picked";
         EXPECT_EQ(back.lan_id, 7);
     }},
    {"CurrentProfile99", [] { return StoreText(With([](SettingsBlock& b) { b.CurrentProfile = 99; })); },
     [](const SettingsBlock& back) { EXPECT_EQ(back.CurrentProfile, 99); }},
    {"Mode1000InEveryRecord",
     [] { return StoreText(With([](SettingsBlock& b) { ForEveryRecord(b, [](EffectInfo& r) { r.mode = 1000; }); })); },
     [](const SettingsBlock& back) {
         EXPECT_EQ(back.profiles[0].dram.effects[1].mode, 1000) << "the record in use";
         EXPECT_EQ(back.profiles[3].ssd.effects[16].mode, 1000);
     }},
    {"LedCountMinus1",
     [] {
         return StoreText(With([](SettingsBlock& b) { ForEveryRecord(b, [](EffectInfo& r) { r.ledCount = -1; }); }));
     },
     [](const SettingsBlock& back) {
         EXPECT_EQ(back.profiles[0].dram.effects[1].ledCount, 10) << "the shown group takes the modules' count";
         EXPECT_EQ(back.profiles[1].dram.effects[1].ledCount, -1) << "the others keep theirs";
     }},
    {"LedCount1000AndDevNumMax",
     [] {
         return StoreText(With([](SettingsBlock& b) {
             ForEveryRecord(b, [](EffectInfo& r) { r.ledCount = 1000; });
             for (ProfileSettings& p : b.profiles)
                 p.dram.DevNum = p.ssd.DevNum = INT_MAX;
         }));
     },
     [](const SettingsBlock& back) {
         EXPECT_EQ(back.profiles[0].dram.DevNum, 2) << "the modules found";
         EXPECT_EQ(back.profiles[0].ssd.DevNum, INT_MAX);
         EXPECT_EQ(back.profiles[2].dram.effects[5].ledCount, 1000);
     }},
    {"SwitchesAtTheEdges",
     [] {
         return StoreText(With([](SettingsBlock& b) {
             b.led_sw = INT_MIN;
             b.audio_sw = 1000;
             b.sync_sw = -1;
             b.razer_sw = INT_MAX;
             b.fMusicInfo.level = INT_MAX;
             b.fMusicInfo.ledCount = INT_MIN;
             ForEveryRecord(b, [](EffectInfo& r) {
                 r.speed = INT_MIN;
                 r.variant = 7;
                 r.sameColour = -1;
             });
         }));
     },
     [](const SettingsBlock& back) {
         EXPECT_EQ(back.led_sw, INT_MIN);
         EXPECT_EQ(back.fMusicInfo.level, INT_MAX);
     }},
};

class HostileSettings : public testing::TestWithParam<SettingsCase> {
protected:
    void SetUp() override { ASSERT_TRUE(service::StopAll()); }
    void TearDown() override { EXPECT_TRUE(service::StopAll()); }

    DevicesFolder m_devices;
};

} // namespace

TEST_P(HostileSettings, StartsAnswersAndRewritesTheFileWhole)
{
    const SettingsCase& row = GetParam();
    PlantSettings(row.file());
    const std::string planted = ReadFileBytes(SettingsFile());

    ProgramUnderTest program;
    ASSERT_NE(program.Window(), nullptr) << "the window shows";
    EXPECT_TRUE(program.Answers());
    EXPECT_TRUE(ReadFileBytes(SettingsFile()) == planted) << "reading the file never writes it";

    EXPECT_EQ(program.CloseApplying(), kCleanExit);
    const std::unique_ptr<SettingsBlock> back = ReadWholeSettings(SettingsFile());
    ASSERT_TRUE(back) << "every record of the rewritten file reads back";
    if (row.keeps)
        row.keeps(*back);
}

INSTANTIATE_TEST_SUITE_P(Files, HostileSettings, testing::ValuesIn(kCases),
                         [](const testing::TestParamInfo<SettingsCase>& info) { return info.param.name; });

// A settings file an editor saved as UTF-8 with a byte order mark, and a comment of the person's
// own in UTF-8. Windows' INI functions would take the mark for part of the first line, read none
// of "[Setting]" and append a second one at the next Apply: the program drops the mark before
// it reads the file, keeps every other byte, and the system close then applies into the one
// section there is.
TEST(HostileSettingsFile, AUtf8ByteOrderMarkIsDroppedBeforeTheFileIsRead)
{
    ASSERT_TRUE(service::StopAll());
    DevicesFolder devices;
    SettingsBlock block = EnglishDefaults();
    block.CurrentProfile = 2;
    block.led_sw = 0;
    block.profiles[2].dram.effects[3].mode = 7;
    const std::string text = "; r\xC3\xA9glages du soir\r\n" + StoreText(block);
    PlantSettings("\xEF\xBB\xBF" + text);

    {
        ProgramUnderTest program;
        ASSERT_NE(program.Window(), nullptr) << "the window shows";
        EXPECT_TRUE(program.Answers());
        EXPECT_TRUE(ReadFileBytes(SettingsFile()) == text) << "the mark dropped before reading, every other byte kept";
        EXPECT_EQ(program.CloseApplying(), kCleanExit);
    }
    const std::string applied = ReadFileBytes(SettingsFile());
    EXPECT_EQ(applied.find("[Setting]"), applied.rfind("[Setting]")) << "one section of that name";
    EXPECT_TRUE(applied.starts_with("; r\xC3\xA9glages du soir\r\n[Setting]\r\n"));
    const std::unique_ptr<SettingsBlock> back = ReadWholeSettings(SettingsFile());
    ASSERT_TRUE(back) << "every record of the rewritten file reads back";
    EXPECT_EQ(back->CurrentProfile, 2) << "the first section was read";
    EXPECT_EQ(back->led_sw, 0);
    EXPECT_EQ(back->profiles[2].dram.effects[3].mode, 7);
    EXPECT_TRUE(service::StopAll());
}
