// CPngBtnMenu: items, set-up, scrolling, selection, commands and the list's messages.
#include "controls/ButtonMenu.h"

#include "skin/DibOperations.h"
#include "skin/ImageDecoding.h"

#include "resource.h"

#include <windowsx.h>

#include <algorithm>
#include <climits>
#include <cstddef>

namespace {

static_assert(sizeof(bool) == 1, "BMPMENUINFO keeps one byte per flag");
static_assert(offsetof(BMPMENUINFO, hasSubItems) == 2 * BMPMENUINFO::kTextLength);
static_assert(offsetof(BMPMENUINFO, value) == offsetof(BMPMENUINFO, hasSubItems) + 4);
static_assert(offsetof(BMPMENUINFO, extra) == offsetof(BMPMENUINFO, value) + 4);

static_assert(menu::kLineUp == SB_LINEUP && menu::kLineDown == SB_LINEDOWN && menu::kPageUp == SB_PAGEUP &&
              menu::kPageDown == SB_PAGEDOWN && menu::kThumbPosition == SB_THUMBPOSITION &&
              menu::kThumbTrack == SB_THUMBTRACK && menu::kTop == SB_TOP && menu::kBottom == SB_BOTTOM);

constexpr size_t kTopButton = 0;
constexpr size_t kBottomButton = 1;

} // namespace

BMPMENUINFO MakeMenuItem(const std::wstring& text, int value, int extra, bool enabled)
{
    BMPMENUINFO item{};
    const size_t length = std::min(text.size(), BMPMENUINFO::kTextLength - 1);
    std::copy_n(text.c_str(), length, item.text);
    item.text[length] = L'\0';
    item.enabled = enabled;
    item.value = value;
    item.extra = extra;
    return item;
}

BMPMENUINFO& AddSubItem(BMPMENUINFO& parent, const std::wstring& text, int value, int extra, bool enabled)
{
    parent.hasSubItems = true;
    parent.subItems.push_back(MakeMenuItem(text, value, extra, enabled));
    return parent.subItems.back();
}

CPngBtnMenu::CPngBtnMenu(HWND owner) : CDialog(IDD_MENU_POPUP, owner), m_owner(owner) {}

// The window goes while the object is still whole, so WM_DESTROY reaches this class.
CPngBtnMenu::~CPngBtnMenu()
{
    if (m_hWnd && ::IsWindow(m_hWnd))
        DestroyWindow();
}

void CPngBtnMenu::SetMenuImages(const std::wstring& normalPath, const std::wstring& overPath,
                                const std::wstring& downPath, const std::wstring& disabledPath,
                                const std::wstring& extraPath, bool rowSized)
{
    const std::wstring* paths[] = {&normalPath, &overPath, &downPath, &disabledPath};
    for (int state = 0; state < SkinImageSet::kStateCount; ++state) {
        m_images[state].Reset();
        LoadPremultipliedImage(*paths[state], m_images[state]);
    }
    m_extraImage.Reset();
    if (!extraPath.empty())
        LoadPictureFile(extraPath, m_extraImage);
    m_rowSized = rowSized;
}

void CPngBtnMenu::AddMenuItem(const std::wstring& text, int value, int extra, bool enabled)
{
    m_items.push_back(MakeMenuItem(text, value, extra, enabled));
}

BMPMENUINFO* CPngBtnMenu::AddSubMenuItem(int item, const std::wstring& text, int value, int extra, bool enabled)
{
    BMPMENUINFO* parent = GetMenuItem(item);
    return parent ? &AddSubItem(*parent, text, value, extra, enabled) : nullptr;
}

void CPngBtnMenu::SetTextColors(COLORREF notEnabled, COLORREF enabled, COLORREF enabledOver) noexcept
{
    m_notEnabledColour = notEnabled;
    m_enabledColour = enabled;
    m_enabledOverColour = enabledOver;
}

void CPngBtnMenu::SetRowLayout(int alignment, int captionMargin) noexcept
{
    m_alignment = alignment;
    m_captionMargin = captionMargin;
}

void CPngBtnMenu::SetInsets(int side, int top) noexcept
{
    m_sideInset = side;
    m_topInset = top;
}

void CPngBtnMenu::SetMessages(UINT clickMessage, UINT arrowMessage) noexcept
{
    m_clickMessage = clickMessage;
    m_arrowMessage = arrowMessage;
}

const BMPMENUINFO* CPngBtnMenu::GetMenuItem(int index) const noexcept
{
    return index >= 0 && index < GetItemCount() ? &m_items[static_cast<size_t>(index)] : nullptr;
}

BMPMENUINFO* CPngBtnMenu::GetMenuItem(int index) noexcept
{
    return index >= 0 && index < GetItemCount() ? &m_items[static_cast<size_t>(index)] : nullptr;
}

CPngMenuRow* CPngBtnMenu::GetRowButton(int row) const noexcept
{
    return row >= 0 && row < GetRowCount() ? m_rows[static_cast<size_t>(row)].get() : nullptr;
}

int CPngBtnMenu::ItemValue(int index) const noexcept
{
    const BMPMENUINFO* item = GetMenuItem(index);
    return item ? item->value : 0;
}

int CPngBtnMenu::RowOf(HWND wnd) const noexcept
{
    for (size_t row = 0; wnd && row < m_rows.size(); ++row)
        if (m_rows[row]->m_hWnd == wnd)
            return static_cast<int>(row);
    return -1;
}

void CPngBtnMenu::ScrollTo(int first)
{
    const int count = GetItemCount();
    const int visible = menu::ResolveVisibleRows(m_visibleRows, count);
    const int clamped = menu::ClampFirstVisible(first, count, visible);
    if (clamped != m_firstVisible)
        CloseSubMenu(); // its row now shows another item
    m_firstVisible = clamped;

    static const BMPMENUINFO kPastTheEnd{};
    for (size_t row = 0; row < m_rows.size(); ++row) {
        const BMPMENUINFO* found = GetMenuItem(m_firstVisible + static_cast<int>(row));
        const BMPMENUINFO& item = found ? *found : kPastTheEnd;
        CPngMenuRow& button = *m_rows[row];
        button.ShowWindow(item.text[0] != L'\0' ? SW_SHOWNA : SW_HIDE);
        button.SetFontFace(item.fontFace);
        button.SetCaptionEx(item.text, m_captionMargin, CPngListBtn::kNoIndex);
        const COLORREF normal = item.enabled ? m_enabledColour : m_notEnabledColour;
        const COLORREF over = item.enabled ? m_enabledOverColour : m_notEnabledColour;
        button.SetTextColors(normal, over, kRowDownColour, kRowDisabledColour);
        button.SetSubItemMarker(item.hasSubItems);
    }
    SelectRow(m_selectedItem, false);
    if (m_scrollBar.m_hWnd)
        m_scrollBar.SetScrollPos(m_firstVisible);
}

void CPngBtnMenu::SelectRow(int index, bool bringIntoView)
{
    auto clearMark = [this] {
        if (CPngMenuRow* marked = GetRowButton(m_markedRow))
            marked->SetSelected(false);
        m_markedRow = -1;
    };
    if (!GetMenuItem(index)) {
        clearMark();
        m_selectedItem = -1;
        return;
    }
    const int row = menu::RowOfItem(index, m_firstVisible, GetRowCount());
    if (row < 0) {
        clearMark();
    } else if (row != m_markedRow) {
        clearMark();
        m_rows[static_cast<size_t>(row)]->SetSelected(true);
        m_markedRow = row;
    }
    m_selectedItem = index;
    const int visible = menu::ResolveVisibleRows(m_visibleRows, GetItemCount());
    if (bringIntoView && menu::RowOfItem(index, m_firstVisible, visible) < 0)
        ScrollTo(menu::FirstVisibleForBottomRow(index, visible));
}

void CPngBtnMenu::Notify(UINT message, WPARAM wParam, LPARAM lParam) const
{
    if (m_owner) // a null window would post to the thread instead
        ::PostMessageW(m_owner, message, wParam, lParam);
}

BOOL CPngBtnMenu::OnCommand(WPARAM wParam, LPARAM lParam)
{
    const auto sender = reinterpret_cast<HWND>(lParam);
    const WORD code = HIWORD(wParam);
    const auto menuId = static_cast<WORD>(m_menuId);

    if (const int row = RowOf(sender); row >= 0) {
        const int index = m_firstVisible + row;
        const BMPMENUINFO* item = GetMenuItem(index);
        if (!item || item->hasSubItems || !item->enabled)
            return TRUE;
        if (code == BN_CLICKED) {
            const int value = item->value;
            SelectRow(index, true);
            Notify(m_clickMessage, MAKEWPARAM(menuId, index), MAKELPARAM(0, value));
        }
        return TRUE;
    }
    for (size_t which : {kTopButton, kBottomButton}) {
        const CBitmapBtnEx* button = EndButtonWindow(which);
        if (!sender || !button || button->m_hWnd != sender)
            continue;
        // The second press of a quick double click comes as a double-click report.
        if (code == BN_CLICKED || code == BN_DOUBLECLICKED) {
            const int value = ItemValue(m_endButtons[which].look.item);
            Notify(m_arrowMessage, MAKEWPARAM(menuId, which), MAKELPARAM(0, value));
            ScrollTo(which == kTopButton ? m_firstVisible - 1 : m_firstVisible + 1);
        }
        return TRUE;
    }
    return CDialog::OnCommand(wParam, lParam);
}

LRESULT CPngBtnMenu::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if ((message == m_clickMessage || message == m_arrowMessage) && RepostFromSubMenu(message, wParam, lParam))
        return 0;
    switch (message) {
    case kMenuPointerMessage:
        OnPointer({GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
        return 0;
    case WM_MOUSEMOVE: {
        POINT screen{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
        ::ClientToScreen(m_hWnd, &screen);
        OnPointer(screen);
        break;
    }
    case WM_MOUSEWHEEL:
        OnMouseWheel(wParam);
        return 0;
    case WM_VSCROLL:
        OnVScroll(LOWORD(wParam), HIWORD(wParam));
        break; // the standard handling follows
    case WM_MOUSEACTIVATE:
        return MA_NOACTIVATE; // a click on the list leaves its owner the active window
    case WM_ERASEBKGND:
        return TRUE; // the background image covers the list
    case WM_PAINT: {
        PaintDc dc(m_hWnd);
        Paint(dc);
        return 0;
    }
    case WM_PRINTCLIENT:
        Paint(reinterpret_cast<HDC>(wParam));
        return 0;
    case WM_DESTROY:
        OnDestroy();
        break;
    default:
        break;
    }
    return CDialog::WindowProc(message, wParam, lParam);
}

// A sub-list's owner is this list: its reports go on to this list's owner with the halves
// of wParam swapped and this list's item value beside the sub-item's. Reports that already
// carry a sub-item value (low word of lParam not 0) are not passed on again.
bool CPngBtnMenu::RepostFromSubMenu(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (LOWORD(lParam) != 0)
        return false;
    const int item = LOWORD(wParam);
    Notify(message, MAKEWPARAM(HIWORD(wParam), LOWORD(wParam)), MAKELPARAM(HIWORD(lParam), ItemValue(item)));
    return true;
}

void CPngBtnMenu::OnVScroll(int code, int thumb)
{
    const int count = GetItemCount();
    int page = menu::ResolveVisibleRows(m_visibleRows, count);
    SCROLLINFO info{};
    if (m_scrollBar.m_hWnd && m_scrollBar.GetScrollInfo(&info, SIF_PAGE))
        page = static_cast<int>(std::min<UINT>(info.nPage, INT_MAX));
    ScrollTo(menu::ScrollTarget(code, m_firstVisible, count, page, thumb));
}

// A row under the wheel posts its own WM_VSCROLL and then lets the wheel climb to
// this list, its parent; the wheel counts once. Turned over the list itself (or with the
// focus on it), the list scrolls one row per report.
void CPngBtnMenu::OnMouseWheel(WPARAM wParam)
{
    MSG pending{};
    if (::PeekMessageW(&pending, m_hWnd, WM_VSCROLL, WM_VSCROLL, PM_NOREMOVE | PM_NOYIELD) && pending.lParam == 0)
        return;
    OnVScroll(GET_WHEEL_DELTA_WPARAM(wParam) <= 0 ? SB_LINEDOWN : SB_LINEUP, 0);
}

// Pointer reports from the list's own area, its rows and its sub-lists. A sub-list passes on
// the pointer once it has left the sub-list's own tree, so the parent can close it.
void CPngBtnMenu::OnPointer(POINT screen)
{
    TrackPointer(screen);
    if (m_isSubMenu && m_hWnd && !TreeContains(screen))
        Notify(kMenuPointerMessage, 0, MAKELPARAM(screen.x, screen.y));
}

void CPngBtnMenu::Paint(HDC target) const
{
    const Bitmap& background = m_faces[SkinImageSet::kNormal];
    if (background.empty()) {
        const RECT client = GetClientRect();
        ::FillRect(target, &client, static_cast<HBRUSH>(::GetStockObject(BLACK_BRUSH)));
        return;
    }
    CopyBitmap(target, 0, 0, background);
}

void CPngBtnMenu::OnDestroy()
{
    CloseSubMenu();
    m_rows.clear();
    m_markedRow = -1;
    for (EndButtonState& button : m_endButtons)
        button.wnd.reset();
    m_items.clear(); // every item's sub-items go with it
}
