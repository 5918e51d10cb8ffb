// Screen captures of a window for the gallery: grab, compare with what lay beneath, save.
#pragma once

#include "skin/Bitmap.h"

#include <windows.h>

#include <string>

// The screen pixels of a client rectangle of wnd, as a 32-bit section.
Bitmap CaptureClient(HWND wnd, const RECT& area);
// How many pixels of the two bitmaps differ (colour only) over their common size.
int CountDifferences(const Bitmap& a, const Bitmap& b);
// Writes the bitmap as a PNG file with GDI+.
bool SavePng(const Bitmap& image, const std::wstring& path);
