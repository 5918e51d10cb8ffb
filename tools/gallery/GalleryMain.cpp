// The control gallery: shows every skinned control in the shipped skin, saves a screenshot
// of it and checks that every control drew something and every image was found.
//   gallery <program folder> <screenshot.png> [language number]
#include "GalleryWindow.h"
#include "Screenshot.h"

#include "base/Paths.h"
#include "framework/WinApp.h"
#include "skin/DibOperations.h"
#include "skin/SkinFile.h"

#include <windows.h>

#include <commctrl.h>
#include <gdiplus.h>

#include <cstdio>
#include <cwchar>
#include <string>

namespace {

constexpr DWORD kSettleMs = 1500; // first paints of every control
constexpr DWORD kStageMs = 500;   // repaints after the staged looks

class GdiplusSession {
public:
    GdiplusSession()
    {
        Gdiplus::GdiplusStartupInput input;
        m_ok = Gdiplus::GdiplusStartup(&m_token, &input, nullptr) == Gdiplus::Ok;
    }
    ~GdiplusSession()
    {
        if (m_ok)
            Gdiplus::GdiplusShutdown(m_token);
    }
    GdiplusSession(const GdiplusSession&) = delete;
    GdiplusSession& operator=(const GdiplusSession&) = delete;

private:
    ULONG_PTR m_token = 0;
    bool m_ok = false;
};

void PumpFor(DWORD milliseconds)
{
    const DWORD start = ::GetTickCount();
    while (::GetTickCount() - start < milliseconds) {
        MSG msg;
        while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            if (!AfxPreTranslateMessage(&msg)) {
                ::TranslateMessage(&msg);
                ::DispatchMessageW(&msg);
            }
        }
        ::Sleep(10);
    }
}

// Controls whose place on screen shows nothing but the background beneath them.
int ReportBlankControls(const CGalleryWnd& gallery, const Bitmap& shot)
{
    int blank = 0;
    for (const CGalleryWnd::Shown& control : gallery.Controls()) {
        RECT place{};
        ::GetWindowRect(control.wnd, &place);
        ::MapWindowPoints(nullptr, gallery, reinterpret_cast<POINT*>(&place), 2);
        Bitmap drawn;
        Bitmap beneath;
        CropBitmap(nullptr, drawn, shot, place.left, place.top, place.right, place.bottom);
        CropBitmap(nullptr, beneath, gallery.Background(), place.left, place.top, place.right, place.bottom);
        if (CountDifferences(drawn, beneath) == 0) {
            std::wprintf(L"gallery: %ls draws nothing\n", control.name.c_str());
            ++blank;
        }
    }
    return blank;
}

} // namespace

int wmain(int argc, wchar_t** argv)
{
    if (argc < 3) {
        std::wprintf(L"usage: gallery <program folder> <screenshot.png> [language number]\n");
        return 2;
    }
    std::wstring folder = argv[1];
    if (!folder.empty() && folder.back() != L'\\' && folder.back() != L'/')
        folder += L'\\';
    SetProgramFolderForTesting(folder);
    InitProgramFolder();
    const int language = argc > 3 ? std::wcstol(argv[3], nullptr, 10) : 0;

    const INITCOMMONCONTROLSEX controls{sizeof(INITCOMMONCONTROLSEX), ICC_WIN95_CLASSES};
    ::InitCommonControlsEx(&controls);
    GdiplusSession gdiplus;
    SetSkinFile(ProgramFolder() + SkinFileForLanguage(language));
    SetSkinFontFace(GetSkinString(L"GLOBAL", L"FONT", L"Segoe UI"));

    CGalleryWnd gallery;
    const bool created = gallery.Create();
    for (const std::wstring& missing : gallery.MissingImages())
        std::wprintf(L"gallery: missing image %ls\n", missing.c_str());
    if (!created) {
        std::wprintf(L"gallery: the window could not be made\n");
        return 1;
    }
    PumpFor(kSettleMs);
    gallery.StageLooks();
    PumpFor(kStageMs);

    const Bitmap shot = CaptureClient(gallery, gallery.GetClientRect());
    if (!SavePng(shot, argv[2])) {
        std::wprintf(L"gallery: the screenshot could not be saved to %ls\n", argv[2]);
        return 1;
    }
    std::wprintf(L"gallery: screenshot %ls\n", argv[2]);
    const int blank = ReportBlankControls(gallery, shot);
    return gallery.MissingImages().empty() && blank == 0 ? 0 : 1;
}
