// SkinImageSet: the four state faces of one control, loaded by the skin's naming rules.
#pragma once

#include "skin/Bitmap.h"

#include <windows.h>

#include <array>
#include <string>
#include <vector>

// The four faces of one control, in this order: normal, over, down, disabled.
struct SkinImageSet {
    enum State { kNormal, kOver, kDown, kDisabled, kStateCount };
    std::array<Bitmap, kStateCount> images;

    Bitmap& operator[](int state) noexcept { return images[static_cast<size_t>(state)]; }
    const Bitmap& operator[](int state) const noexcept { return images[static_cast<size_t>(state)]; }
};

// ProgramFolder + "skins\" + name + "_normal.png", "_over.png", "_down.png", "_disable.png";
// a missing state file falls back to the normal image. Faces come from SkinFaceCache: each
// file is decoded once while it stays unchanged.
void LoadSkinImageSet(const std::wstring& name, SkinImageSet& set, bool sameForAll, SIZE* size = nullptr);
// A set of four own faces, as skinned controls take them; when the normal face gives no picture,
// its file name within the skin folder is added to missing.
void LoadSkinFaces(const std::wstring& name, SkinImageSet& set, std::vector<std::wstring>& missing,
                   SIZE* size = nullptr);
