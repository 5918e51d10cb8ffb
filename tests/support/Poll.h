// Waiting for an effect another thread or process brings about: the condition is asked again
// and again until it holds or a generous limit has passed, so a loaded machine only makes a
// test slower, never wrong, and a quick one ends as soon as the effect is there.
#pragma once

#include <windows.h>

#include <cwchar>

namespace poll {

constexpr DWORD kIntervalMs = 20;
// Far beyond what any effect takes on a busy machine; reached only when a test fails.
constexpr DWORD kLimitMs = 10000;

// A time limit for this run: VELDRIAN_TEST_TIME_SCALE (a whole factor, 1 when unset) stretches
// every limit for runs that slow the program down on purpose, such as one with checked heaps.
inline DWORD Scaled(DWORD limitMs)
{
    static const DWORD factor = [] {
        wchar_t text[16] = {};
        const DWORD length = ::GetEnvironmentVariableW(L"VELDRIAN_TEST_TIME_SCALE", text, 16);
        const unsigned long value = length > 0 && length < 16 ? std::wcstoul(text, nullptr, 10) : 1;
        return static_cast<DWORD>(value >= 1 && value <= 100 ? value : 1);
    }();
    return limitMs * factor;
}

// Whether the condition held before the limit passed.
template <class Condition>
bool Until(Condition condition, DWORD limitMs = kLimitMs)
{
    const ULONGLONG end = ::GetTickCount64() + Scaled(limitMs);
    for (;;) {
        if (condition())
            return true;
        if (::GetTickCount64() >= end)
            return false;
        ::Sleep(kIntervalMs);
    }
}

// The same for an effect that comes through this thread's own queue (real input, timers):
// its messages are handled while waiting.
template <class Condition>
bool PumpUntil(Condition condition, DWORD limitMs = kLimitMs)
{
    return Until(
        [&] {
            MSG msg;
            while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
                ::TranslateMessage(&msg);
                ::DispatchMessageW(&msg);
            }
            return condition();
        },
        limitMs);
}

} // namespace poll
