// The registry listing of the installed lighting providers.
#pragma once

#include <string>
#include <vector>

// The subkey names of the provider listing key, in the registry's order; empty when the key
// cannot be opened. A name that cannot be read is an empty text in its place.
std::vector<std::wstring> ReadProviderListing();
