// SkinImageSet: the four state faces of one control, loaded by the skin's naming rules.
#pragma once

#include "skin/Bitmap.h"

#include <windows.h>

#include <array>
#include <string>

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
