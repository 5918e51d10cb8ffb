// Apply's settings write cut short or refused: the real program killed at random moments of
// Apply over a large settings file full of the person's own notes, and a settings file it may
// not write. After every kill the file is the whole old one or the whole new one; a refused
// write leaves it byte for byte, and the edit it did not keep still counts as unsaved.
#include "ProgramUnderTest.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <optional>
#include <random>
#include <sstream>
#include <thread>

using namespace hostile;

namespace {

constexpr int kKills = 20;
constexpr size_t kLargeFileBytes = 950 * 1024;
constexpr int kNotesPerLine = 45;
constexpr size_t kNoteWidth = 100;
constexpr int kModeRowSpacing = 37; // the mode list's rows, from its top one ("LED" "2")
constexpr int kPickedModeRow = 2;   // mode 3
// Kills fall from the moment Apply is asked for until a little after a whole Apply last wrote
// the file, so that some come before the write, most during it and some after.
constexpr double kKillSpanOfWrite = 1.25;
constexpr std::chrono::milliseconds kWriteWait{10000};
// Apply writes without pause, then pauses 200 ms around the service restart.
constexpr std::chrono::milliseconds kQuietAfterWrite{150};
constexpr const wchar_t* kTemporarySuffix = L".tmp";

std::wstring TemporaryFile()
{
    return SettingsFile() + kTemporarySuffix;
}

// The store's file of the English first-run block with the person's notes kept in it: comment
// lines after every line and a section of notes of their own, about 950 KB in all.
std::string LargeFileWithNotes()
{
    TempFolder scratch;
    const std::wstring path = scratch / L"config";
    WriteAllSettings(EnglishDefaults(), path);
    std::istringstream in(ReadFileBytes(path));
    std::string text;
    int note = 0;
    auto addNote = [&] { text += "; note " + std::to_string(++note) + ": " + std::string(kNoteWidth, 'n') + "\r\n"; };
    for (std::string line; std::getline(in, line);) {
        text += line + "\n"; // the line keeps its '\r'
        for (int i = 0; i < kNotesPerLine; ++i)
            addNote();
    }
    text += "[My notes]\r\n";
    while (text.size() < kLargeFileBytes)
        addNote();
    return text;
}

// Section headers and comment lines, in file order: what the person wrote that must survive.
std::vector<std::string> HeadersAndComments(const std::string& text)
{
    std::istringstream in(text);
    std::vector<std::string> kept;
    for (std::string line; std::getline(in, line);)
        if (!line.empty() && (line.front() == '[' || line.front() == ';'))
            kept.push_back(line);
    return kept;
}

HWND ControlAt(HWND wnd, const wchar_t* section, const wchar_t* key, int dy = 0)
{
    return ::ChildWindowFromPointEx(wnd, Centre(SkinPlace(section, key), dy), CWP_SKIPINVISIBLE);
}

// A click of the control as its notification reaches the dialog: sent (returns once handled)
// or posted (the test goes on at once).
void Click(HWND wnd, HWND control, bool wait)
{
    const WPARAM clicked = MAKEWPARAM(0, BN_CLICKED);
    if (wait)
        ::SendMessageW(wnd, WM_COMMAND, clicked, reinterpret_cast<LPARAM>(control));
    else
        ::PostMessageW(wnd, WM_COMMAND, clicked, reinterpret_cast<LPARAM>(control));
}

void PickModeAndApply(HWND wnd, bool wait)
{
    Click(wnd, ControlAt(wnd, L"LED", L"2", kPickedModeRow * kModeRowSpacing), wait);
    Click(wnd, ControlAt(wnd, L"MAIN", L"4"), wait);
}

ULONGLONG LastWriteTime(const std::wstring& path)
{
    WIN32_FILE_ATTRIBUTE_DATA data{};
    ::GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &data);
    return (ULONGLONG(data.ftLastWriteTime.dwHighDateTime) << 32) | data.ftLastWriteTime.dwLowDateTime;
}

// How long from now until the file was last written, watched closely: from its first change
// until it has stayed unchanged for a while, as it does once Apply turns to the service.
std::optional<std::chrono::milliseconds> TimeOfLastWrite(const std::wstring& path)
{
    using Clock = std::chrono::steady_clock;
    const auto start = Clock::now();
    ULONGLONG seen = LastWriteTime(path);
    std::optional<Clock::time_point> changed;
    for (auto now = start;; now = Clock::now()) {
        if (const ULONGLONG time = LastWriteTime(path); time != seen) {
            seen = time;
            changed = now;
        }
        if (changed ? now - *changed >= kQuietAfterWrite : now - start > kWriteWait)
            break;
        ::Sleep(1);
    }
    if (!changed)
        return std::nullopt;
    return std::chrono::duration_cast<std::chrono::milliseconds>(*changed - start);
}

// Clicks the second profile and answers "Save Profile?" with Cancel should it be asked;
// whether it was.
bool AskedToSaveOnProfileSwitch(HWND wnd)
{
    std::atomic<bool> switched{false};
    bool asked = false;
    std::thread answer([&] {
        for (; !switched; ::Sleep(poll::kIntervalMs))
            if (const HWND box = ::FindWindowW(L"#32770", L"Profile")) {
                asked = true;
                ::PostMessageW(box, WM_COMMAND, IDCANCEL, 0);
                return;
            }
    });
    Click(wnd, ControlAt(wnd, L"MAIN", L"22"), true);
    switched = true;
    answer.join();
    return asked;
}

std::string Describe(const std::string& left)
{
    std::ostringstream out;
    out << left.size() << " bytes, " << (ReadWholeSettings(SettingsFile()) ? "every record reads" : "records lost");
    return out.str();
}

class HostileApply : public testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(service::StopAll()); }
    void TearDown() override
    {
        ::SetFileAttributesW(SettingsFile().c_str(), FILE_ATTRIBUTE_NORMAL);
        EXPECT_TRUE(service::StopAll());
    }

    DevicesFolder m_devices;
};

} // namespace

TEST_F(HostileApply, KilledAtRandomMomentsOfApplyTheFileIsWholeAfterEveryKill)
{
    const std::string planted = LargeFileWithNotes();

    // One whole Apply: the file every kill after the write leaves, and how long after the clicks
    // the file was last written.
    PlantSettings(planted);
    std::optional<std::chrono::milliseconds> writtenAfter;
    {
        ProgramUnderTest program;
        ASSERT_NE(program.Window(), nullptr);
        PickModeAndApply(program.Window(), false);
        writtenAfter = TimeOfLastWrite(SettingsFile());
        ASSERT_TRUE(writtenAfter) << "Apply wrote the file";
        EXPECT_TRUE(program.Answers());
        EXPECT_EQ(program.EndWithoutApplying(), kCleanExit);
    }
    const std::string applied = ReadFileBytes(SettingsFile());
    const std::unique_ptr<SettingsBlock> appliedBlock = ReadWholeSettings(SettingsFile());
    ASSERT_TRUE(appliedBlock);
    ASSERT_EQ(appliedBlock->profiles[0].dram.effects[0].mode, kPickedModeRow + 1) << "Apply wrote the picked mode";
    EXPECT_EQ(HeadersAndComments(applied), HeadersAndComments(planted)) << "every note survives a whole Apply";

    const unsigned seed = std::random_device{}();
    SCOPED_TRACE("seed " + std::to_string(seed) + ", file last written " + std::to_string(writtenAfter->count()) +
                 " ms after the clicks");
    std::mt19937 random(seed);
    std::uniform_int_distribution<int> delayMs(0, static_cast<int>(kKillSpanOfWrite * double(writtenAfter->count())));
    int killedMidWrite = 0;
    for (int kill = 0; kill < kKills; ++kill) {
        PlantSettings(planted);
        ProgramUnderTest program;
        ASSERT_NE(program.Window(), nullptr);
        const int delay = delayMs(random);
        PickModeAndApply(program.Window(), false);
        ::Sleep(static_cast<DWORD>(delay));
        program.Kill();

        const std::string left = ReadFileBytes(SettingsFile());
        EXPECT_TRUE(left == planted || left == applied)
            << "killed " << delay << " ms into Apply: the file is neither the old nor the new one, " << Describe(left);
        killedMidWrite += FileExists(TemporaryFile()) ? 1 : 0;
    }
    EXPECT_GT(killedMidWrite, 0) << "no kill fell while the new file was being written";

    // The next Apply, whole, takes away what a killed one left.
    {
        ProgramUnderTest program;
        ASSERT_NE(program.Window(), nullptr);
        PickModeAndApply(program.Window(), true);
        EXPECT_EQ(program.EndWithoutApplying(), kCleanExit);
    }
    EXPECT_TRUE(ReadFileBytes(SettingsFile()) == applied);
    EXPECT_FALSE(FileExists(TemporaryFile()));
}

TEST_F(HostileApply, AReadOnlyFileIsLeftAsItWasAndItsEditStaysUnsaved)
{
    for (const bool readOnly : {true, false}) {
        SCOPED_TRACE(readOnly ? "read-only" : "writable");
        PlantSettings(EnglishDefaults());
        const std::string planted = ReadFileBytes(SettingsFile());
        if (readOnly)
            ::SetFileAttributesW(SettingsFile().c_str(), FILE_ATTRIBUTE_READONLY);

        ProgramUnderTest program;
        ASSERT_NE(program.Window(), nullptr);
        PickModeAndApply(program.Window(), true);
        EXPECT_EQ(ReadFileBytes(SettingsFile()) == planted, readOnly);
        EXPECT_FALSE(FileExists(TemporaryFile()));
        EXPECT_TRUE(program.Answers());
        EXPECT_EQ(AskedToSaveOnProfileSwitch(program.Window()), readOnly) << "the saved profile is what the file holds";
        EXPECT_EQ(program.EndWithoutApplying(), kCleanExit);
        ::SetFileAttributesW(SettingsFile().c_str(), FILE_ATTRIBUTE_NORMAL);
    }
}
