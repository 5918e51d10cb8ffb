// The current skin file, INI lookups and the two drawing helpers of skin placements, with
// what each file gave kept while it stays unchanged.
#include "skin/SkinFile.h"

#include "skin/ImageRoutines.h"
#include "skin/SkinFileMemo.h"

#include <gdiplus.h>

#include <algorithm>
#include <climits>
#include <cstring>
#include <map>
#include <optional>

namespace {

constexpr DWORD kValueBuffer = 2048; // characters, terminator included
constexpr int kPictureBytesPerPixel = 4;

struct SkinState {
    std::wstring file;
    std::wstring fontFace;
    std::map<std::wstring, SkinFileMemo> memos; // by path: a language change returns to a file
    SkinFileMemo* memo = nullptr;               // of the current file, while it is unchanged
};

SkinState& State()
{
    static SkinState state;
    return state;
}

// 32-bit premultiplied rows of the decoded image, ready to be drawn again and again.
bool CopyPicture(Gdiplus::Bitmap& image, SkinFileMemo::Picture& picture)
{
    const UINT width = image.GetWidth();
    const UINT height = image.GetHeight();
    Gdiplus::Rect all(0, 0, static_cast<INT>(width), static_cast<INT>(height));
    Gdiplus::BitmapData data{};
    if (image.LockBits(&all, Gdiplus::ImageLockModeRead, PixelFormat32bppPARGB, &data) != Gdiplus::Ok)
        return false;
    const size_t rowBytes = size_t(width) * kPictureBytesPerPixel;
    picture.width = static_cast<int>(width);
    picture.height = static_cast<int>(height);
    picture.pixels.resize(rowBytes * height);
    for (UINT y = 0; y < height; ++y)
        std::memcpy(&picture.pixels[y * rowBytes],
                    static_cast<const BYTE*>(data.Scan0) + static_cast<ptrdiff_t>(y) * data.Stride, rowBytes);
    image.UnlockBits(&data);
    return true;
}

void DrawImage(HDC dc, Gdiplus::Image& image, const RECT& rect)
{
    Gdiplus::Graphics graphics(dc);
    graphics.DrawImage(&image, static_cast<INT>(rect.left), static_cast<INT>(rect.top),
                       static_cast<INT>(rect.right - rect.left), static_cast<INT>(rect.bottom - rect.top));
}

void DrawPicture(HDC dc, const SkinFileMemo::Picture& picture, const RECT& rect)
{
    Gdiplus::Bitmap view(picture.width, picture.height, picture.width * kPictureBytesPerPixel, PixelFormat32bppPARGB,
                         const_cast<BYTE*>(picture.pixels.data()));
    DrawImage(dc, view, rect);
}

} // namespace

void SetSkinFile(const std::wstring& path)
{
    SkinState& state = State();
    state.file = path;
    state.memo = nullptr;
    // Nothing is kept for a file missing now: it may be written before it is read.
    const std::optional<FileStamp> stamp = path.empty() ? std::nullopt : FileStampOf(path);
    if (!stamp)
        return;
    auto found = state.memos.find(path);
    if (found == state.memos.end() || found->second.Stamp() != *stamp)
        found = state.memos.insert_or_assign(path, SkinFileMemo(*stamp)).first;
    state.memo = &found->second;
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

GdiFont CreateSkinLabelFont(int height)
{
    constexpr int kLabelWeight = 500;
    return GdiFont(::CreateFontW(height, 0, 0, 0, kLabelWeight, FALSE, FALSE, FALSE, DEFAULT_CHARSET,
                                 OUT_DEFAULT_PRECIS, CLIP_STROKE_PRECIS, PROOF_QUALITY, FF_SWISS,
                                 SkinFontFace().c_str()));
}

std::wstring GetSkinString(const wchar_t* section, const wchar_t* key, const wchar_t* defaultValue)
{
    // No skin file yet: an empty name would make the INI functions fall back to win.ini.
    if (State().file.empty())
        return defaultValue;
    SkinFileMemo* memo = section && key ? State().memo : nullptr;
    if (memo)
        if (const std::wstring* kept = memo->FindValue(section, key, defaultValue))
            return *kept;
    wchar_t buffer[kValueBuffer] = {};
    const DWORD length =
        ::GetPrivateProfileStringW(section, key, defaultValue, buffer, kValueBuffer, State().file.c_str());
    std::wstring value(buffer, std::min(length, kValueBuffer - 1));
    if (memo)
        memo->KeepValue(section, key, defaultValue, value);
    return value;
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
    const RECT rect = overrideRect ? *overrideRect : ToRect(placement.rect);
    SkinFileMemo* memo = State().memo;
    if (memo)
        if (const SkinFileMemo::Picture* kept = memo->FindPicture(path)) {
            DrawPicture(dc, *kept, rect);
            return;
        }
    // A picture that cannot be read, or is too large, is looked for again at the next paint:
    // then only its header is read again.
    if (!PictureFileWithinLimits(path))
        return;
    Gdiplus::Bitmap image(path.c_str(), FALSE);
    if (image.GetLastStatus() != Gdiplus::Ok)
        return;
    SkinFileMemo::Picture picture;
    if (memo && SkinFileMemo::Keeps(image.GetWidth(), image.GetHeight()) && CopyPicture(image, picture))
        DrawPicture(dc, memo->KeepPicture(path, std::move(picture)), rect);
    else
        DrawImage(dc, image, rect);
}
