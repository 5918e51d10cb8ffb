// Writing the settings file when the write is stopped part way or refused: the file is the whole
// old one or the whole new one, nothing is left beside it, and a refused write says so.
#include "settings/ReplacementFile.h"
#include "settings/SettingsStore.h"

#include "framework/Handles.h"

#include "DebugTrace.h"
#include "FileText.h"
#include "TempFolder.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <functional>
#include <optional>
#include <string>

namespace {

using Step = ReplacementFile::Step;

constexpr const wchar_t* kTemporarySuffix = L".tmp";

SettingsBlock FirstRun()
{
    SettingsBlock block;
    ApplyFirstRunDefaults(block);
    return block;
}

// What Apply writes after a mode was picked in the second profile.
SettingsBlock Edited()
{
    SettingsBlock block = FirstRun();
    block.CurrentProfile = 1;
    block.profiles[1].dram.effects[0].mode = 9;
    block.fMusicInfo.level = 40;
    return block;
}

std::optional<std::string> Contents(const std::wstring& path)
{
    if (!FileExists(path))
        return std::nullopt;
    return ReadFileBytes(path);
}

std::wstring FolderOf(const std::wstring& path)
{
    return path.substr(0, path.rfind(L'\\') + 1);
}

void Plant(const std::wstring& path, const std::optional<std::string>& text)
{
    if (text)
        WriteFileBytes(path, *text);
}

// A settings file as a person keeps it: the store's keys with their own comment lines between
// them and a section of their own.
std::string KeptFileText()
{
    TempFolder scratch;
    const std::wstring path = scratch / L"config";
    WriteAllSettings(FirstRun(), path);
    std::string text =
        "; my lighting: do not lose\r\n" + ReadFileBytes(path) + "[Mine]\r\n; teal for evenings\r\nteal=1\r\n";
    const std::string header = "[Profile1Setting]\r\n";
    text.insert(text.find(header) + header.size(), "; the evening profile\r\n");
    return text;
}

// Larger than a settings file is kept line by line: a fresh file takes its place.
std::string OversizedFileText()
{
    std::string text = KeptFileText() + "[Padding]\r\n";
    const std::string line = "; " + std::string(100, 'x') + "\r\n";
    while (text.size() <= 1024 * 1024)
        text += line;
    return text;
}

// What the write leaves when nothing stops it.
std::optional<std::string> WrittenWhole(const std::optional<std::string>& start, const SettingsBlock& block)
{
    TempFolder scratch;
    const std::wstring path = scratch / L"config";
    Plant(path, start);
    WriteAllSettings(block, path);
    return Contents(path);
}

class StoppedAt {
public:
    explicit StoppedAt(Step step) { ReplacementFile::StopAtForTesting(step); }
    ~StoppedAt() { ReplacementFile::StopAtForTesting(std::nullopt); }
    StoppedAt(const StoppedAt&) = delete;
    StoppedAt& operator=(const StoppedAt&) = delete;
};

class DiskRoom {
public:
    explicit DiskRoom(std::size_t bytes) { ReplacementFile::LimitDiskRoomForTesting(bytes); }
    ~DiskRoom() { ReplacementFile::LimitDiskRoomForTesting(std::nullopt); }
    DiskRoom(const DiskRoom&) = delete;
    DiskRoom& operator=(const DiskRoom&) = delete;
};

std::string Narrow(const std::wstring& ascii)
{
    return std::string(ascii.begin(), ascii.end());
}

class SettingsWriteFault : public ::testing::Test {
protected:
    TempFolder folder;
    std::wstring file = folder / L"config";
    std::wstring temporary = file + kTemporarySuffix;
};

} // namespace

TEST_F(SettingsWriteFault, AWriteStoppedAtAnyStepLeavesTheWholeOldOrTheWholeNewFile)
{
    const struct {
        const char* name;
        std::optional<std::string> text;
    } starts[] = {
        {"a kept file", KeptFileText()},
        {"no file yet", std::nullopt},
        {"an oversized file", OversizedFileText()},
    };
    const struct {
        Step step;
        bool replaced;
    } stops[] = {{Step::Written, false}, {Step::Flushed, false}, {Step::Replaced, true}};

    for (const auto& start : starts) {
        const std::optional<std::string> whole = WrittenWhole(start.text, Edited());
        ASSERT_TRUE(whole) << start.name;
        for (const auto& stop : stops) {
            SCOPED_TRACE(start.name + std::string(", stopped at step ") + std::to_string(int(stop.step)));
            ::DeleteFileW(file.c_str());
            Plant(file, start.text);
            {
                const StoppedAt stopped(stop.step);
                EXPECT_FALSE(WriteAllSettings(Edited(), file));
            }
            EXPECT_TRUE(Contents(file) == (stop.replaced ? whole : start.text))
                << "the whole old or the whole new file";
            EXPECT_EQ(FileExists(temporary), !stop.replaced) << "an ended process leaves its temporary file";

            EXPECT_TRUE(WriteAllSettings(Edited(), file)) << "the next write";
            EXPECT_TRUE(Contents(file) == whole);
            EXPECT_FALSE(FileExists(temporary)) << "the next write removes what the stopped one left";
        }
    }
}

TEST_F(SettingsWriteFault, ATemporaryFileLeftBehindGoesAtTheNextWriteEvenWithNothingToChange)
{
    WriteAllSettings(Edited(), file);
    const std::string written = ReadFileBytes(file);
    WriteFileBytes(temporary, "[Setting]\r\nShow_TrayIcon=1\r\nShow_O"); // cut off by a crash

    EXPECT_TRUE(WriteAllSettings(Edited(), file));
    EXPECT_FALSE(FileExists(temporary));
    EXPECT_TRUE(ReadFileBytes(file) == written);
}

TEST_F(SettingsWriteFault, ARefusedWriteLeavesTheOldFileByteForByteAndSaysSo)
{
    const std::string kept = KeptFileText();
    const std::wstring missingFolder = folder / L"gone\\";
    const struct {
        const char* name;
        std::wstring file;
        std::function<FileHandle(const std::wstring& file)> arrange; // after the file is planted; the
                                                                     // handle stays open for the write
        std::optional<std::size_t> diskRoom;
    } cases[] = {
        {"read-only file",
         file,
         [](const std::wstring& f) {
             ::SetFileAttributesW(f.c_str(), FILE_ATTRIBUTE_READONLY);
             return FileHandle();
         },
         {}},
        {"file held open by another program",
         file,
         [](const std::wstring& f) {
             return FileHandle(::CreateFileW(f.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                             OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
         },
         {}},
        {"data folder gone", missingFolder + L"config", {}, {}},
        {"disk full", file, {}, 0},
        {"disk full half way through the file", file, {}, kept.size() / 2},
        {"disk full one byte short", file, {}, kept.size() - 1},
    };
    for (const auto& row : cases) {
        SCOPED_TRACE(row.name);
        const bool folderThere = FileExists(FolderOf(row.file));
        if (folderThere)
            WriteFileBytes(row.file, kept);
        const DebugTrace trace;
        {
            const FileHandle held = row.arrange ? row.arrange(row.file) : FileHandle();
            std::optional<DiskRoom> room;
            if (row.diskRoom)
                room.emplace(*row.diskRoom);
            EXPECT_FALSE(WriteAllSettings(Edited(), row.file));
        }
        EXPECT_TRUE(Contents(row.file) == (folderThere ? std::optional(kept) : std::nullopt)) << "byte for byte";
        EXPECT_FALSE(FileExists(row.file + kTemporarySuffix));
        EXPECT_NE(trace.Text().find(Narrow(row.file)), std::string::npos)
            << "one line for a debugger: " << trace.Text();
        ::SetFileAttributesW(row.file.c_str(), FILE_ATTRIBUTE_NORMAL);
    }
}

TEST_F(SettingsWriteFault, AReadOnlyFileThatHoldsTheBlockAlreadyNeedsNoWrite)
{
    WriteAllSettings(Edited(), file);
    ::SetFileAttributesW(file.c_str(), FILE_ATTRIBUTE_READONLY);
    EXPECT_TRUE(WriteAllSettings(Edited(), file));
    EXPECT_FALSE(WriteAllSettings(FirstRun(), file));
    ::SetFileAttributesW(file.c_str(), FILE_ATTRIBUTE_NORMAL);
}
