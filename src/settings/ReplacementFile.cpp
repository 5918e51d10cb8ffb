// Writing a file's new version beside it, flushing it to the disk and moving it over the old one.
#include "settings/ReplacementFile.h"

#include "framework/DebugTraceLine.h"
#include "framework/Handles.h"

#include <windows.h>

#include <algorithm>
#include <vector>

namespace {

constexpr const wchar_t* kTemporarySuffix = L".tmp";
constexpr DWORD kCopyChunkBytes = 64 * 1024;
// A program that holds the target open (a virus scanner looking at the file, a service reading
// it) makes the move fail for that moment: a file cannot be replaced while it is open. A few
// short tries ride that out.
constexpr int kMoveTries = 5;
constexpr DWORD kMoveRetryMs = 20;

std::optional<ReplacementFile::Step> g_stopAt;
std::optional<std::size_t> g_diskRoom;

// Writes all bytes or fails; a write cut short by a full disk fails with ERROR_DISK_FULL.
bool WriteAll(HANDLE file, const char* bytes, DWORD size)
{
    DWORD allowed = size;
    if (g_diskRoom) {
        allowed = static_cast<DWORD>(std::min<std::size_t>(size, *g_diskRoom));
        *g_diskRoom -= allowed;
    }
    DWORD written = 0;
    if (allowed > 0 && !::WriteFile(file, bytes, allowed, &written, nullptr))
        return false;
    if (written < size) {
        ::SetLastError(ERROR_DISK_FULL);
        return false;
    }
    return true;
}

bool FlushToDisk(const std::wstring& path)
{
    const FileHandle file(::CreateFileW(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                        FILE_ATTRIBUTE_NORMAL, nullptr));
    return file && ::FlushFileBuffers(file.get());
}

// One rename on the same volume: the target's directory entry points at the old file or at the
// new one, never at neither. ReplaceFileW is not used: it moves the old file aside first, and a
// failure between its steps can leave no file under the target's name.
bool MoveOver(const std::wstring& from, const std::wstring& to)
{
    for (int tries = 1;; ++tries) {
        if (::MoveFileExW(from.c_str(), to.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
            return true;
        const DWORD error = ::GetLastError();
        if (tries == kMoveTries || (error != ERROR_SHARING_VIOLATION && error != ERROR_ACCESS_DENIED))
            return false;
        ::Sleep(kMoveRetryMs);
    }
}

} // namespace

ReplacementFile::ReplacementFile(std::wstring target)
    : m_target(std::move(target)), m_temporary(m_target + kTemporarySuffix)
{
    ::DeleteFileW(m_temporary.c_str());
}

ReplacementFile::~ReplacementFile()
{
    if (!m_replaced && !m_stopped)
        ::DeleteFileW(m_temporary.c_str());
}

bool ReplacementFile::TargetWritable() const
{
    const DWORD attributes = ::GetFileAttributesW(m_target.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_DIRECTORY))) {
        ::SetLastError(ERROR_ACCESS_DENIED);
        return false;
    }
    return true;
}

bool ReplacementFile::CopyTarget(std::uint64_t from) const
{
    const FileHandle source(::CreateFileW(m_target.c_str(), GENERIC_READ,
                                          FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                          OPEN_EXISTING, FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
    if (!source)
        return Fail(L"the file could not be opened");
    LARGE_INTEGER start{};
    start.QuadPart = static_cast<LONGLONG>(from);
    if (!::SetFilePointerEx(source.get(), start, nullptr, FILE_BEGIN))
        return Fail(L"the file could not be read");
    const FileHandle copy(
        ::CreateFileW(m_temporary.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!copy)
        return Fail(L"the temporary file could not be made");
    std::vector<char> chunk(kCopyChunkBytes);
    for (;;) {
        DWORD read = 0;
        if (!::ReadFile(source.get(), chunk.data(), kCopyChunkBytes, &read, nullptr))
            return Fail(L"the file could not be read");
        if (read == 0)
            return true;
        if (!WriteAll(copy.get(), chunk.data(), read))
            return Fail(L"the temporary file could not be written");
    }
}

bool ReplacementFile::Commit()
{
    if (!Reached(Step::Written))
        return false;
    if (!FlushToDisk(m_temporary))
        return Fail(L"the temporary file could not be flushed");
    if (!Reached(Step::Flushed))
        return false;
    if (!MoveOver(m_temporary, m_target))
        return Fail(L"the temporary file could not replace the file");
    m_replaced = true;
    return Reached(Step::Replaced);
}

bool ReplacementFile::Fail(const wchar_t* why) const
{
    TraceLine(m_target + L" left as it was: " + why, ::GetLastError());
    return false;
}

bool ReplacementFile::Reached(Step step)
{
    m_stopped = g_stopAt == step;
    return !m_stopped;
}

void ReplacementFile::StopAtForTesting(std::optional<Step> step)
{
    g_stopAt = step;
}

void ReplacementFile::LimitDiskRoomForTesting(std::optional<std::size_t> bytes)
{
    g_diskRoom = bytes;
}
