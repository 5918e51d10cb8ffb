// Waiting on the user-interface thread without leaving it deaf: while the wait lasts, messages
// that other programs send to its windows (and wait for) are answered, and posted ones, paints
// and timers handled. The person's keyboard and mouse input stays queued meanwhile, so nothing
// they click or type acts on a window halfway through what the wait is part of, and nothing of
// it is lost: it is handled once the wait is over.
#pragma once

#include <windows.h>

// Waits until `object` is signalled or `limitMs` has passed; true when it was signalled.
bool WaitHandlingMessages(HANDLE object, DWORD limitMs);
// Lets `ms` pass the same way.
void PauseHandlingMessages(DWORD ms);
