// The current skin file, INI lookups and the two drawing helpers of skin placements.
#include "skin/SkinFile.h"

#include <gdiplus.h>

#include <algorithm>
#include <climits>

namespace {

constexpr DWORD kValueBuffer = 2048; // characters, terminator included

struct SkinState {
    std::wstring file;
    std::wstring fontFace;
};

SkinState& State()
{
    static SkinState state;
    return state;
}

} // namespace

void SetSkinFile(const std::wstring& path)
{
    State().file = path;
}

const std::wstring& SkinFile()
{
    return State().file;
}

void SetSkinFontFace(const std::wstring& face)
{
    State().fontFace = face;
}

const std::wstring& SkinFontFace()
{
    return State().fontFace;
}

std::wstring GetSkinString(const wchar_t* section, const wchar_t* key, const wchar_t* defaultValue)
{
    // No skin file yet: an empty name would make the INI functions fall back to win.ini.
    if (State().file.empty())
        return defaultValue;
    wchar_t buffer[kValueBuffer] = {};
    const DWORD length =
        ::GetPrivateProfileStringW(section, key, defaultValue, buffer, kValueBuffer, State().file.c_str());
    return std::wstring(buffer, std::min(length, kValueBuffer - 1));
}

std::wstring GetFuncString(int number)
{
    return GetSkinString(L"FUNC_STRING", FuncStringKey(number).c_str(), L"");
}

void DrawSkinText(HDC dc, const wchar_t* section, const wchar_t* key, UINT format, const std::wstring& overrideText)
{
    const SkinPlacement placement = ParseSkinPlacement(GetSkinString(section, key, L""));
    const std::wstring text = ExpandSkinLineBreaks(overrideText.empty() ? placement.text : overrideText);
    const int length = static_cast<int>(std::min<size_t>(text.size(), INT_MAX));

    // Centre the height of one line, even for a text that breaks into several.
    SIZE extent{};
    ::GetTextExtentPoint32W(dc, text.c_str(), length, &extent);
    RECT rect = ToRect(placement.rect);
    rect.top += (rect.bottom - extent.cy - rect.top) / 2;
    ::DrawTextW(dc, text.c_str(), length, &rect, format);
}

void DrawSkinPicture(HDC dc, const wchar_t* section, const wchar_t* key, const std::wstring& baseFolder,
                     const RECT* overrideRect)
{
    const SkinPlacement placement = ParseSkinPlacement(GetSkinString(section, key, L""));
    const std::wstring path = baseFolder + L"skins\\Pic\\" + placement.text;
    Gdiplus::Image image(path.c_str(), FALSE);
    if (image.GetLastStatus() != Gdiplus::Ok)
        return;
    const RECT rect = overrideRect ? *overrideRect : ToRect(placement.rect);
    Gdiplus::Graphics graphics(dc);
    graphics.DrawImage(&image, static_cast<INT>(rect.left), static_cast<INT>(rect.top),
                       static_cast<INT>(rect.right - rect.left), static_cast<INT>(rect.bottom - rect.top));
}
