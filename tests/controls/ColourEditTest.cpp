// Colour edit fields on real windows: the hexadecimal filter, the typed-character and click
// reports, the skin background and the repaint of the parent under the field.
#include "controls/ColourEdit.h"

#include "RecordingParent.h"

#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <vector>

namespace {

constexpr UINT kId = 31;
constexpr RECT kPlace{40, 40, 140, 60};

class ColourEditTest : public ::testing::Test {
protected:
    std::unique_ptr<CClrEdit> MakeEdit(bool hexOnly)
    {
        auto edit = std::make_unique<CClrEdit>();
        EXPECT_TRUE(edit->Create(WS_CHILD | WS_VISIBLE | WS_BORDER | ES_CENTER | ES_AUTOHSCROLL, kPlace, parent, kId));
        if (hexOnly)
            edit->SetHexOnly();
        return edit;
    }

    static void Type(CClrEdit& edit, const std::wstring& characters)
    {
        for (wchar_t c : characters)
            edit.SendMessage(WM_CHAR, c, 1);
    }

    CRecordingParent parent;
};

bool PutOnClipboard(HWND owner, const std::wstring& text)
{
    if (!::OpenClipboard(owner))
        return false;
    ::EmptyClipboard();
    const size_t bytes = (text.size() + 1) * sizeof(wchar_t);
    HGLOBAL block = ::GlobalAlloc(GMEM_MOVEABLE, bytes);
    if (void* memory = block ? ::GlobalLock(block) : nullptr) {
        std::memcpy(memory, text.c_str(), bytes);
        ::GlobalUnlock(block);
    }
    const bool placed = block && ::SetClipboardData(CF_UNICODETEXT, block);
    if (!placed && block)
        ::GlobalFree(block);
    ::CloseClipboard();
    return placed;
}

} // namespace

TEST(CClrEditFilter, LetsHexDigitsBackspaceAndClipboardKeysThrough)
{
    for (wchar_t c : std::wstring(L"0123456789abcdefABCDEF\b\x03\x16\x18"))
        EXPECT_TRUE(CClrEdit::PassesHexFilter(c)) << int(c);
    for (wchar_t c : std::wstring(L"gGxX /:@`[\x01\x1A\r\t\x7F\u0660"))
        EXPECT_FALSE(CClrEdit::PassesHexFilter(c)) << int(c);
}

TEST_F(ColourEditTest, HexOnlyDropsOtherCharactersButReportsEveryOne)
{
    auto edit = MakeEdit(true);
    Type(*edit, L"gx ");
    EXPECT_EQ(edit->GetText(), L"");
    Type(*edit, L"F0a");
    Type(*edit, L"\b");
    EXPECT_EQ(edit->GetText(), L"F0");

    CRecordingParent::Pump();
    const auto reports = parent.Take(WM_EDIT_CHAR);
    ASSERT_EQ(reports.size(), 7u);
    for (const RecordedMessage& m : reports) {
        EXPECT_EQ(m.wParam, 0u);
        EXPECT_EQ(m.lParam, static_cast<LPARAM>(kId));
    }
}

TEST_F(ColourEditTest, WithoutTheFilterEveryCharacterIsTaken)
{
    auto edit = MakeEdit(false);
    Type(*edit, L"gx 1");
    EXPECT_EQ(edit->GetText(), L"gx 1");
}

TEST_F(ColourEditTest, HexOnlyStillPastesAnyText)
{
    auto edit = MakeEdit(true);
    ASSERT_TRUE(PutOnClipboard(parent, L"not hex!"));
    Type(*edit, L"\x16"); // Ctrl+V
    EXPECT_EQ(edit->GetText(), L"not hex!");
}

TEST_F(ColourEditTest, AClickReachesTheParentBeforeTheCaretMoves)
{
    auto edit = MakeEdit(false);
    edit->SetWindowText(L"123456");
    edit->SetSel(6, 6);
    DWORD selectionAtNotify = 0;
    parent.onCommand = [&](WPARAM wParam, LPARAM) {
        if (wParam == 0)
            selectionAtNotify = static_cast<DWORD>(edit->SendMessage(EM_GETSEL));
    };

    edit->SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, PointParam(0, 5));
    edit->SendMessage(WM_LBUTTONUP, 0, PointParam(0, 5));
    std::vector<RecordedMessage> clicks;
    for (const RecordedMessage& m : parent.Take(WM_COMMAND))
        if (m.wParam == 0) // edit notifications (focus, change) carry their code and id
            clicks.push_back(m);
    ASSERT_EQ(clicks.size(), 1u);
    EXPECT_EQ(clicks[0].lParam, reinterpret_cast<LPARAM>(edit->m_hWnd));
    EXPECT_EQ(LOWORD(selectionAtNotify), 6);
    EXPECT_NE(LOWORD(edit->SendMessage(EM_GETSEL)), 6) << "the standard click moved the caret afterwards";
}

TEST_F(ColourEditTest, TheBackgroundIsTheSkinImageWithWhiteTransparentText)
{
    auto edit = MakeEdit(false);
    const Bitmap image = MakeBitmap(100, 20, [](int x, int) {
        return x < 50 ? Bgra{0, 0, 255, 255} : Bgra{0, 255, 0, 255};
    });
    edit->SetImages({0, 0, 100, 20}, image, image, image, image);
    EXPECT_FALSE(edit->GetStyle() & WS_BORDER);

    Canvas canvas(100, 20);
    const auto brush = reinterpret_cast<HBRUSH>(parent.SendMessage(
        WM_CTLCOLOREDIT, reinterpret_cast<WPARAM>(canvas.dc()), reinterpret_cast<LPARAM>(edit->m_hWnd)));
    ASSERT_NE(brush, nullptr);
    const RECT all{0, 0, 100, 20};
    ::FillRect(canvas.dc(), &all, brush);
    EXPECT_EQ(canvas.Count(RGB(255, 0, 0), {0, 0, 50, 20}), 1000);
    EXPECT_EQ(canvas.Count(RGB(0, 255, 0), {50, 0, 100, 20}), 1000);
    EXPECT_EQ(::GetTextColor(canvas.dc()), RGB(255, 255, 255));
    EXPECT_EQ(::GetBkMode(canvas.dc()), TRANSPARENT);
}

TEST_F(ColourEditTest, TheFontFaceIsSetOnTheControl)
{
    auto edit = MakeEdit(false);
    edit->SetFontFace(L"Segoe UI");
    LOGFONTW font{};
    ASSERT_TRUE(::GetObjectW(reinterpret_cast<HFONT>(edit->SendMessage(WM_GETFONT)), sizeof(font), &font));
    EXPECT_STREQ(font.lfFaceName, L"Segoe UI");
    EXPECT_EQ(font.lfHeight, 16);
}

TEST_F(ColourEditTest, ATextChangeRepaintsTheParentUnderTheField)
{
    auto edit = MakeEdit(false);
    ::UpdateWindow(parent);
    ::ValidateRect(parent, nullptr);
    edit->SetWindowText(L"FF0000");
    RECT dirty{};
    ASSERT_TRUE(::GetUpdateRect(parent, &dirty, FALSE));
    EXPECT_TRUE(::EqualRect(&dirty, &kPlace));
    size_t changes = 0;
    for (const RecordedMessage& m : parent.Take(WM_COMMAND))
        changes += HIWORD(m.wParam) == EN_CHANGE;
    EXPECT_EQ(changes, 1u) << "the parent still hears of the change";
}
