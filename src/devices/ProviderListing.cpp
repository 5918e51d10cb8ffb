// Reading the provider listing key.
#include "devices/ProviderListing.h"

#include "devices/LightingProvider.h"
#include "framework/Handles.h"

#include <algorithm>

namespace {

// Registry key names are at most 255 characters; the terminating NUL makes 256.
constexpr DWORD kMaxKeyNameChars = 256;

std::wstring SubkeyName(HKEY key, DWORD index, DWORD longest)
{
    std::wstring name;
    DWORD capacity = longest < kMaxKeyNameChars ? longest + 1 : kMaxKeyNameChars;
    for (;; capacity = std::min(capacity * 2, kMaxKeyNameChars)) {
        name.resize(capacity);
        DWORD length = capacity;
        const LSTATUS status = ::RegEnumKeyExW(key, index, name.data(), &length, nullptr, nullptr, nullptr, nullptr);
        if (status == ERROR_SUCCESS) {
            name.resize(length);
            return name;
        }
        // A name longer than the key said (it changed meanwhile) is read again with more room.
        if (status != ERROR_MORE_DATA || capacity == kMaxKeyNameChars)
            return {};
    }
}

} // namespace

std::vector<std::wstring> ReadProviderListing()
{
    RegKey key;
    if (::RegOpenKeyExW(HKEY_CLASSES_ROOT, kProviderListingKey, 0, KEY_READ, key.put()) != ERROR_SUCCESS)
        return {};
    DWORD subkeys = 0;
    DWORD longest = 0;
    if (::RegQueryInfoKeyW(key.get(), nullptr, nullptr, nullptr, &subkeys, &longest, nullptr, nullptr, nullptr,
                           nullptr, nullptr, nullptr) != ERROR_SUCCESS)
        return {};
    std::vector<std::wstring> names;
    for (DWORD index = 0; index < subkeys; ++index)
        names.push_back(SubkeyName(key.get(), index, longest));
    return names;
}
