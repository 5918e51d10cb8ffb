// Dressing list buttons from skin items.
#include "controls/SkinButton.h"

#include "skin/SkinImageSet.h"
#include "skin/SkinFile.h"
#include "skin/SkinValues.h"

namespace {

constexpr DWORD kOwnerDrawnButtonStyle = WS_CHILD | WS_VISIBLE | BS_OWNERDRAW;
constexpr int kButtonFontHeight = 15;
constexpr COLORREF kCaptionNormal = 0x999999;
constexpr COLORREF kCaptionOver = 0xFFFFFF;
constexpr COLORREF kCaptionDown = 0x999999;
constexpr COLORREF kCaptionDisabled = 0x464646;
constexpr wchar_t kPngFaceTag[] = L"btnPng";

RECT SizeRect(SIZE size)
{
    return {0, 0, size.cx, size.cy};
}

} // namespace

SkinFaceNames SkinFaceNamesOf(const std::wstring& itemName)
{
    if (itemName.find(kPngFaceTag) == std::wstring::npos)
        return {itemName, {}};
    // The part after the first underscore names the icon; a name without one names it whole.
    const size_t underscore = itemName.find(L'_');
    return {kPngFaceTag, underscore == std::wstring::npos ? itemName : itemName.substr(underscore + 1)};
}

namespace {

// The faces and icon that the item's name gives, cut to the size of its normal face.
void DressFaces(CPngListBtn& button, const std::wstring& itemName, std::vector<std::wstring>& missing)
{
    const SkinFaceNames names = SkinFaceNamesOf(itemName);
    SkinImageSet faces;
    SIZE size{};
    LoadSkinFaces(names.face, faces, missing, &size);
    button.SetImages(SizeRect(size), faces[SkinImageSet::kNormal], faces[SkinImageSet::kOver],
                     faces[SkinImageSet::kDown], faces[SkinImageSet::kDisabled]);
    if (!names.icon.empty()) {
        SkinImageSet icons;
        SIZE iconSize{};
        LoadSkinFaces(names.icon, icons, missing, &iconSize);
        button.SetIcons(&icons[SkinImageSet::kNormal], &icons[SkinImageSet::kOver], &icons[SkinImageSet::kDown], 0, 0,
                        iconSize.cx, iconSize.cy);
    }
    button.SetSkinName(itemName);
}

} // namespace

void DressSkinButton(CPngListBtn& button, HWND parent, const wchar_t* section, const std::wstring& key,
                     const Bitmap& background, SkinDress dress)
{
    DressSkinButton(button, parent, ParseSkinItem(GetSkinString(section, key.c_str(), L"")), background, dress);
}

std::vector<std::wstring> DressSkinButton(CPngListBtn& button, HWND parent, const SkinItem& item,
                                          const Bitmap& background, SkinDress dress)
{
    std::vector<std::wstring> missing;
    const RECT place = ToRect(item.rect);
    if (dress == SkinDress::kCreateWindow) {
        button.Create(L"", kOwnerDrawnButtonStyle, place, parent, 0);
        button.SetAlignment(CBitmapBtn::kAlignCentre);
    }
    const bool moved = !button.IsPlacedAt(place);
    if (moved || dress != SkinDress::kSameBackground)
        button.SetBackground(place.left, place.top, place.right, place.bottom, background);
    if (dress == SkinDress::kCreateWindow || item.name != button.SkinName())
        DressFaces(button, item.name, missing);
    if (moved)
        button.MoveWindow(place);
    button.SetFontHeight(kButtonFontHeight);
    button.SetTextColors(kCaptionNormal, kCaptionOver, kCaptionDown, kCaptionDisabled);
    button.SetCaptionEx(item.text, 0, CPngListBtn::kNoIndex);
    button.SetTooltipText(item.text.c_str(), false);
    return missing;
}
