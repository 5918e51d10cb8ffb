// Registration of the stand-in provider under HKEY_CLASSES_ROOT, as a driver installer makes
// it: both provider classes as in-process servers of this DLL, and both in the provider listing.
// Environment variables set for the registration choose the threading model and the registry
// view (ProviderRegistration.cpp); unregistering removes the classes from both views.
#pragma once

#include <windows.h>

HRESULT RegisterProviders(const wchar_t* dllPath);
HRESULT UnregisterProviders();
