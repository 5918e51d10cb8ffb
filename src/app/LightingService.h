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
// How much longer a restart waits for an old service that is still closing after the pause,
// rather than leaving the lights with no service at all.
constexpr unsigned long kServiceCloseGraceMs = 2000;

// ProgramFolder + hid.exe.
std::wstring ServiceExecutablePath();

// Starts hid.exe from the program folder, without arguments and shown normally, unless the
// service window exists. Failures are silent.
void StartLightingService();
// Asks a running service to close (WM_CLOSE) without waiting for it.
void StopLightingService();
// Stop, pause, start, pause: the settings file is read afresh by the new service.
void RestartLightingService();
