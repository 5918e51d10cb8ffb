// A language change rebuilds the window from the other language's skin file and keeps what it
// can of the previous build. Whatever it keeps, the window must then look exactly like one
// built for that language from the start.
#include "MainWindowFixture.h"

#include "ImageFiles.h"
#include "Poll.h"

#include <gdiplus.h>

#include <memory>

namespace {

constexpr LPARAM kSecondLanguage = MAKELPARAM(0, 17);
// The screen is read every kSettleStepMs until it has not changed for kStillMs.
constexpr DWORD kSettleStepMs = 50;
constexpr ULONGLONG kStillMs = 300;

bool SameCanvas(const Canvas& a, const Canvas& b)
{
    if (a.width() != b.width() || a.height() != b.height())
        return false;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x)
            if (a.At(x, y) != b.At(x, y))
                return false;
    return true;
}

class SkinRebuild : public CopiedProgramFolderFixture {
protected:
    std::wstring SecondSkin() const { return m_folder / L"Lan\\skin_Cs.ini"; }
    void SetSecondSkin(const wchar_t* section, const wchar_t* key, const std::wstring& value) const
    {
        ::WritePrivateProfileStringW(section, key, value.c_str(), SecondSkin().c_str());
    }

    // The skin's background picture with a band of red across its top left, saved as name.
    bool WriteMarkedBackground(const std::wstring& name) const
    {
        Gdiplus::Bitmap picture((m_folder / L"skins\\bg_main.bmp").c_str());
        if (picture.GetLastStatus() != Gdiplus::Ok)
            return false;
        {
            Gdiplus::Graphics graphics(&picture);
            Gdiplus::SolidBrush red(Gdiplus::Color(255, 200, 0, 0));
            graphics.FillRectangle(&red, 0, 0, static_cast<INT>(picture.GetWidth() / 2), 120);
        }
        CLSID bmp{};
        return EncoderFor(L"image/bmp", &bmp) &&
               picture.Save((m_folder / (L"skins\\" + name)).c_str(), &bmp, nullptr) == Gdiplus::Ok;
    }

    // What the screen shows of the window once everything on it is painted: the display
    // server shows child windows a moment later, and controls finish their looks on timers,
    // so the screen is read until it has held still for a while.
    std::unique_ptr<Canvas> Shoot() const
    {
        ::RedrawWindow(*m_dialog, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
        std::unique_ptr<Canvas> shot = ReadScreen();
        ULONGLONG stillSince = ::GetTickCount64();
        poll::Until([&] {
            Pump(kSettleStepMs);
            std::unique_ptr<Canvas> again = ReadScreen();
            if (!SameCanvas(*again, *shot))
                stillSince = ::GetTickCount64();
            shot = std::move(again);
            return ::GetTickCount64() - stillSince >= kStillMs;
        });
        return shot;
    }

    std::unique_ptr<Canvas> ReadScreen() const
    {
        const RECT r = m_dialog->GetWindowRect();
        auto shot = std::make_unique<Canvas>(r.right - r.left, r.bottom - r.top);
        WindowDc screen(nullptr);
        ::BitBlt(shot->dc(), 0, 0, shot->width(), shot->height(), screen, r.left, r.top, SRCCOPY);
        return shot;
    }

    // Switches the open English window to the second language and compares it with a window
    // opened in that language; returns whether the switch kept the composed background.
    bool ExpectSwitchedWindowLooksOpenedInIt()
    {
        // The pointer away from both windows: a control under it shows its hover face, and keeps it
        // when the switch moves it away from under a pointer that has not moved.
        ::SetCursorPos(0, 0);
        Pump();
        const HBITMAP englishBackground = Window().background();
        m_dialog->PostMessage(WM_MENU_SELECTION, 0, kSecondLanguage);
        Pump();
        EXPECT_EQ(Live().lan_id, 1);
        const bool kept = Window().background() == englishBackground;
        const auto switched = Shoot();

        m_dialog->DestroyWindow();
        m_block.lan_id = 1;
        Open();
        const auto opened = Shoot();
        EXPECT_EQ(switched->width(), opened->width());
        EXPECT_EQ(switched->height(), opened->height());
        int differing = 0;
        for (int y = 0; y < std::min(switched->height(), opened->height()); ++y)
            for (int x = 0; x < std::min(switched->width(), opened->width()); ++x) {
                const Bgra a = switched->At(x, y);
                const Bgra b = opened->At(x, y);
                differing += RGB(a.r, a.g, a.b) != RGB(b.r, b.g, b.b);
            }
        EXPECT_EQ(differing, 0) << "pixels that differ between the switched and the opened window";
        return kept;
    }
};

// What the second language's skin changes beyond captions, and whether the background stays.
struct SkinChange {
    const char* name;
    bool movesAndRefaces;
    bool newBackground;
};

class SkinRebuildCase : public SkinRebuild, public testing::WithParamInterface<SkinChange> {};

const SkinChange kChanges[] = {
    {"CaptionsOnly", false, false},
    {"FacesAndPlaces", true, false},
    {"FacesPlacesAndBackground", true, true},
};

} // namespace

TEST_P(SkinRebuildCase, SwitchedWindowLooksLikeOneOpenedInTheLanguage)
{
    const SkinChange& change = GetParam();
    if (change.movesAndRefaces) {
        SetSecondSkin(L"MAIN", L"4", L"btn_lang,1000,40,150,34,Apply,FALSE"); // another face, moved
        SetSecondSkin(L"LED", L"22", L"sl_red,558,212,280,16,,FALSE");        // the red slider, moved
    }
    if (change.newBackground) {
        ASSERT_TRUE(WriteMarkedBackground(L"bg_marked.bmp"));
        SetSecondSkin(L"MAINSCREENNEW", L"Main", L"bg_marked.bmp");
    }
    Open();
    EXPECT_EQ(ExpectSwitchedWindowLooksOpenedInIt(), !change.newBackground)
        << "the background is kept exactly when its pictures stay the same";
}

INSTANTIATE_TEST_SUITE_P(SkinRebuild, SkinRebuildCase, testing::ValuesIn(kChanges),
                         [](const testing::TestParamInfo<SkinChange>& info) { return info.param.name; });
