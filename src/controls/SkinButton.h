// Dressing a list button from a skin item ("name,x,y,width,height,text,flag"): faces, place,
// caption, tooltip and icon. Windows that build their buttons from the skin share this.
#pragma once

#include "controls/ListButton.h"
#include "skin/Bitmap.h"
#include "skin/SkinValues.h"

#include <windows.h>

#include <string>
#include <vector>

// A "btnPng" item wears the shared face; the rest of its name after the first underscore (or,
// without an underscore, its whole name) names its icon.
struct SkinFaceNames {
    std::wstring face;
    std::wstring icon;
};
SkinFaceNames SkinFaceNamesOf(const std::wstring& itemName);

// How much of a button a build dresses. A rebuild (a language change) mostly changes captions:
// over the same background it keeps the faces of an unchanged face name and the backdrop of an
// unchanged place, which are the costly parts.
enum class SkinDress {
    kCreateWindow,   // a first build: the window and everything on it
    kNewBackground,  // a rebuild over a background composed anew
    kSameBackground, // a rebuild over the background of the previous build
};

// Creates the button window first for kCreateWindow (an owner-drawn child of parent with id 0,
// caption centred); then gives it its backdrop cut from background at the item's rectangle,
// its faces, place, font height, default caption colours, caption, tooltip and icon. A missing
// item leaves the button with an empty rectangle and no faces.
void DressSkinButton(CPngListBtn& button, HWND parent, const wchar_t* section, const std::wstring& key,
                     const Bitmap& background, SkinDress dress);
// The same for an item the caller has read or placed itself. Returns the files in the skin
// folder that the faces and icon wanted and could not be read.
std::vector<std::wstring> DressSkinButton(CPngListBtn& button, HWND parent, const SkinItem& item,
                                          const Bitmap& background, SkinDress dress);
