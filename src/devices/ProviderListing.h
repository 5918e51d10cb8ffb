// The registry listing of the installed lighting providers, and what the registry says of a
// provider class: its threading model, and whether only 32-bit programs can load it.
#pragma once

#include <windows.h>

#include <optional>
#include <string>
#include <vector>

// The registry view a lookup reads: this program's own (64-bit), or the one 32-bit programs see,
// where a 32-bit driver package registers its classes.
enum class RegistryView { Own, ThirtyTwoBit };

// The subkey names of the provider listing key, in the registry's order; empty when the key
// cannot be opened. A name that cannot be read is an empty text in its place.
std::vector<std::wstring> ReadProviderListing(RegistryView view = RegistryView::Own);
// The "ThreadingModel" value of the class's in-process server in this program's view; empty when
// there is none (which COM takes for the main single-threaded apartment).
std::wstring ProviderThreadingModel(const CLSID& providerClass);
// A provider class that only 32-bit programs can load: this program's view has no in-process
// server for it, while the 32-bit view lists it or registers one. The server's path in that view
// (empty when it names none); nothing for any other class.
std::optional<std::wstring> ThirtyTwoBitOnlyServer(const CLSID& providerClass);
// The class identifier in its braced text form.
std::wstring ClassText(const CLSID& providerClass);
