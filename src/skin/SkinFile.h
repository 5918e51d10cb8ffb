// The current skin file of the process and the lookups, texts and pictures read from it.
#pragma once

#include "framework/Handles.h"
#include "skin/SkinValues.h"

#include <windows.h>

#include <string>

// The skin file every lookup reads; the main dialog sets it before building its skin. What
// lookups and pictures give is kept for the file as it is when set: a file changed on disk
// is read afresh when it is set again.
void SetSkinFile(const std::wstring& path);
const std::wstring& SkinFile();

// Where a skin file names its font face, and the face when it names none.
constexpr const wchar_t* kSkinFontSection = L"GLOBAL";
constexpr const wchar_t* kSkinFontKey = L"FONT";
constexpr const wchar_t* kDefaultSkinFontFace = L"Segoe UI";

// The font face of the skin ("GLOBAL" "FONT"); empty until the main dialog sets it.
void SetSkinFontFace(const std::wstring& face);
const std::wstring& SkinFontFace();
// The font face a language's own skin file names: one of that language's script, in which its
// name is drawn wherever it shows (a Latin face draws Chinese through the system's fallback
// fonts, which on Windows try Japanese ones first).
std::wstring LanguageFontFace(int language);
// The font that window labels are drawn in: the skin's face at this height, weight 500.
GdiFont CreateSkinLabelFont(int height);

// One INI lookup in the current skin file: the default when the file, section or key is
// missing; values longer than 2047 characters are cut.
std::wstring GetSkinString(const wchar_t* section, const wchar_t* key, const wchar_t* defaultValue = L"");
// A numbered text of "FUNC_STRING", its key the number in hexadecimal.
std::wstring GetFuncString(int number);

// Draws the text placement section/key (or the override text, when not empty) with the
// font, colour and background mode already in dc, its single-line height centred
// vertically in the placement, with DrawText format flags.
void DrawSkinText(HDC dc, const wchar_t* section, const wchar_t* key, UINT format,
                  const std::wstring& overrideText = {});
// Draws the picture placement section/key from skinFolder + "Pic\" scaled into its
// rectangle, or into the override rectangle when one is given; the picture is decoded as
// skin faces are (LoadPictureForGdiplus). A missing picture draws nothing.
void DrawSkinPicture(HDC dc, const wchar_t* section, const wchar_t* key, const std::wstring& skinFolder,
                     const RECT* overrideRect = nullptr);

inline RECT ToRect(const SkinRect& r)
{
    return {r.left, r.top, r.right, r.bottom};
}
