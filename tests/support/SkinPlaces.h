// Where the built program's English skin puts its controls, for tests that click them in the
// real program.
#pragma once

#include "ProgramProcess.h"

#include "skin/SkinValues.h"

#include <windows.h>

#include <string>

// The rectangle of a skin item, in the window's client coordinates.
inline SkinRect SkinPlace(const wchar_t* section, const wchar_t* key)
{
    wchar_t value[512] = {};
    ::GetPrivateProfileStringW(section, key, L"", value, 512, (TestProgramFolder() + L"Lan\\skin_En.ini").c_str());
    return ParseSkinItem(value).rect;
}

inline POINT Centre(const SkinRect& r, int dy = 0)
{
    return {(r.left + r.right) / 2, (r.top + r.bottom) / 2 + dy};
}
