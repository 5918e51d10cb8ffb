// Dressing sliders, the knob, colour cells and colour fields from skin items.
#include "controls/SkinDresser.h"

#include "base/Paths.h"
#include "skin/ImageDecoding.h"
#include "skin/SkinImageSet.h"
#include "skin/SkinFaceCache.h"
#include "skin/SkinFile.h"

namespace {

constexpr DWORD kOwnerDrawnStyle = WS_CHILD | WS_VISIBLE | BS_OWNERDRAW;
constexpr DWORD kColourEditStyle = WS_CHILD | WS_VISIBLE | ES_CENTER | ES_AUTOVSCROLL | ES_AUTOHSCROLL | ES_WANTRETURN;
constexpr COLORREF kEditTextColour = 0xFFFFFF;
// Skinned slider thumbs sit at the top edge of their tracks.
constexpr bool kThumbAtTop = true;
constexpr wchar_t kThumbSuffix[] = L"_bar";
constexpr wchar_t kMaskSuffix[] = L"_mask.png";
constexpr wchar_t kTintFaceSuffix[] = L"_normal2.png";

RECT SizeRect(SIZE size)
{
    return {0, 0, size.cx, size.cy};
}

} // namespace

SkinDresser::SkinDresser(HWND parent, const Bitmap& background, SkinDress dress) noexcept
    : m_parent(parent), m_background(background), m_dress(dress)
{
}

// A control keeps its piece of the background over an unchanged background at an unchanged place.
template <class Control>
void SkinDresser::GiveBackdrop(Control& control, const RECT& place) const
{
    if (m_dress != SkinDress::kSameBackground || !control.IsPlacedAt(place))
        control.SetBackground(place.left, place.top, place.right, place.bottom, m_background);
}

void SkinDresser::Place(const CWnd& control, const RECT& place)
{
    if (!control.IsPlacedAt(place))
        control.MoveWindow(place);
}

void SkinDresser::Button(CPngListBtn& button, const wchar_t* section, const std::wstring& key)
{
    Button(button, ParseSkinItem(GetSkinString(section, key.c_str(), L"")));
}

void SkinDresser::Button(CPngListBtn& button, const SkinItem& item)
{
    const std::vector<std::wstring> missing = DressSkinButton(button, m_parent, item, m_background, m_dress);
    m_missing.insert(m_missing.end(), missing.begin(), missing.end());
}

void SkinDresser::Slider(CPngHSliderBar& slider, UINT id, const SkinItem& item, int minimum, int maximum)
{
    if (Creating())
        slider.Create(ToRect(item.rect), m_parent, id);
    DressSlider(slider, item, minimum, maximum);
}

void SkinDresser::ScrollSlider(CPngVSliderBar& slider, const SkinItem& item, int minimum, int maximum)
{
    if (Creating())
        slider.Create(ToRect(item.rect), m_parent);
    DressSlider(slider, item, minimum, maximum);
}

void SkinDresser::DressSlider(CPngSliderBar& slider, const SkinItem& item, int minimum, int maximum)
{
    if (Creating()) {
        SkinImageSet track;
        SkinImageSet thumb;
        SIZE size{};
        LoadSkinFaces(item.name, track, m_missing, &size);
        LoadSkinFaces(item.name + kThumbSuffix, thumb, m_missing);
        slider.SetTrackImages(0, 0, size.cx, size.cy, track[SkinImageSet::kNormal], track[SkinImageSet::kDown],
                              track[SkinImageSet::kDisabled]);
        slider.SetThumbImages(thumb[SkinImageSet::kNormal], thumb[SkinImageSet::kOver], thumb[SkinImageSet::kDown],
                              thumb[SkinImageSet::kDisabled], kThumbAtTop);
        slider.SetRange(minimum, maximum);
    }
    const RECT place = ToRect(item.rect);
    GiveBackdrop(slider, place);
    Place(slider, place);
}

void SkinDresser::Knob(CPngRSliderBar2& knob, const SkinItem& item, int minimum, int maximum)
{
    const RECT place = ToRect(item.rect);
    if (Creating()) {
        SkinImageSet dial;
        SkinImageSet thumb;
        SIZE size{};
        LoadSkinFaces(item.name, dial, m_missing, &size);
        LoadSkinFaces(item.name + kThumbSuffix, thumb, m_missing);
        knob.Create(place, m_parent);
        knob.SetTrackImages(0, 0, size.cx, size.cy, dial[SkinImageSet::kNormal]);
        knob.SetThumbImages(thumb[SkinImageSet::kNormal]);
        knob.SetRange(minimum, maximum);
        const std::wstring maskName = item.name + kMaskSuffix;
        Bitmap mask;
        if (LoadPremultipliedImage(SkinFolder() + maskName, mask))
            knob.SetRegionFromMask(mask);
        else
            m_missing.push_back(maskName);
    }
    Place(knob, place);
}

void SkinDresser::Swatch(CColorBtn2& swatch, const SkinItem& item)
{
    const RECT place = ToRect(item.rect);
    if (Creating()) {
        SkinImageSet faces;
        SIZE size{};
        LoadSkinFaces(item.name, faces, m_missing, &size);
        swatch.Create(L"", kOwnerDrawnStyle, place, m_parent, 0);
        swatch.SetImages(SizeRect(size), faces[SkinImageSet::kNormal], faces[SkinImageSet::kOver],
                         faces[SkinImageSet::kDown], faces[SkinImageSet::kDisabled]);
        // The tint works best on a grey face made for it; any face will do.
        Bitmap tintFace;
        SkinFaceCache::Instance().Load(SkinFolder() + item.name + kTintFaceSuffix, tintFace);
        const Bitmap& tintSource = tintFace.empty() ? faces[SkinImageSet::kNormal] : tintFace;
        swatch.SetTintSources(SizeRect(size), tintSource, tintSource);
    }
    swatch.SetCaption(item.text);
    GiveBackdrop(swatch, place);
    Place(swatch, place);
}

void SkinDresser::Edit(CClrEdit& edit, const SkinItem& item, bool digitsOnly)
{
    const RECT place = ToRect(item.rect);
    if (Creating()) {
        SkinImageSet faces;
        LoadSkinFaces(item.name, faces, m_missing);
        edit.Create(kColourEditStyle | (digitsOnly ? ES_NUMBER : 0), place, m_parent, 0);
        edit.SetImages(SizeRect({item.rect.width(), item.rect.height()}), faces[SkinImageSet::kNormal],
                       faces[SkinImageSet::kOver], faces[SkinImageSet::kDown], faces[SkinImageSet::kDisabled]);
        edit.SetWindowText(item.text.c_str());
        edit.SetTextColour(kEditTextColour);
    }
    edit.SetFontFace(SkinFontFace());
    Place(edit, place);
}
