// Arbitrary values in the messages other programs send the main window: menu selections,
// slider positions, commands, the warning timer, restore, exit with unknown codes, the ping.
// The program answers after each kind, keeps its colour fields in range, shows one warning
// at most, and ends cleanly where a message ends it.
#include "ProgramUnderTest.h"

#include "framework/Wnd.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <cwctype>
#include <optional>
#include <random>
#include <thread>
#include <vector>

using namespace hostile;

namespace {

constexpr int kRandomMessages = 300;
constexpr int kHighestMenuValue = 80;    // beyond every menu value the program knows
constexpr LPARAM kNoWindow = 0x5A5A1234; // a handle value no window has

constexpr LPARAM kSliderIds[] = {10001,
                                 10002,
                                 10003,
                                 10004,
                                 10005,
                                 10006,
                                 10007,
                                 10008,
                                 10009,
                                 10010,
                                 0,
                                 1,
                                 9999,
                                 10011,
                                 65535,
                                 -1,
                                 LPARAM(0x100002712)};
constexpr WPARAM kSliderValues[] = {WPARAM(INT_MIN), WPARAM(-1),     0, 1, 5, 50, 255, 256, 359, 360, 1000, INT_MAX,
                                    0xFFFFFFFFu,     WPARAM(1) << 63};

HWND ChildAt(HWND wnd, POINT client)
{
    return ::ChildWindowFromPointEx(wnd, client, CWP_SKIPINVISIBLE);
}

std::wstring TextOf(HWND wnd)
{
    wchar_t text[64] = {};
    DWORD_PTR copied = 0;
    ::SendMessageTimeoutW(wnd, WM_GETTEXT, std::size(text), reinterpret_cast<LPARAM>(text), SMTO_BLOCK,
                          poll::Scaled(kAnswerMs), &copied);
    return text;
}

bool IsComponent(const std::wstring& text)
{
    if (text.empty() || text.size() > 3 || !std::all_of(text.begin(), text.end(), ::iswdigit))
        return false;
    return std::stoi(text) <= 255;
}

bool IsHexColour(const std::wstring& text)
{
    return text.size() == 6 && std::all_of(text.begin(), text.end(), ::iswxdigit);
}

std::vector<HWND> Children(HWND wnd)
{
    std::vector<HWND> children;
    ::EnumChildWindows(
        wnd,
        [](HWND child, LPARAM list) {
            reinterpret_cast<std::vector<HWND>*>(list)->push_back(child);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&children));
    return children;
}

// A random command that is neither the dialog's OK nor Cancel nor the all-bits command, which
// end the program.
WPARAM RandomCommand(std::mt19937_64& random)
{
    for (;;) {
        const WPARAM command = random() & 0xFFFFFFFFu;
        if (LOWORD(command) != IDOK && LOWORD(command) != IDCANCEL && command != 0xFFFFFFFFu)
            return command;
    }
}

// A window of this process carrying the property under which comctl32 keeps a window's
// subclass data, as every subclassed control of any program does. Its value is an address in
// the process that owns the window, here one that is never readable: it means nothing in
// another process.
class ForeignSubclassedWindow {
public:
    ForeignSubclassedWindow()
        : m_wnd(::CreateWindowExW(0, L"STATIC", L"foreign", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr))
    {
        ::SetPropW(m_wnd, kSubclassProperty, reinterpret_cast<HANDLE>(kUnreadableAddress));
    }
    ~ForeignSubclassedWindow()
    {
        ::RemovePropW(m_wnd, kSubclassProperty);
        ::DestroyWindow(m_wnd);
    }
    ForeignSubclassedWindow(const ForeignSubclassedWindow&) = delete;
    ForeignSubclassedWindow& operator=(const ForeignSubclassedWindow&) = delete;

    HWND get() const noexcept { return m_wnd; }

private:
    static constexpr const wchar_t* kSubclassProperty = L"CC32SubclassInfo";
    static constexpr UINT_PTR kUnreadableAddress = 0x10;

    HWND m_wnd;
};

class HostileMessages : public testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(service::StopAll());
        PlantSettings(EnglishDefaults());
        m_planted = ReadFileBytes(SettingsFile());
    }
    void TearDown() override { EXPECT_TRUE(service::StopAll()); }

    // The settings file is as planted, or a whole file after an Apply.
    void ExpectSettingsUntouchedOrWhole() const
    {
        if (ReadFileBytes(SettingsFile()) != m_planted) {
            EXPECT_TRUE(ReadWholeSettings(SettingsFile())) << "rewritten, and whole";
        }
    }

    DevicesFolder m_devices;
    std::string m_planted;
};

} // namespace

TEST_F(HostileMessages, ArbitraryValuesKeepItAnsweringAndInRange)
{
    ProgramUnderTest program;
    const HWND wnd = program.Window();
    ASSERT_NE(wnd, nullptr);
    std::mt19937_64 random(20010);

    for (int value = 0; value <= kHighestMenuValue; ++value)
        ::PostMessageW(wnd, kMenuSelection, random(), MAKELPARAM(random(), value));
    for (int i = 0; i < kRandomMessages; ++i)
        ::PostMessageW(wnd, kMenuSelection, random(), random());
    EXPECT_TRUE(program.Answers()) << "after menu selections";

    for (LPARAM id : kSliderIds)
        for (WPARAM value : kSliderValues)
            ::PostMessageW(wnd, kSliderPos, value, id);
    for (int i = 0; i < kRandomMessages; ++i)
        ::PostMessageW(wnd, kSliderPos, random(), random());
    ASSERT_TRUE(program.Answers()) << "after slider positions";
    // Read once the window has settled (what the flood's last messages set off may still be
    // under way); a field left out of range stays out of range.
    for (const wchar_t* key : {L"31", L"32", L"33"}) {
        const auto field = [&] { return ChildAt(wnd, Centre(SkinPlace(L"LED", key))); };
        EXPECT_TRUE(poll::Until([&] { return IsComponent(TextOf(field())); }))
            << "colour field " << key << " reads " << testing::PrintToString(TextOf(field())) << ", "
            << (field() == wnd ? "the window itself" : "a control");
    }
    EXPECT_TRUE(IsHexColour(TextOf(ChildAt(wnd, Centre(SkinPlace(L"LED", L"34"))))));

    for (int i = 0; i < kRandomMessages; ++i)
        ::PostMessageW(wnd, WM_COMMAND, RandomCommand(random), static_cast<LPARAM>(random() | 1));
    EXPECT_TRUE(program.Answers()) << "after commands from no window";

    // The close button ends the program and a profile button asks whether to apply: neither
    // is a case of arbitrary input.
    std::vector<HWND> excluded = {ChildAt(wnd, Centre(SkinPlace(L"MAIN", L"2")))};
    for (const wchar_t* key : {L"21", L"22", L"23", L"24"})
        excluded.push_back(ChildAt(wnd, Centre(SkinPlace(L"MAIN", key))));
    for (HWND child : Children(wnd))
        if (std::find(excluded.begin(), excluded.end(), child) == excluded.end())
            ::PostMessageW(wnd, WM_COMMAND, RandomCommand(random), reinterpret_cast<LPARAM>(child));
    EXPECT_TRUE(program.Answers()) << "after commands naming its own controls";

    ::PostMessageW(wnd, kProgramRestore, 0, 0);
    EXPECT_TRUE(program.Answers());
    ASSERT_TRUE(program.Process().Running()) << "the program crashed";
    ExpectSettingsUntouchedOrWhole();
    EXPECT_EQ(program.EndWithoutApplying(), kCleanExit);
}

TEST_F(HostileMessages, ACommandNamingAForeignSubclassedWindow)
{
    ProgramUnderTest program;
    ASSERT_NE(program.Window(), nullptr);
    ForeignSubclassedWindow foreign;
    ASSERT_NE(foreign.get(), nullptr);

    ::PostMessageW(program.Window(), WM_COMMAND, MAKEWPARAM(0, BN_CLICKED), reinterpret_cast<LPARAM>(foreign.get()));
    EXPECT_TRUE(program.Answers());
    EXPECT_EQ(program.EndWithoutApplying(), kCleanExit);
    EXPECT_TRUE(ReadFileBytes(SettingsFile()) == m_planted);
}

TEST(ForeignWindow, IsNeverLookedIntoForItsObject)
{
    ForeignSubclassedWindow foreign; // of this thread; asked about from another
    std::optional<CWnd*> found;
    std::thread([&] { found = CWnd::FromHandle(foreign.get()); }).join();
    EXPECT_EQ(found, std::optional<CWnd*>(nullptr));
}

TEST_F(HostileMessages, RestoreExitCodesPingAndTheWarningTimer)
{
    ProgramUnderTest program;
    const HWND wnd = program.Window();
    ASSERT_NE(wnd, nullptr);
    std::mt19937_64 random(4000);

    ::ShowWindow(wnd, SW_MINIMIZE);
    for (int i = 0; i < kRandomMessages; ++i)
        ::PostMessageW(wnd, kProgramRestore, random(), random());
    EXPECT_TRUE(poll::Until([&] { return !::IsIconic(wnd) && ::IsWindowVisible(wnd); }));
    // A minimise posted behind the restores takes effect once they all have been handled.
    ::PostMessageW(wnd, WM_SYSCOMMAND, SC_MINIMIZE, 0);
    ASSERT_TRUE(poll::Until([&] { return ::IsIconic(wnd) != FALSE; }));
    EXPECT_TRUE(program.Answers());

    std::vector<WPARAM> otherCodes = {0, 1, 1624, 1627, 0xFFFFFFFFu, WPARAM(1625) << 32 | 1};
    for (int i = 0; i < 20; ++i)
        otherCodes.push_back(random());
    for (WPARAM code : otherCodes) {
        if (code == kExitCodes[0] || code == kExitCodes[1])
            continue;
        DWORD_PTR result = 0;
        EXPECT_NE(
            ::SendMessageTimeoutW(wnd, kProgramExit, code, random(), SMTO_BLOCK, poll::Scaled(kAnswerMs), &result), 0);
        EXPECT_EQ(result, 1u);
    }
    EXPECT_TRUE(program.Answers()) << "only 1625 and 1626 end it";

    for (int i = 0; i < 20; ++i) {
        DWORD_PTR result = 0;
        EXPECT_NE(
            ::SendMessageTimeoutW(wnd, kProgramPing, random(), random(), SMTO_BLOCK, poll::Scaled(kAnswerMs), &result),
            0);
        EXPECT_EQ(result, 1u);
    }

    for (UINT_PTR timer : {UINT_PTR(0), UINT_PTR(1), UINT_PTR(20009), UINT_PTR(20011), UINT_PTR(-1)})
        ::PostMessageW(wnd, WM_TIMER, timer, 0);
    EXPECT_TRUE(program.Answers());
    EXPECT_TRUE(program.WarningWindows().empty()) << "only timer 20010 asks";

    ::PostMessageW(wnd, WM_TIMER, kSsdWarningTimer, 0);
    ASSERT_NE(program.Process().WaitForWindow(kWarningCaption), nullptr);
    ::PostMessageW(wnd, WM_TIMER, kSsdWarningTimer, 0);
    ::PostMessageW(wnd, WM_TIMER, kSsdWarningTimer, 0);
    EXPECT_TRUE(program.Answers());
    EXPECT_EQ(program.WarningWindows().size(), 1u) << "one question at a time";

    EXPECT_EQ(program.EndWithoutApplying(), kCleanExit) << "the exit message also closes the warning";
    EXPECT_TRUE(ReadFileBytes(SettingsFile()) == m_planted);
}

struct EndingCommand {
    const char* name;
    WPARAM wParam;
    LPARAM lParam;
    bool applies;
};

const EndingCommand kEndingCommands[] = {
    {"OkFromNoWindow", MAKEWPARAM(IDOK, 0), kNoWindow, false},
    {"CancelFromNoWindow", MAKEWPARAM(IDCANCEL, BN_CLICKED), kNoWindow, false},
    {"AllBitsFromNoWindow", 0xFFFFFFFFu, kNoWindow, false},
    {"SystemCloseWithoutAWindow", MAKEWPARAM(12345, 678), 0, true},
};

class HostileEndingCommands : public HostileMessages, public testing::WithParamInterface<EndingCommand> {};

// Each command ends the program after an unapplied change (the lighting switched off): the
// system close takes it into the file, the others leave the file as planted.
TEST_P(HostileEndingCommands, EndCleanly)
{
    const EndingCommand& row = GetParam();
    ProgramUnderTest program;
    const HWND wnd = program.Window();
    ASSERT_NE(wnd, nullptr);
    const HWND lightingSwitch = ChildAt(wnd, Centre(SkinPlace(L"MAIN", L"7")));
    ASSERT_NE(lightingSwitch, wnd);
    ASSERT_EQ(EnglishDefaults().led_sw, 1);
    ::PostMessageW(wnd, WM_COMMAND, MAKEWPARAM(0, BN_CLICKED), reinterpret_cast<LPARAM>(lightingSwitch));
    ::PostMessageW(wnd, WM_COMMAND, row.wParam, row.lParam);
    EXPECT_EQ(program.Process().WaitForExit(), kCleanExit);
    if (row.applies) {
        const std::unique_ptr<SettingsBlock> applied = ReadWholeSettings(SettingsFile());
        ASSERT_TRUE(applied) << "applied, and whole";
        EXPECT_EQ(applied->led_sw, 0) << "the change reached the file";
    } else {
        EXPECT_TRUE(ReadFileBytes(SettingsFile()) == m_planted);
    }
}

INSTANTIATE_TEST_SUITE_P(Commands, HostileEndingCommands, testing::ValuesIn(kEndingCommands),
                         [](const testing::TestParamInfo<EndingCommand>& info) { return info.param.name; });
