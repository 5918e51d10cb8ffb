// Reading the provider listing key and the provider classes' registration.
#include "devices/ProviderListing.h"

#include "devices/LightingProvider.h"
#include "framework/Handles.h"

#include <objbase.h>

#include <algorithm>

namespace {

// Registry key names are at most 255 characters; the terminating NUL makes 256.
constexpr DWORD kMaxKeyNameChars = 256;
constexpr int kGuidTextChars = 39; // braced form and its NUL
constexpr const wchar_t* kThreadingModelValue = L"ThreadingModel";

REGSAM ViewFlag(RegistryView view)
{
    return view == RegistryView::ThirtyTwoBit ? KEY_WOW64_32KEY : 0;
}

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

// HKEY_CLASSES_ROOT\CLSID\{class}\InprocServer32 in that view.
RegKey OpenServerKey(const CLSID& providerClass, RegistryView view)
{
    const std::wstring path = L"CLSID\\" + ClassText(providerClass) + L"\\InprocServer32";
    RegKey key;
    if (::RegOpenKeyExW(HKEY_CLASSES_ROOT, path.c_str(), 0, KEY_QUERY_VALUE | ViewFlag(view), key.put()) !=
        ERROR_SUCCESS)
        key.reset();
    return key;
}

// A text value of the key (the default value for a null name); empty when missing or not text.
std::wstring TextValue(HKEY key, const wchar_t* name)
{
    DWORD bytes = 0;
    DWORD type = 0;
    if (::RegQueryValueExW(key, name, nullptr, &type, nullptr, &bytes) != ERROR_SUCCESS ||
        (type != REG_SZ && type != REG_EXPAND_SZ))
        return {};
    std::wstring text(bytes / sizeof(wchar_t) + 1, L'\0');
    bytes = static_cast<DWORD>(text.size() * sizeof(wchar_t));
    if (::RegQueryValueExW(key, name, nullptr, nullptr, reinterpret_cast<BYTE*>(text.data()), &bytes) != ERROR_SUCCESS)
        return {};
    text.resize(std::min(text.size(), bytes / sizeof(wchar_t)));
    while (!text.empty() && text.back() == L'\0')
        text.pop_back();
    return text;
}

bool Lists(const std::vector<std::wstring>& listing, const CLSID& providerClass)
{
    return std::any_of(listing.begin(), listing.end(), [&](const std::wstring& name) {
        CLSID listed{};
        return SUCCEEDED(::CLSIDFromString(name.c_str(), &listed)) && ::IsEqualCLSID(listed, providerClass);
    });
}

} // namespace

std::vector<std::wstring> ReadProviderListing(RegistryView view)
{
    RegKey key;
    if (::RegOpenKeyExW(HKEY_CLASSES_ROOT, kProviderListingKey, 0, KEY_READ | ViewFlag(view), key.put()) !=
        ERROR_SUCCESS)
        return {};
    DWORD subkeys = 0;
    DWORD longest = 0;
    if (::RegQueryInfoKeyW(key.get(), nullptr, nullptr, nullptr, &subkeys, &longest, nullptr, nullptr, nullptr, nullptr,
                           nullptr, nullptr) != ERROR_SUCCESS)
        return {};
    std::vector<std::wstring> names;
    for (DWORD index = 0; index < subkeys; ++index)
        names.push_back(SubkeyName(key.get(), index, longest));
    return names;
}

std::wstring ProviderThreadingModel(const CLSID& providerClass)
{
    const RegKey server = OpenServerKey(providerClass, RegistryView::Own);
    return server ? TextValue(server.get(), kThreadingModelValue) : std::wstring();
}

std::optional<std::wstring> ThirtyTwoBitOnlyServer(const CLSID& providerClass)
{
    if (OpenServerKey(providerClass, RegistryView::Own))
        return std::nullopt;
    const RegKey server = OpenServerKey(providerClass, RegistryView::ThirtyTwoBit);
    if (!server && !Lists(ReadProviderListing(RegistryView::ThirtyTwoBit), providerClass))
        return std::nullopt;
    return server ? TextValue(server.get(), nullptr) : std::wstring();
}

std::wstring ClassText(const CLSID& providerClass)
{
    wchar_t text[kGuidTextChars] = {};
    ::StringFromGUID2(providerClass, text, kGuidTextChars);
    return text;
}
