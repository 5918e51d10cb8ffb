// CPngBtnMenu: cascading sub-lists. A row whose item has sub-items opens a second list beside
// it when the pointer comes onto it; the pointer moving onto another row, or away from both
// lists, closes it. A sub-list opens to the right of its parent, level with the row, and is
// kept on the work area of the row's monitor.
#include "controls/ButtonMenu.h"

namespace {

menu::Rect FromRect(const RECT& r)
{
    return {r.left, r.top, r.right, r.bottom};
}

} // namespace

RECT CPngBtnMenu::VisibleScreenRect() const noexcept
{
    RECT r = GetWindowRect();
    if (m_imageWidth > 0)
        r.right = std::min<LONG>(r.right, r.left + m_imageWidth);
    return r;
}

bool CPngBtnMenu::TreeContains(POINT screen) const noexcept
{
    if (!m_hWnd)
        return false;
    const RECT visible = VisibleScreenRect();
    if (::PtInRect(&visible, screen))
        return true;
    return m_subMenu && m_subMenu->TreeContains(screen);
}

int CPngBtnMenu::RowAtScreenPoint(POINT screen) const noexcept
{
    for (size_t row = 0; row < m_rows.size(); ++row) {
        const CPngMenuRow& button = *m_rows[row];
        const RECT place = button.GetWindowRect();
        if (button.IsWindowVisible() && ::PtInRect(&place, screen))
            return static_cast<int>(row);
    }
    return -1;
}

// Called for every pointer report, never from inside the sub-list's own handlers (its
// reports arrive posted), so closing the sub-list here destroys nothing that is running.
void CPngBtnMenu::TrackPointer(POINT screen)
{
    if (m_subMenu && m_subMenu->TreeContains(screen))
        return;
    const int row = RowAtScreenPoint(screen);
    if (row >= 0) {
        const int index = m_firstVisible + row;
        const BMPMENUINFO* item = GetMenuItem(index);
        if (item && item->hasSubItems && !item->subItems.empty()) {
            if (!m_subMenu || m_subMenuItem != index)
                OpenSubMenu(index, row);
        } else {
            CloseSubMenu();
        }
        return;
    }
    if (!TreeContains(screen))
        CloseSubMenu();
}

// The sub-list takes this list's images, colours, fonts, layout, insets, row height,
// visible rows and messages; its menu id is the item's index, which its reports carry back.
void CPngBtnMenu::OpenSubMenu(int item, int row)
{
    CloseSubMenu();
    const BMPMENUINFO* source = GetMenuItem(item);
    const CPngMenuRow* anchor = GetRowButton(row);
    if (!source || !anchor || !m_hWnd)
        return;

    auto sub = std::make_unique<CPngBtnMenu>(m_hWnd);
    sub->m_isSubMenu = true;
    for (int state = 0; state < SkinImageSet::kStateCount; ++state)
        sub->m_images[state] = m_images[state].Clone();
    sub->m_extraImage = m_extraImage.Clone();
    sub->m_rowSized = m_rowSized;
    sub->SetTextColors(m_notEnabledColour, m_enabledColour, m_enabledOverColour);
    sub->SetRowLayout(m_alignment, m_captionMargin);
    sub->SetRowFontHeight(m_rowFontHeight);
    sub->SetRowHeight(m_rowHeight);
    sub->SetInsets(m_sideInset, m_topInset);
    sub->SetVisibleRows(m_visibleRows);
    sub->SetMessages(m_clickMessage, m_arrowMessage);
    sub->SetMenuId(item);
    sub->m_items = source->subItems;

    const menu::Size size = menu::ListSize(sub->Layout());
    const menu::Size visible{std::min(size.cx, sub->m_images[SkinImageSet::kNormal].width()), size.cy};
    const RECT rowPlace = anchor->GetWindowRect();
    MONITORINFO monitor{};
    monitor.cbSize = sizeof(monitor);
    ::GetMonitorInfoW(::MonitorFromRect(&rowPlace, MONITOR_DEFAULTTONEAREST), &monitor);
    const menu::Point place =
        menu::PlaceSubList(FromRect(VisibleScreenRect()), FromRect(rowPlace), visible, FromRect(monitor.rcWork));
    sub->SetPosition(place.x, place.y);

    m_subMenuItem = item;
    m_subMenu = std::move(sub);
    if (!m_subMenu->Create(m_hWnd)) {
        m_subMenu.reset();
        m_subMenuItem = -1;
    }
}

void CPngBtnMenu::CloseSubMenu()
{
    m_subMenuItem = -1;
    m_subMenu.reset(); // the pointer is cleared before the sub-list's window goes
}
