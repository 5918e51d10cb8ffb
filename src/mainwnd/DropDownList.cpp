// DropDownList: making, showing and closing the main window's language and device lists.
#include "mainwnd/DropDownList.h"

#include "base/Paths.h"
#include "controls/ButtonMenu.h"
#include "skin/SkinFile.h"
#include "skin/SkinValues.h"

#include <algorithm>
#include <memory>
#include <string>

namespace {

// How each list looks and where it opens next to its button.
struct MenuStyle {
    const wchar_t* name; // the list images are skins\Menu\<name>_menu_*.png
    int rowHeight;
    int alignment;
    int captionMargin;
};
constexpr MenuStyle kDeviceMenu{L"Device", 24, CBitmapBtn::kAlignLeft, 5};
constexpr MenuStyle kLanguageMenu{L"Len", 20, CBitmapBtn::kAlignCentre, 0};
constexpr int kMenuFontHeight = 15;
constexpr COLORREF kLanguageCaption = 0x999999;
constexpr COLORREF kLanguageCaptionOver = 0xFFFFFF;

// An empty list of the style's look, owned by `owner`. The anchor takes the focus its own
// press would give it a moment later, before the list shows: a window system may raise the
// window that takes the focus over what is above it (X without a window manager does), so the
// focus must not move while the list is up.
std::unique_ptr<CPngBtnMenu> MakeList(HWND owner, const CWnd& anchor, const MenuStyle& style)
{
    ::SetFocus(anchor);
    auto menu = std::make_unique<CPngBtnMenu>(owner);
    const std::wstring images = SkinFolder() + L"Menu\\" + style.name;
    const std::wstring normal = images + L"_menu_normal.png";
    const std::wstring over = images + L"_menu_over.png";
    menu->SetMenuImages(normal, over, over, normal, L"", false);
    menu->SetRowHeight(style.rowHeight);
    menu->SetRowFontHeight(kMenuFontHeight);
    menu->SetRowLayout(style.alignment, style.captionMargin);
    return menu;
}

RECT ScreenRect(const CWnd& wnd)
{
    RECT place = wnd.GetClientRect();
    ::MapWindowPoints(wnd, nullptr, reinterpret_cast<POINT*>(&place), 2);
    return place;
}

} // namespace

DropDownList::~DropDownList() = default; // where the list's type is complete

void DropDownList::OpenLanguages(HWND owner, const CWnd& anchor)
{
    const RECT place = ScreenRect(anchor);
    auto menu = MakeList(owner, anchor, kLanguageMenu);
    menu->SetTextColors(kLanguageCaption, kLanguageCaption, kLanguageCaptionOver);
    menu->SetPosition(place.left, place.bottom);
    for (int value = kFirstLanguageValue; value <= kLastLanguageValue; ++value) {
        const int language = value - kFirstLanguageValue;
        menu->AddMenuItem(GetFuncString(kLanguageNameText + language), value, 0, true);
        menu->GetMenuItem(menu->GetItemCount() - 1)->fontFace = LanguageFontFace(language);
    }
    if (Show(std::move(menu)))
        m_deviceGroup = -1;
}

void DropDownList::OpenDevices(HWND owner, const CWnd& anchor, int group, int deviceCount)
{
    const RECT place = ScreenRect(anchor);
    auto menu = MakeList(owner, anchor, kDeviceMenu);
    menu->SetPosition(place.right, place.top);
    menu->AddMenuItem(GetFuncString(kAllDevicesText), kAllDevicesValue, 0, true);
    const std::wstring groupName = GetFuncString(kGroupNameText + group);
    const int devices = std::min(deviceCount, kLastDeviceValue - kAllDevicesValue);
    for (int k = 1; k <= devices; ++k)
        menu->AddMenuItem(groupName + std::to_wstring(k), kAllDevicesValue + k, 0, true);
    if (Show(std::move(menu)))
        m_deviceGroup = group;
}

bool DropDownList::Show(std::unique_ptr<CPngBtnMenu> menu)
{
    if (!menu->Create())
        return false;
    m_menu = std::move(menu);
    return true;
}

bool DropDownList::Close() noexcept
{
    const bool wasOpen = m_menu != nullptr;
    m_menu.reset();
    m_deviceGroup = -1;
    return wasOpen;
}
