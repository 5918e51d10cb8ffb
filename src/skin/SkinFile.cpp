// The current skin file, INI lookups and the two drawing helpers of skin placements, with
// what each file gave kept while it stays unchanged.
#include "skin/SkinFile.h"

#include "base/Paths.h"
#include "skin/ImageDecoding.h"
#include "skin/SkinFileMemo.h"

#include <gdiplus.h>

#include <algorithm>
#include <climits>
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

// The picture decoded as skin faces are (WIC, or GDI+ where WIC cannot read it as GDI+ does) into
// 32-bit rows premultiplied as GDI+ premultiplies what it draws, top-down, ready to be drawn again
// and again; an opaque picture gets opaque alpha.
bool ReadPicture(const std::wstring& path, SkinFileMemo::Picture& picture)
{
    // A picture refused by its header costs a header's read, not the whole file's, at every paint.
    Bitmap decoded;
    if (!PictureFileWithinLimits(path) || !LoadPictureForGdiplus(path, decoded))
        return false;
    const int width = decoded.width();
    const int height = decoded.height();
    BITMAPINFO rows{};
    rows.bmiHeader = {sizeof(BITMAPINFOHEADER), width, -height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    picture.width = width;
    picture.height = height;
    picture.pixels.resize(size_t(width) * height * kPictureBytesPerPixel);
    const WindowDc screen(nullptr);
    if (::GetDIBits(screen, decoded.get(), 0, static_cast<UINT>(height), picture.pixels.data(), &rows,
                    DIB_RGB_COLORS) != height)
        return false;
    if (decoded.depth() != 32)
        for (size_t alpha = 3; alpha < picture.pixels.size(); alpha += kPictureBytesPerPixel)
            picture.pixels[alpha] = 0xFF;
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

std::wstring LanguageFontFace(int language)
{
    wchar_t face[LF_FACESIZE] = {};
    const std::wstring file = ProgramFolder() + SkinFileForLanguage(language);
    const DWORD length = ::GetPrivateProfileStringW(kSkinFontSection, kSkinFontKey, kDefaultSkinFontFace, face,
                                                    LF_FACESIZE, file.c_str());
    return std::wstring(face, std::min<DWORD>(length, LF_FACESIZE - 1));
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

void DrawSkinPicture(HDC dc, const wchar_t* section, const wchar_t* key, const std::wstring& skinFolder,
                     const RECT* overrideRect)
{
    const SkinPlacement placement = ParseSkinPlacement(GetSkinString(section, key, L""));
    const std::wstring path = skinFolder + L"Pic\\" + placement.text;
    const RECT rect = overrideRect ? *overrideRect : ToRect(placement.rect);
    SkinFileMemo* memo = State().memo;
    if (memo)
        if (const SkinFileMemo::Picture* kept = memo->FindPicture(path)) {
            DrawPicture(dc, *kept, rect);
            return;
        }
    // A picture that cannot be read, or is too large, is looked for again at the next paint.
    SkinFileMemo::Picture picture;
    if (!ReadPicture(path, picture))
        return;
    if (memo && SkinFileMemo::Keeps(static_cast<UINT>(picture.width), static_cast<UINT>(picture.height)))
        DrawPicture(dc, memo->KeepPicture(path, std::move(picture)), rect);
    else
        DrawPicture(dc, picture, rect);
}
