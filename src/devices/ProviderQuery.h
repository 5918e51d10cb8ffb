// Asking one provider class for the descriptor texts of its devices, in the apartment its
// registration asks for.
#pragma once

#include <windows.h>

#include <optional>
#include <string>
#include <vector>

// The descriptor text of each device, in the provider's order (a device without a descriptor has
// an empty text); nothing when the provider could not be created. A provider registered with the
// threading model "Free" lives in the multithreaded apartment only: COM would hand a
// single-threaded caller a proxy, and the provider interfaces have no proxy, so the provider is
// created and asked on a worker thread in that apartment and only the texts come back. Any other
// provider is created and asked on the calling thread, in its single-threaded apartment.
std::optional<std::vector<std::wstring>> QueryDescriptors(const CLSID& providerClass);
