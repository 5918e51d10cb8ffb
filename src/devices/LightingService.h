// Control of the lighting service hid.exe, the separate program beside this one that reads the
// settings file when it starts and drives the lights.
#pragma once

#include <string>

// A top-level window with exactly this caption means the service runs.
constexpr const wchar_t* kServiceWindowCaption = L"VELDRIAN RGB Control_Hid";
constexpr const wchar_t* kServiceExeName = L"hid.exe";

// Pauses around a restart: the old service gets time to close, the new one time to start.
constexpr unsigned long kServiceStopPauseMs = 200;
constexpr unsigned long kServiceStartPauseMs = 300;
// How long a restart waits for the old service's process to end after the close request. A
// service puts its LEDs and its driver down before it ends, which may take seconds; a new one
// started meanwhile would find the old window and start nothing, leaving the lights with no
// service at all once the old one has gone.
constexpr unsigned long kServiceEndLimitMs = 15000;

// ProgramFolder + hid.exe.
std::wstring ServiceExecutablePath();

// Starts hid.exe from the program folder, in that folder, without arguments and shown normally,
// unless the service window exists. Failures are silent.
void StartLightingService();
// Asks a running service to close (WM_CLOSE) without waiting for it.
void StopLightingService();
// Stop, pause, wait for the old service's process to end, start, pause: the settings file is
// read afresh by the new service. The calling thread handles its messages throughout (see
// framework/MessageWait.h). A service that cannot be closed (the request refused, or its
// process still running at the limit) is left running and no second one is started; a debug
// trace line says so.
void RestartLightingService();

// Test seam: another limit than kServiceEndLimitMs (0 puts the real one back).
void SetServiceEndLimitForTesting(unsigned long limitMs);
