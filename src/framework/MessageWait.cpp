// The message-handling wait: MsgWaitForMultipleObjectsEx on the object and the thread's queue.
#include "framework/MessageWait.h"

#include <optional>

namespace {

// Everything but the person's keyboard and mouse input, which stays queued for the loop the
// wait returns to: a click made meanwhile acts once the wait is over, on a window that is whole.
constexpr UINT kHandledKinds = PM_QS_SENDMESSAGE | PM_QS_POSTMESSAGE | PM_QS_PAINT;
constexpr DWORD kWakingKinds = QS_SENDMESSAGE | QS_POSTMESSAGE | QS_TIMER | QS_PAINT;

// Handles what the queue holds now. A quit request is kept for the loop the wait returns to.
void HandleQueuedMessages(std::optional<WPARAM>& quit)
{
    MSG msg;
    while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE | kHandledKinds)) {
        if (msg.message == WM_QUIT)
            quit = msg.wParam;
        else
            ::DispatchMessageW(&msg);
    }
}

} // namespace

bool WaitHandlingMessages(HANDLE object, DWORD limitMs)
{
    const ULONGLONG end = ::GetTickCount64() + limitMs;
    std::optional<WPARAM> quit;
    bool signalled = false;
    for (;;) {
        // Sent messages are handled inside PeekMessage, posted ones here.
        HandleQueuedMessages(quit);
        if (object && ::WaitForSingleObject(object, 0) == WAIT_OBJECT_0) {
            signalled = true;
            break;
        }
        const ULONGLONG now = ::GetTickCount64();
        if (now >= end)
            break;
        ::MsgWaitForMultipleObjectsEx(object ? 1 : 0, object ? &object : nullptr, static_cast<DWORD>(end - now),
                                      kWakingKinds, MWMO_INPUTAVAILABLE);
    }
    if (quit)
        ::PostQuitMessage(static_cast<int>(*quit));
    return signalled;
}

void PauseHandlingMessages(DWORD ms)
{
    WaitHandlingMessages(nullptr, ms);
}
