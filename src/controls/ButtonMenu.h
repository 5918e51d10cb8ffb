// CPngBtnMenu: the skinned drop-down list of the device and language choosers. A borderless
// pop-up dialog (template 214) showing a column of list buttons over a background image; it
// scrolls when there are more items than rows, opens a sub-list beside a row whose item has
// sub-items, and posts the chosen item to its owner.
#pragma once

#include "controls/BitmapButtonEx.h"
#include "controls/ButtonMenuRow.h"
#include "controls/MenuGeometry.h"
#include "controls/SkinScrollBar.h"
#include "framework/Dialog.h"
#include "skin/SkinImageSet.h"

#include <windows.h>

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

// One menu item: a fixed record, zero-filled before use (BMPMENUINFO item{} is all zeros).
struct BMPMENUINFO {
    static constexpr size_t kTextLength = 260; // with the terminator

    wchar_t text[kTextLength]{};       // the caption; an empty one leaves the item's row hidden
    bool hasSubItems = false;          // opens a sub-list instead of being chosen
    uint8_t reserved1 = 0;             // always 0
    bool enabled = false;              // can be chosen
    uint8_t reserved2 = 0;             // always 0
    int32_t value = 0;                 // reported to the owner when the item is chosen
    int32_t extra = 0;                 // stored, not interpreted by the list
    std::vector<BMPMENUINFO> subItems; // owned, freed with the item
    std::wstring fontFace;             // the caption's face; empty: the skin's
};

// A zero-filled record with these fields; text longer than 259 characters is cut.
BMPMENUINFO MakeMenuItem(const std::wstring& text, int value, int extra, bool enabled);
// Appends a sub-item to parent (which then has sub-items) and returns it, for deeper levels.
BMPMENUINFO& AddSubItem(BMPMENUINFO& parent, const std::wstring& text, int value, int extra, bool enabled);

// How the owner uses a list (the main dialog's device and language lists):
//
//     auto menu = std::make_unique<CPngBtnMenu>(m_hWnd);             // empty; owner = parent
//     const std::wstring base = ProgramFolder() + L"Skins\\Menu\\Device";
//     menu->SetMenuImages(base + L"_menu_normal.png", base + L"_menu_over.png", base + L"_menu_over.png",
//                         base + L"_menu_normal.png", L"", false);
//     menu->SetRowHeight(24);
//     menu->SetRowFontHeight(15);
//     menu->SetRowLayout(CBitmapBtn::kAlignLeft, 5);
//     menu->SetPosition(anchor.right, anchor.top);                    // screen coordinates
//     menu->AddMenuItem(GetFuncString(0x30), 48, 0, true);            // ... one per item
//     menu->Create();                                                 // built and shown
//
// A click on an enabled item without sub-items posts the click message (WM_USER+257 unless
// set otherwise) to the owner: wParam = MAKEWPARAM(menu id, item index), lParam =
// MAKELPARAM(0, item value). The top and bottom buttons post the arrow message (21507):
// wParam = MAKEWPARAM(menu id, 0 top / 1 bottom), lParam = MAKELPARAM(0, their item's value).
// A choice in a sub-list reaches the owner with wParam = MAKEWPARAM(sub-item index, item
// index) and lParam = MAKELPARAM(sub-item value, item value); by the re-posting rule a choice
// two levels down (its value not 0) stops at the top list. The list never closes itself:
// the owner destroys it (resets the pointer, which destroys the window and any sub-list) once
// the choice is taken, typically in its handler of the posted click message.
class CPngBtnMenu : public CDialog {
public:
    static constexpr UINT kDefaultClickMessage = WM_USER + 257;
    static constexpr UINT kDefaultArrowMessage = 21507;
    static constexpr UINT kScrollBarId = 101;
    static constexpr int kDefaultRowFontHeight = 18;
    static constexpr COLORREF kDefaultNotEnabledColour = 0x808080;
    static constexpr COLORREF kDefaultEnabledColour = 0xFFFFFF;
    static constexpr COLORREF kDefaultEnabledOverColour = 0x3026D8;
    static constexpr COLORREF kRowDownColour = 0xFFFFFF;
    static constexpr COLORREF kRowDisabledColour = 0x464646;

    // A fixed button above or below the rows: its faces come from its own image files (the
    // normal one gives its size), and it reports the value of the list's item `item`. It is
    // created only when its normal image loads and the item exists.
    struct EndButton {
        std::wstring normal, over, down, disabled;
        std::wstring caption;
        int alignment = CBitmapBtn::kAlignCentre;
        int item = -1;
    };

    explicit CPngBtnMenu(HWND owner);
    ~CPngBtnMenu() override;

    // Set-up before Create.
    // Loads the four faces with per-pixel alpha and, when extraPath is not empty, the mask
    // that shapes the list window. rowSized: the images are one row high instead of the list.
    void SetMenuImages(const std::wstring& normalPath, const std::wstring& overPath, const std::wstring& downPath,
                       const std::wstring& disabledPath, const std::wstring& extraPath, bool rowSized);
    void AddMenuItem(const std::wstring& text, int value, int extra, bool enabled);
    // Appends a sub-item to item `item`; null when there is no such item.
    BMPMENUINFO* AddSubMenuItem(int item, const std::wstring& text, int value, int extra, bool enabled);
    // The top-left corner of the list on the screen.
    void SetPosition(int x, int y) noexcept { m_position = {x, y}; }
    // Rows shown; -1 (the default) shows one row per item.
    void SetVisibleRows(int rows) noexcept { m_visibleRows = rows; }
    // Caption colours of the rows: not enabled, enabled, enabled under the pointer.
    void SetTextColors(COLORREF notEnabled, COLORREF enabled, COLORREF enabledOver) noexcept;
    void SetRowFontHeight(int height) noexcept { m_rowFontHeight = height; }
    // Caption alignment of the rows (CBitmapBtn::kAlignLeft, kAlignCentre, ...) and margin.
    void SetRowLayout(int alignment, int captionMargin) noexcept;
    // Height of one row; the normal image's height until set.
    void SetRowHeight(int height) noexcept { m_rowHeight = height; }
    // Distance of the rows from the left and right edges and from the top of the list.
    void SetInsets(int side, int top) noexcept;
    // The 16-bit id placed in every notification (-1 until set).
    void SetMenuId(int id) noexcept { m_menuId = id; }
    void SetMessages(UINT clickMessage, UINT arrowMessage) noexcept;
    void SetTopButton(const EndButton& button) { m_endButtons[0].look = button; }
    void SetBottomButton(const EndButton& button) { m_endButtons[1].look = button; }
    // Create() (CDialog) builds the list from template 214 with the owner as parent and shows it.

    // Shows the items from `first` on in the rows (clamped to what the items allow).
    void ScrollTo(int first);
    // Gives item `index` the selected look (-1 or past the last item: none); bringIntoView
    // scrolls an item outside the rows so that it becomes the bottom row.
    void SelectRow(int index, bool bringIntoView);

    // State, for the owner and tests.
    HWND GetOwner() const noexcept { return m_owner; }
    int GetMenuId() const noexcept { return m_menuId; }
    int GetItemCount() const noexcept { return static_cast<int>(m_items.size()); }
    const BMPMENUINFO* GetMenuItem(int index) const noexcept;
    BMPMENUINFO* GetMenuItem(int index) noexcept;
    int GetVisibleRows() const noexcept { return m_visibleRows; }
    int GetFirstVisible() const noexcept { return m_firstVisible; }
    int GetSelectedItem() const noexcept { return m_selectedItem; }
    int GetRowCount() const noexcept { return static_cast<int>(m_rows.size()); }
    CPngMenuRow* GetRowButton(int row) const noexcept;
    CBitmapBtnEx* GetTopButton() noexcept { return EndButtonWindow(0); }
    CBitmapBtnEx* GetBottomButton() noexcept { return EndButtonWindow(1); }
    CSkinScrollBar& GetScrollBar() noexcept { return m_scrollBar; }
    // The open sub-list and the item it belongs to (null and -1 when none is open).
    CPngBtnMenu* GetSubMenu() const noexcept { return m_subMenu.get(); }
    int GetSubMenuItem() const noexcept { return m_subMenuItem; }
    bool IsSubMenu() const noexcept { return m_isSubMenu; }
    // The list's background as it paints it: the normal image brought to the list's height.
    const Bitmap& GetBackground() const noexcept { return m_faces[SkinImageSet::kNormal]; }

    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    BOOL OnInitDialog() override;

private:
    struct EndButtonState {
        EndButton look;
        SkinImageSet faces;
        SIZE size{};
        std::unique_ptr<CBitmapBtnEx> wnd;
    };

    // OnInitDialog, by step.
    menu::LayoutInput Layout() const noexcept;
    void LoadEndButtons();
    void CreateEndButtons(const menu::LayoutInput& layout);
    void FitImages(int listHeight);
    void ShapeWindow(const menu::LayoutInput& layout);
    void CreateRows(const menu::LayoutInput& layout);
    void CreateScrollBar(const menu::LayoutInput& layout);
    CBitmapBtnEx* EndButtonWindow(size_t which) noexcept { return m_endButtons[which].wnd.get(); }

    // Messages.
    void OnVScroll(int code, int thumb);
    void OnMouseWheel(WPARAM wParam);
    void OnPointer(POINT screen);
    void Paint(HDC target) const;
    void OnDestroy();
    bool RepostFromSubMenu(UINT message, WPARAM wParam, LPARAM lParam);
    void Notify(UINT message, WPARAM wParam, LPARAM lParam) const;
    int RowOf(HWND wnd) const noexcept;
    int ItemValue(int index) const noexcept;

    // Sub-lists (ButtonMenuSubList.cpp).
    void TrackPointer(POINT screen);
    void OpenSubMenu(int item, int row);
    void CloseSubMenu();
    int RowAtScreenPoint(POINT screen) const noexcept;
    // The visible part of the list on the screen (the image's width, not the window's).
    RECT VisibleScreenRect() const noexcept;
    // Whether the point lies on this list or on any sub-list opened from it.
    bool TreeContains(POINT screen) const noexcept;

    HWND m_owner;
    std::vector<BMPMENUINFO> m_items;
    int m_menuId = -1;
    int m_visibleRows = -1;
    int m_firstVisible = 0;
    int m_selectedItem = -1;
    int m_markedRow = -1; // the row that wears the selected look, -1 none
    std::vector<std::unique_ptr<CPngMenuRow>> m_rows;
    std::array<EndButtonState, 2> m_endButtons;
    // The sheet outlives the bar that draws from it: members end in reverse order.
    Bitmap m_scrollSheet;
    CSkinScrollBar m_scrollBar;
    SkinImageSet m_images; // as loaded
    Bitmap m_extraImage;   // as loaded
    SkinImageSet m_faces;  // brought to the list's height
    bool m_rowSized = false;
    COLORREF m_notEnabledColour = kDefaultNotEnabledColour;
    COLORREF m_enabledColour = kDefaultEnabledColour;
    COLORREF m_enabledOverColour = kDefaultEnabledOverColour;
    int m_captionMargin = 0;
    int m_alignment = CBitmapBtn::kAlignCentre;
    int m_rowFontHeight = kDefaultRowFontHeight;
    int m_rowHeight = -1; // -1: the normal image's height
    int m_sideInset = 0;
    int m_topInset = 0;
    UINT m_clickMessage = kDefaultClickMessage;
    UINT m_arrowMessage = kDefaultArrowMessage;
    POINT m_position{};
    int m_imageWidth = 0;
    std::unique_ptr<CPngBtnMenu> m_subMenu;
    int m_subMenuItem = -1;
    bool m_isSubMenu = false;
};
