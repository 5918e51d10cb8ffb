// The skin's image sets: four state faces of one control by the skin's naming rules.
#include "skin/SkinImageSet.h"

#include "base/Paths.h"
#include "skin/SkinFaceCache.h"

namespace {

constexpr const wchar_t* kSuffixes[SkinImageSet::kStateCount] = {L"_normal.png", L"_over.png", L"_down.png",
                                                                 L"_disable.png"};

bool IsFile(const std::wstring& path)
{
    // A plain attribute query: a name from the skin is never taken as a wildcard pattern.
    const DWORD attributes = ::GetFileAttributesW(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

} // namespace

void LoadSkinImageSet(const std::wstring& name, SkinImageSet& set, bool sameForAll, SIZE* size)
{
    const std::wstring base = SkinFolder() + name;
    const std::wstring normal = base + kSuffixes[SkinImageSet::kNormal];
    for (Bitmap& image : set.images)
        image.Reset();
    SkinFaceCache& faces = SkinFaceCache::Instance();
    faces.Load(normal, set[SkinImageSet::kNormal], size);
    for (int state = SkinImageSet::kOver; state < SkinImageSet::kStateCount; ++state) {
        const std::wstring own = base + kSuffixes[state];
        faces.Load(!sameForAll && IsFile(own) ? own : normal, set[state]);
    }
}

void LoadSkinFaces(const std::wstring& name, SkinImageSet& set, std::vector<std::wstring>& missing, SIZE* size)
{
    LoadSkinImageSet(name, set, false, size);
    if (set[SkinImageSet::kNormal].empty())
        missing.push_back(name + kSuffixes[SkinImageSet::kNormal]);
}
