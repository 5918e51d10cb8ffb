// Writing and removing the provider classes and their listing entries.
#include "ProviderRegistration.h"

#include "framework/Handles.h"
#include "devices/LightingProvider.h"

#include <objbase.h>

#include <string>

namespace {

struct ProviderClass {
    const CLSID& clsid;
    const wchar_t* description;
};
constexpr ProviderClass kProviderClasses[] = {
    {kClsidDramProvider, L"VELDRIAN DRAM lighting provider (stand-in)"},
    {kClsidSsdProvider, L"VELDRIAN SSD lighting provider (stand-in)"},
};
constexpr int kGuidTextChars = 39; // braced form and its NUL

std::wstring BracedText(const CLSID& clsid)
{
    wchar_t text[kGuidTextChars] = {};
    ::StringFromGUID2(clsid, text, kGuidTextChars);
    return text;
}

LSTATUS SetText(HKEY key, const wchar_t* valueName, const std::wstring& text)
{
    return ::RegSetValueExW(key, valueName, 0, REG_SZ, reinterpret_cast<const BYTE*>(text.c_str()),
                            static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t)));
}

// Creates the key below HKEY_CLASSES_ROOT (and any missing level) with this default text.
LSTATUS WriteKey(const std::wstring& path, const std::wstring& defaultText, RegKey& key)
{
    const LSTATUS status = ::RegCreateKeyExW(HKEY_CLASSES_ROOT, path.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE,
                                             KEY_WRITE, nullptr, key.put(), nullptr);
    return status == ERROR_SUCCESS ? SetText(key.get(), nullptr, defaultText) : status;
}

LSTATUS RegisterProviderClass(const ProviderClass& provider, const wchar_t* dllPath)
{
    const std::wstring classKey = L"CLSID\\" + BracedText(provider.clsid);
    RegKey key;
    LSTATUS status = WriteKey(classKey, provider.description, key);
    if (status == ERROR_SUCCESS)
        status = WriteKey(classKey + L"\\InprocServer32", dllPath, key);
    if (status == ERROR_SUCCESS)
        status = SetText(key.get(), L"ThreadingModel", L"Apartment");
    if (status == ERROR_SUCCESS)
        status = WriteKey(std::wstring(kProviderListingKey) + L"\\" + BracedText(provider.clsid), provider.description,
                          key);
    return status;
}

void DeleteTree(const std::wstring& path)
{
    ::RegDeleteTreeW(HKEY_CLASSES_ROOT, path.c_str());
    ::RegDeleteKeyW(HKEY_CLASSES_ROOT, path.c_str());
}

} // namespace

HRESULT RegisterProviders(const wchar_t* dllPath)
{
    for (const ProviderClass& provider : kProviderClasses)
        if (const LSTATUS status = RegisterProviderClass(provider, dllPath); status != ERROR_SUCCESS) {
            UnregisterProviders();
            return HRESULT_FROM_WIN32(status);
        }
    return S_OK;
}

HRESULT UnregisterProviders()
{
    for (const ProviderClass& provider : kProviderClasses) {
        DeleteTree(L"CLSID\\" + BracedText(provider.clsid));
        DeleteTree(std::wstring(kProviderListingKey) + L"\\" + BracedText(provider.clsid));
    }
    return S_OK;
}
