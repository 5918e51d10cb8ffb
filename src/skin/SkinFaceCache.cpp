// SkinFaceCache: lookups by file stamp, decoding on a miss, copies out.
#include "skin/SkinFaceCache.h"

#include "skin/DibOperations.h"
#include "skin/ImageDecoding.h"

#include <optional>

namespace {

// Skin faces are small; a larger picture (a broken or hostile skin) is decoded for its caller alone
// rather than held a second time for the life of the process.
constexpr ULONGLONG kMaxCachedPixels = 1024 * 1024;

void ReportSize(SIZE* size, const Bitmap& face)
{
    if (size)
        *size = face.size();
}

} // namespace

SkinFaceCache& SkinFaceCache::Instance()
{
    static SkinFaceCache cache;
    return cache;
}

bool SkinFaceCache::Load(const std::wstring& path, Bitmap& target, SIZE* size)
{
    ReportSize(size, Bitmap());
    const std::optional<FileStamp> stamp = FileStampOf(path);
    if (!target.empty() || !stamp)
        return false;

    const std::lock_guard lock(m_mutex);
    auto found = m_entries.find(path);
    if (found == m_entries.end() || found->second.stamp != *stamp) {
        m_entries.erase(path);
        Bitmap face;
        if (!LoadPremultipliedImage(path, face))
            return false;
        if (ULONGLONG(face.width()) * ULONGLONG(face.height()) > kMaxCachedPixels) {
            target = std::move(face);
            ReportSize(size, target);
            return true;
        }
        found = m_entries.emplace(path, Entry{*stamp, std::move(face)}).first;
    }
    // A copy in the decoded format: a 32-bit face keeps its alpha, an opaque one stays opaque.
    const Bitmap& face = found->second.face;
    CropBitmap(nullptr, target, face, 0, 0, face.width(), face.height());
    ReportSize(size, target);
    return !target.empty();
}
