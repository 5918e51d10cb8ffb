// postmsg: posts a window message to the top-level window with the given caption, as other
// software does to the configuration program (4000, WM_USER+600, WM_TIMER 20010).
//
//   postmsg <caption> <message> [wParam] [lParam]
//
// Exit code 0 when posted, 1 when no window has that caption, 2 for a bad command line,
// 3 when the post failed.
#include "MessageArguments.h"

#include <windows.h>

#include <cstdio>

namespace {

enum ExitCode : int { kPosted = 0, kNoWindow = 1, kBadArguments = 2, kPostFailed = 3 };

void PrintUsage()
{
    std::fwprintf(stderr, L"usage: postmsg <caption> <message> [wParam] [lParam]\n"
                          L"  numbers: decimal, 0x hexadecimal; message also WM_CLOSE, WM_TIMER, WM_USER[+n]\n");
}

} // namespace

int wmain(int argc, wchar_t** argv)
{
    const auto request = ParsePostArguments(argc, argv);
    if (!request) {
        PrintUsage();
        return kBadArguments;
    }
    HWND target = ::FindWindowW(nullptr, request->caption.c_str());
    if (!target) {
        std::fwprintf(stderr, L"postmsg: no window captioned \"%ls\"\n", request->caption.c_str());
        return kNoWindow;
    }
    if (!::PostMessageW(target, request->message, static_cast<WPARAM>(request->wParam),
                        static_cast<LPARAM>(request->lParam)))
        return kPostFailed;
    return kPosted;
}
