// Registration of the stand-in provider under HKEY_CLASSES_ROOT, as a driver installer makes
// it: both provider classes as in-process servers of this DLL, and both in the provider listing.
#pragma once

#include <windows.h>

HRESULT RegisterProviders(const wchar_t* dllPath);
HRESULT UnregisterProviders();
