// Picture decoding for the skin: PNG, JPEG, BMP and GIF files into premultiplied sections, by
// WIC where the thread has COM and WIC reads the format as GDI+ does, by GDI+ otherwise, each
// refused beyond the size limits before it is decoded.
#pragma once

#include "skin/Bitmap.h"

#include <windows.h>

#include <string>

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
