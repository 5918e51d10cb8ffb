// CPngBtnMenu: building the list when its window is made: size and place, images brought to
// the list's height, shape, fixed buttons, rows and scroll bar.
#include "controls/ButtonMenu.h"

#include "skin/DibOperations.h"
#include "skin/ImageDecoding.h"

#include "resource.h"

namespace {

constexpr DWORD kButtonStyle = WS_CHILD | WS_VISIBLE | BS_OWNERDRAW;
constexpr DWORD kScrollBarStyle = WS_CHILD | SBS_VERT; // 0x40000001: created hidden

RECT ToRect(const menu::Rect& r)
{
    return {r.left, r.top, r.right, r.bottom};
}

// The image brought to `height`: its top and bottom bands (one row each) kept, the middle
// band repeated or cut. The result keeps the source's format, so faces keep their alpha.
Bitmap FitHeight(const Bitmap& source, int height, int band)
{
    if (source.empty() || source.height() == height)
        return source.Clone();
    Bitmap fitted;
    CropBitmap(nullptr, fitted, source, 0, 0, source.width(), height);
    MemoryDc from;
    MemoryDc to;
    if (fitted.empty() || !from || !to)
        return {};
    SelectGuard selectFrom(from, source.get());
    SelectGuard selectTo(to, fitted.get());
    for (const menu::Slice& slice : menu::FitBands(source.height(), height, band))
        ::BitBlt(to, 0, slice.targetTop, source.width(), slice.height, from, 0, slice.sourceTop, SRCCOPY);
    return fitted;
}

} // namespace

menu::LayoutInput CPngBtnMenu::Layout() const noexcept
{
    const int count = GetItemCount();
    menu::LayoutInput in;
    in.imageWidth = m_images[SkinImageSet::kNormal].width();
    in.visibleRows = menu::ResolveVisibleRows(m_visibleRows, count);
    in.rowHeight = m_rowHeight < 0 ? m_images[SkinImageSet::kNormal].height() : m_rowHeight;
    in.sideInset = m_sideInset;
    in.topInset = m_topInset;
    in.topButtonHeight = m_endButtons[0].size.cy;
    in.bottomButtonHeight = m_endButtons[1].size.cy;
    in.scrollBar = count > in.visibleRows;
    return in;
}

BOOL CPngBtnMenu::OnInitDialog()
{
    CDialog::OnInitDialog();
    const Bitmap& normal = m_images[SkinImageSet::kNormal];
    m_imageWidth = normal.width();
    if (m_rowHeight < 0)
        m_rowHeight = normal.height();
    m_visibleRows = menu::ResolveVisibleRows(m_visibleRows, GetItemCount());

    LoadEndButtons();
    const menu::LayoutInput layout = Layout();
    const menu::Size size = menu::ListSize(layout);
    ::SetWindowPos(m_hWnd, nullptr, 0, 0, size.cx, size.cy, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    FitImages(size.cy);
    ShapeWindow(layout);
    CreateEndButtons(layout);
    CreateRows(layout);
    CreateScrollBar(layout);
    ScrollTo(m_firstVisible);

    // A list opens as a menu does: an owned pop-up, above its owner without any change of the
    // z-order, that leaves the activation and the focus where they are (the window it drops
    // from stays the active one, the click that opened the list ends there).
    ::SetWindowPos(m_hWnd, nullptr, m_position.x, m_position.y, size.cx, size.cy,
                   SWP_SHOWWINDOW | SWP_NOZORDER | SWP_NOACTIVATE);
    return FALSE; // the focus stays where it is
}

// A fixed button is configured when its normal image loads and its item is one of the list's.
void CPngBtnMenu::LoadEndButtons()
{
    for (EndButtonState& button : m_endButtons) {
        button.size = {};
        for (Bitmap& face : button.faces.images)
            face.Reset();
        if (button.look.normal.empty() || !GetMenuItem(button.look.item))
            continue;
        SIZE size{};
        if (!LoadPremultipliedImage(button.look.normal, button.faces[SkinImageSet::kNormal], &size))
            continue;
        const std::wstring* others[] = {&button.look.over, &button.look.down, &button.look.disabled};
        for (int state = SkinImageSet::kOver; state < SkinImageSet::kStateCount; ++state)
            if (others[state - 1]->empty() || !LoadPremultipliedImage(*others[state - 1], button.faces[state]))
                button.faces[state] = button.faces[SkinImageSet::kNormal].Clone();
        button.size = size;
    }
}

void CPngBtnMenu::CreateEndButtons(const menu::LayoutInput& layout)
{
    for (size_t which = 0; which < m_endButtons.size(); ++which) {
        EndButtonState& button = m_endButtons[which];
        if (button.faces[SkinImageSet::kNormal].empty())
            continue; // not configured
        const menu::Size size{button.size.cx, button.size.cy};
        const RECT place =
            ToRect(which == 0 ? menu::TopButtonRect(layout, size) : menu::BottomButtonRect(layout, size));
        auto wnd = std::make_unique<CBitmapBtnEx>();
        if (!wnd->Create(L"", kButtonStyle, place, m_hWnd, 0))
            continue;
        const SkinImageSet& faces = button.faces;
        wnd->SetImages({0, 0, size.cx, size.cy}, faces[SkinImageSet::kNormal], faces[SkinImageSet::kOver],
                       faces[SkinImageSet::kDown], faces[SkinImageSet::kDisabled]);
        wnd->SetAlignment(button.look.alignment);
        wnd->SetTextColors(m_enabledColour, m_enabledOverColour, kRowDownColour, kRowDisabledColour);
        wnd->SetCaption(button.look.caption);
        button.wnd = std::move(wnd);
    }
}

// The four faces (and the mask) are brought to the list's height; the loaded images stay as
// they were for the sub-lists, which fit them to their own heights.
void CPngBtnMenu::FitImages(int listHeight)
{
    const int band = m_rowHeight;
    for (int state = 0; state < SkinImageSet::kStateCount; ++state)
        m_faces[state] = FitHeight(m_images[state], listHeight, band);
}

// The list shows its image and nothing else: the window is 18 pixels wider than the image
// (the list's geometry), and the region keeps that strip, which nothing paints, off the
// screen. A mask image shapes the list instead when one was given.
void CPngBtnMenu::ShapeWindow(const menu::LayoutInput& layout)
{
    const menu::Size size = menu::ListSize(layout);
    HRGN region = nullptr;
    if (!m_extraImage.empty()) {
        const Bitmap mask = FitHeight(m_extraImage, size.cy, m_rowHeight);
        region = RegionFromMask(mask);
    } else if (m_imageWidth > 0) {
        region = ::CreateRectRgn(0, 0, m_imageWidth, size.cy);
    }
    if (region && !::SetWindowRgn(m_hWnd, region, FALSE))
        ::DeleteObject(region); // the window owns the region only when it took it
}

void CPngBtnMenu::CreateRows(const menu::LayoutInput& layout)
{
    m_rows.clear();
    m_markedRow = -1;
    for (int k = 0; k < layout.visibleRows; ++k) {
        const menu::Rect place = menu::RowRect(layout, k);
        auto row = std::make_unique<CPngMenuRow>();
        if (!row->Create(L"", kButtonStyle, ToRect(place), m_hWnd, 0))
            break;
        const RECT face = m_rowSized ? RECT{0, 0, place.width(), place.height()} : ToRect(place);
        row->SetImages(face, m_faces[SkinImageSet::kNormal], m_faces[SkinImageSet::kOver], m_faces[SkinImageSet::kDown],
                       m_faces[SkinImageSet::kDisabled]);
        row->SetFontHeight(m_rowFontHeight);
        row->SetAlignment(m_alignment);
        m_rows.push_back(std::move(row));
    }
}

void CPngBtnMenu::CreateScrollBar(const menu::LayoutInput& layout)
{
    if (m_scrollSheet.empty())
        m_scrollSheet.Attach(
            static_cast<HBITMAP>(::LoadImageW(::GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDB_SCROLLBAR_SHEET),
                                              IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION)));
    if (!m_scrollBar.Create(kScrollBarStyle, ToRect(menu::ScrollBarRect(layout)), m_hWnd, kScrollBarId))
        return;
    m_scrollBar.SetBitmap(m_scrollSheet.get());
    const int count = GetItemCount();
    SCROLLINFO info{};
    info.cbSize = sizeof(info);
    info.fMask = SIF_RANGE | SIF_PAGE | SIF_POS | SIF_DISABLENOSCROLL;
    info.nMin = 0;
    info.nMax = count > 0 ? count - 1 : 0;
    info.nPage = static_cast<UINT>(layout.visibleRows);
    info.nPos = m_firstVisible;
    m_scrollBar.SetScrollInfo(&info);
    if (layout.scrollBar)
        m_scrollBar.ShowWindow(SW_SHOWNA);
}
