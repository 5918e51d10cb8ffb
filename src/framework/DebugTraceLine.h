// One line for a debugger (OutputDebugString) where a failure stays silent to the person by
// design: a window not made, a picture not decoded, a provider not created, a settings write
// refused. Support reads them with a debug viewer to learn why a device or a picture is missing.
#pragma once

#include <windows.h>

#include <string>

// Sends "VeldrianRGB: <what>" as one line.
void TraceLine(const std::wstring& what);
// The same with " (error <code>)" after it; HRESULTs are given in hexadecimal.
void TraceLine(const std::wstring& what, DWORD error);
void TraceLineHresult(const std::wstring& what, HRESULT result);
