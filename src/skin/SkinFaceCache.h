// SkinFaceCache: decoded skin faces kept by file, so a face that many controls share (the mode
// rows, the colour slots) or that a rebuild of the window dresses again is decoded once.
#pragma once

#include "skin/Bitmap.h"
#include "skin/FileStamp.h"

#include <windows.h>

#include <map>
#include <mutex>
#include <string>

class SkinFaceCache {
public:
    // The process's cache, which LoadSkinImageSet uses.
    static SkinFaceCache& Instance();

    // The target (which must be empty) takes a copy of the face decoded from path, in the format
    // LoadPremultipliedImage gives. A missing or undecodable file leaves it empty and reports 0 x
    // 0. An entry serves only while its file keeps the size and write time it had when it was
    // decoded; a face larger than any skin's is not kept.
    bool Load(const std::wstring& path, Bitmap& target, SIZE* size = nullptr);

private:
    struct Entry {
        FileStamp stamp;
        Bitmap face;
    };

    std::mutex m_mutex;
    std::map<std::wstring, Entry> m_entries;
};
