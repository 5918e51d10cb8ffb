// Image routines shared by every skinned control: loading with premultiplied alpha, opaque
// pictures, image sets by the skin's naming rules, 32-bit sections, crops and mask regions.
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

// Whether the file's header states a size within the limits of skin/ImageHeader.h. Asked
// before any decode, so an enormous picture costs one small read rather than its pixels; a
// missing file, and one whose header tells no size (including formats the header reader does
// not know, such as metafiles), are not within them.
bool PictureFileWithinLimits(const std::wstring& path);
// Decodes a PNG/JPEG/BMP/GIF into a bottom-up section: 32-bit with premultiplied alpha when
// the picture has alpha as GDI+ reads it, 24-bit otherwise. The target must be empty; on
// failure (a picture beyond the limits too) it stays empty and size reports 0 x 0. WIC decodes
// when the thread has a COM apartment and the format is one it reads as GDI+ does; GDI+ decodes
// everything else, so both give the same bytes.
bool LoadPremultipliedImage(const std::wstring& path, Bitmap& target, SIZE* size = nullptr);
// The same decode for a picture that GDI+ draws: colours premultiplied as GDI+ premultiplies them
// when it draws a straight-alpha picture (rounded to the nearest rather than truncated).
bool LoadPictureForGdiplus(const std::wstring& path, Bitmap& target, SIZE* size = nullptr);
// The two decoders of LoadPremultipliedImage, without its size limits. The WIC one fails when
// it leaves the picture to GDI+.
bool LoadPremultipliedImageWithWic(const std::wstring& path, Bitmap& target, SIZE* size = nullptr);
bool LoadPremultipliedImageWithGdiplus(const std::wstring& path, Bitmap& target, SIZE* size = nullptr);
// Loads an opaque picture (a window background) as a 24-bit section: a plain BMP read
// straight from its bytes, any other picture decoded as LoadPremultipliedImage decodes it
// (PNG, JPEG, GIF, compressed BMP, TIFF, ICO), transparency shown over black. A missing or
// undecodable file, or one beyond the size limits, keeps the target and reports 0 x 0.
bool LoadPictureFile(const std::wstring& path, Bitmap& target, SIZE* size = nullptr);
// ProgramFolder + "skins\" + name + "_normal.png", "_over.png", "_down.png", "_disable.png";
// a missing state file falls back to the normal image. Faces come from SkinFaceCache: each
// file is decoded once while it stays unchanged.
void LoadSkinImageSet(const std::wstring& name, SkinImageSet& set, bool sameForAll, SIZE* size = nullptr);
// A 32-bit bottom-up DIB section with uninitialised pixels; the target, when given, takes it.
HBITMAP CreateDib32(int width, int height, Bitmap* target = nullptr);
// The target becomes a (right - left) x (bottom - top) copy of the source's pixels from
// (left, top), in the source's format: 32-bit sources keep their alpha bytes, others become
// 24-bit and so stay opaque (a section rather than a bitmap of the reference DC's format,
// so nothing depends on the display's depth). An empty source leaves the target as it was.
void CropBitmap(HDC reference, Bitmap& target, const Bitmap& source, int left, int top, int right, int bottom);
// The same crop, always into a 32-bit section; a source without alpha comes out opaque.
void CropBitmapDib32(HDC reference, Bitmap& target, const Bitmap& source, int left, int top, int right, int bottom);
// Every pixel that is not pure white lies inside; the caller owns the region. Null when the
// mask is empty.
HRGN RegionFromMask(const Bitmap& mask);

// Draws width x height pixels of source from (sourceX, sourceY) at (x, y): a 32-bit source
// is blended with its per-pixel (premultiplied) alpha, any other is copied opaque; constant
// alpha applies to both. The part of the rectangle outside the source is skipped.
void BlendBitmap(HDC target, int x, int y, int width, int height, const Bitmap& source, int sourceX = 0,
                 int sourceY = 0, BYTE constantAlpha = 255);
// Copies the whole source at (x, y), alpha bytes ignored (backgrounds).
void CopyBitmap(HDC target, int x, int y, const Bitmap& source);
