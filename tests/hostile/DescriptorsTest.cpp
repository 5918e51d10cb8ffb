// Hostile descriptor documents from the stand-in provider: too large, too deep, not ASCII, not
// UTF-8, not XML, null, and more devices than the settings keep. The program lists them at start
// and on the warning's retry, lets each be chosen, answers, and ends cleanly.
#include "ProgramUnderTest.h"

#include <gtest/gtest.h>

#include <random>

using namespace hostile;

namespace {

constexpr int kAllDevicesValue = 48; // menu value of record 0; + k picks device k
constexpr int kLastDeviceValue = 63;

std::string Descriptor(const std::string& name, const std::string& ledCount, const std::string& extra = {})
{
    return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<descriptor><version>1.0</version><type>458752</type>"
           "<device><name>" +
           name + "</name><id>1</id><layout><led_count>" + ledCount + "</led_count>" + extra +
           "</layout></device></descriptor>\n";
}

std::string Repeated(const std::string& piece, size_t times)
{
    std::string out;
    out.reserve(piece.size() * times);
    for (size_t i = 0; i < times; ++i)
        out += piece;
    return out;
}

std::string RandomBytes(size_t size, unsigned seed)
{
    std::mt19937 random(seed);
    std::string bytes(size, '\0');
    for (char& c : bytes)
        c = static_cast<char>(random());
    return bytes;
}

// One file each, listed in this order by the provider (file names sort).
const std::pair<const wchar_t*, std::string> kHostileDocuments[] = {
    {L"01-huge.xml",
     Descriptor("Huge", "30000", "<led_name>" + Repeated("<led>LED name</led>", 30000) + "</led_name>")},
    {L"02-deep-100000.xml", Repeated("<a>", 100000) + Repeated("</a>", 100000)},
    {L"03-deep-30000.xml", Repeated("<a>", 30000) + Repeated("</a>", 30000)},
    {L"04-deep-inside.xml", Descriptor("Deep", "8", Repeated("<x>", 20000) + Repeated("</x>", 20000))},
    {L"05-utf8.xml", Descriptor("\xD0\x9C\xD0\xBE\xD0\xB4\xD1\x83\xD0\xBB\xD1\x8C \xE5\x86\x85\xE5\xAD\x98 "
                                "\xF0\x9F\x8C\x88 \xC3\xA9",
                                "7")},
    {L"06-invalid-utf8.xml", Descriptor("\xC3\x28 \xFF\xFE \xED\xA0\x80 \xC0\xAF \xE2\x82", "6")},
    {L"07-not-xml.xml", RandomBytes(4096, 7)},
    {L"08-text.xml", "this is no XML at all, just a line of text\r\n"},
    {L"09-empty.xml", ""},
    {L"10-bom-only.xml", "\xEF\xBB\xBF"},
    {L"11-nul-inside.xml", Descriptor(std::string("Before\0after", 12), "5")},
    {L"12-numbers.xml", Descriptor("Numbers", "99999999999999999999999")},
    {L"13-negative.xml", Descriptor("Negative", "-2147483649")},
    {L"14-unclosed.xml", "<descriptor><device><name>Unclosed</name><layout><led_count>4"},
};

class HostileDescriptors : public testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(service::StopAll());
        PlantSettings(EnglishDefaults());
    }
    void TearDown() override { EXPECT_TRUE(service::StopAll()); }

    void PlantEverywhere(const std::wstring& name, const std::string& bytes) const
    {
        WriteFileBytes(m_devices.Dram(name), bytes);
        WriteFileBytes(m_devices.Ssd(name), bytes);
    }

    // Every device of the shown group chosen in turn, then all of them again.
    static void ChooseEveryDevice(const ProgramUnderTest& program)
    {
        for (int value = kAllDevicesValue + 1; value <= kLastDeviceValue; ++value)
            ::PostMessageW(program.Window(), kMenuSelection, 0, MAKELPARAM(0, value));
        ::PostMessageW(program.Window(), kMenuSelection, 0, MAKELPARAM(0, kAllDevicesValue));
    }

    // Presses Apply and reads back what it wrote; null when the file is not whole.
    static std::unique_ptr<SettingsBlock> Apply(const ProgramUnderTest& program)
    {
        const HWND apply =
            ::ChildWindowFromPointEx(program.Window(), Centre(SkinPlace(L"MAIN", L"4")), CWP_SKIPINVISIBLE);
        if (apply == program.Window())
            return nullptr;
        DWORD_PTR result = 0;
        ::SendMessageTimeoutW(program.Window(), WM_COMMAND, MAKEWPARAM(0, BN_CLICKED), reinterpret_cast<LPARAM>(apply),
                              SMTO_BLOCK, poll::Scaled(poll::kLimitMs), &result);
        return ReadWholeSettings(SettingsFile());
    }

    // Opens the warning dialog and presses its retry button, returning once the retry's
    // discovery has run; the warning, or null when it did not show.
    static HWND RetryInWarning(const ProgramUnderTest& program)
    {
        ::PostMessageW(program.Window(), WM_TIMER, kSsdWarningTimer, 0);
        const HWND warning = program.Process().WaitForWindow(kWarningCaption);
        if (!warning)
            return nullptr;
        const HWND retry = ::ChildWindowFromPointEx(warning, Centre(SkinPlace(L"WARN", L"2")), CWP_SKIPINVISIBLE);
        DWORD_PTR result = 0;
        ::SendMessageTimeoutW(warning, WM_COMMAND, MAKEWPARAM(0, BN_CLICKED), reinterpret_cast<LPARAM>(retry),
                              SMTO_BLOCK, poll::Scaled(kAnswerMs), &result);
        return warning;
    }

    DevicesFolder m_devices{false};
};

} // namespace

// Every file is one device, whatever it holds: Apply stores as many for each group.
TEST_F(HostileDescriptors, EveryKindIsListedAtStartAndOnRetry)
{
    for (const auto& [name, bytes] : kHostileDocuments)
        PlantEverywhere(name, bytes);
    PlantEverywhere(L"15-device.null", {});
    constexpr int kDevices = static_cast<int>(std::size(kHostileDocuments)) + 1;

    ProgramUnderTest program;
    ASSERT_NE(program.Window(), nullptr);
    EXPECT_TRUE(program.Answers());
    ChooseEveryDevice(program);
    EXPECT_TRUE(program.Answers());
    const std::unique_ptr<SettingsBlock> dram = Apply(program);
    ASSERT_TRUE(dram) << "Apply wrote the file whole";
    EXPECT_EQ(dram->profiles[0].dram.DevNum, kDevices);

    const HWND warning = RetryInWarning(program);
    ASSERT_NE(warning, nullptr);
    EXPECT_TRUE(service::WaitUntil([&] { return !::IsWindow(warning); })) << "the SSD devices were found";
    EXPECT_TRUE(program.Answers());
    ChooseEveryDevice(program);
    EXPECT_TRUE(program.Answers());
    const std::unique_ptr<SettingsBlock> both = Apply(program);
    ASSERT_TRUE(both) << "Apply wrote the file whole";
    EXPECT_EQ(both->profiles[0].ssd.DevNum, kDevices);
    EXPECT_EQ(both->profiles[0].dram.DevNum, kDevices);
    const std::string afterApply = ReadFileBytes(SettingsFile());

    EXPECT_EQ(program.EndWithoutApplying(), kCleanExit);
    EXPECT_TRUE(ReadFileBytes(SettingsFile()) == afterApply);
}

TEST_F(HostileDescriptors, HundredsOfDevices)
{
    constexpr int kDramDevices = 250; // described: more than the settings keep
    constexpr int kSsdDevices = 300;  // more than a provider is asked for
    const std::string module = ReadFileBytes(TestProgramFolder() + L"devices\\dram\\dimm-a2.xml");
    for (int i = 0; i < kSsdDevices; ++i) {
        wchar_t name[32];
        swprintf(name, std::size(name), L"m%03d.xml", i);
        if (i < kDramDevices)
            WriteFileBytes(m_devices.Dram(name), module);
        WriteFileBytes(m_devices.Ssd(name), module);
    }

    ProgramUnderTest program;
    ASSERT_NE(program.Window(), nullptr);
    EXPECT_TRUE(program.Answers());
    ChooseEveryDevice(program);
    EXPECT_TRUE(program.Answers());

    const std::unique_ptr<SettingsBlock> applied = Apply(program);
    ASSERT_TRUE(applied) << "Apply wrote the file whole";
    EXPECT_EQ(applied->profiles[0].dram.DevNum, kDramDevices);
    const std::string afterApply = ReadFileBytes(SettingsFile());

    const HWND warning = RetryInWarning(program);
    ASSERT_NE(warning, nullptr);
    EXPECT_TRUE(::IsWindow(warning)) << "a provider claiming so many has none to offer";
    EXPECT_EQ(program.WarningWindows().size(), 1u);
    EXPECT_TRUE(program.Answers());

    EXPECT_EQ(program.EndWithoutApplying(), kCleanExit);
    EXPECT_TRUE(ReadFileBytes(SettingsFile()) == afterApply);
}
