// A new version of a file, written whole beside it and put in its place in one step, so that
// every reader of the file, in this process or another, sees either the old file or the new one.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

class ReplacementFile {
public:
    // Points of a write at which a test can stop it, as an ended process would leave it.
    enum class Step {
        Written, // the temporary file holds the new version
        Flushed, // ... and is on the disk; the target is not yet replaced
        Replaced,
    };

    // Removes a temporary file that an earlier, unfinished write left beside target.
    explicit ReplacementFile(std::wstring target);
    // Removes the temporary file unless it took the target's place.
    ~ReplacementFile();
    ReplacementFile(const ReplacementFile&) = delete;
    ReplacementFile& operator=(const ReplacementFile&) = delete;

    const std::wstring& Target() const noexcept { return m_target; }
    // The temporary file, in the target's folder, that the new version is written to.
    const std::wstring& Path() const noexcept { return m_temporary; }

    // Whether the target may be replaced: not when it is read-only or a folder, where writing
    // into the file would fail too. A target that does not exist yet may be.
    bool TargetWritable() const;
    // Makes the temporary file a byte-for-byte copy of the target from byte `from` on.
    bool CopyTarget(std::uint64_t from = 0) const;
    // Flushes the temporary file to the disk, then moves it over the target in one step.
    bool Commit();
    // Gives the write up, leaving the target as it was; traces why for a debugger. False.
    bool Fail(const wchar_t* why) const;

    // Test seams. A write is stopped at the step as if the process ended there (the
    // temporary file stays); the copy finds only so many bytes of room on the disk.
    static void StopAtForTesting(std::optional<Step> step);
    static void LimitDiskRoomForTesting(std::optional<std::size_t> bytes);

private:
    bool Reached(Step step);

    std::wstring m_target;
    std::wstring m_temporary;
    bool m_replaced = false;
    bool m_stopped = false;
};
