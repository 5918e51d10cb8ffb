// DIB operations shared by every skinned control: 32-bit and 24-bit sections, crops, blends,
// copies and mask regions. Nothing here decodes a file.
#pragma once

#include "skin/Bitmap.h"

#include <windows.h>

// A bottom-up DIB section of bitCount bits per pixel with uninitialised pixels, its bits
// reported when asked; null for an empty size.
HBITMAP CreateBottomUpDib(int width, int height, WORD bitCount, void** bits = nullptr);
// Row stride of a bottom-up DIB section: rows are padded to four bytes.
int DibStride(int width, int bitCount);
// A 32-bit bottom-up DIB section with uninitialised pixels; the target, when given, takes it.
HBITMAP CreateDib32(int width, int height, Bitmap* target = nullptr);
// An opaque 24-bit copy of a bitmap of any depth; premultiplied pixels come out as drawn over
// black. Null when it cannot be made.
HBITMAP CopyToDib24(HBITMAP source);
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
