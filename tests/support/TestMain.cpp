// Entry point of every test program: the process-wide set-up the program itself makes at start.
#include <windows.h>

#include <commctrl.h>
#include <gdiplus.h>

#include <gmock/gmock.h>

int main(int argc, char** argv)
{
    ::testing::InitGoogleMock(&argc, argv);

    const INITCOMMONCONTROLSEX controls{sizeof(INITCOMMONCONTROLSEX), ICC_WIN95_CLASSES};
    ::InitCommonControlsEx(&controls);
    Gdiplus::GdiplusStartupInput input;
    ULONG_PTR token = 0;
    Gdiplus::GdiplusStartup(&token, &input, nullptr);

    const int result = RUN_ALL_TESTS();

    Gdiplus::GdiplusShutdown(token);
    return result;
}
