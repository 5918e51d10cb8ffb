// Writing and removing the provider classes and their listing entries.
#include "ProviderRegistration.h"

#include "framework/Handles.h"
#include "devices/LightingProvider.h"

#include <objbase.h>

#include <iterator>
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
// Options read at registration, for tests that need another kind of driver package: the
// threading model to register ("Apartment" unless set; "Free" makes a provider of the
// multithreaded apartment), and "32" to register in the 32-bit view only, as a 32-bit driver
// package does on 64-bit Windows.
constexpr const wchar_t* kThreadingModelVariable = L"VELDRIAN_STANDIN_THREADING_MODEL";
constexpr const wchar_t* kRegistryViewVariable = L"VELDRIAN_STANDIN_REGISTRY_VIEW";
constexpr const wchar_t* kDefaultThreadingModel = L"Apartment";
constexpr const wchar_t* kThirtyTwoBitView = L"32";
// This 64-bit module's own view is asked for with no view flag: a flag bypasses a redirection of
// HKEY_CLASSES_ROOT (RegOverridePredefKey), which the registration tests rely on.
constexpr REGSAM kOwnView = 0;
constexpr REGSAM kBothViews[] = {kOwnView, KEY_WOW64_32KEY};

std::wstring BracedText(const CLSID& clsid)
{
    wchar_t text[kGuidTextChars] = {};
    ::StringFromGUID2(clsid, text, kGuidTextChars);
    return text;
}

std::wstring Option(const wchar_t* variable, const wchar_t* fallback)
{
    wchar_t value[64] = {};
    const DWORD length = ::GetEnvironmentVariableW(variable, value, static_cast<DWORD>(std::size(value)));
    return length > 0 && length < std::size(value) ? value : fallback;
}

REGSAM RegistrationView()
{
    return Option(kRegistryViewVariable, L"") == kThirtyTwoBitView ? KEY_WOW64_32KEY : kOwnView;
}

LSTATUS SetText(HKEY key, const wchar_t* valueName, const std::wstring& text)
{
    return ::RegSetValueExW(key, valueName, 0, REG_SZ, reinterpret_cast<const BYTE*>(text.c_str()),
                            static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t)));
}

// Creates the key below HKEY_CLASSES_ROOT in that view (and any missing level) with this default text.
LSTATUS WriteKey(const std::wstring& path, REGSAM view, const std::wstring& defaultText, RegKey& key)
{
    const LSTATUS status = ::RegCreateKeyExW(HKEY_CLASSES_ROOT, path.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE,
                                             KEY_WRITE | view, nullptr, key.put(), nullptr);
    return status == ERROR_SUCCESS ? SetText(key.get(), nullptr, defaultText) : status;
}

LSTATUS RegisterProviderClass(const ProviderClass& provider, const wchar_t* dllPath, REGSAM view)
{
    const std::wstring classKey = L"CLSID\\" + BracedText(provider.clsid);
    RegKey key;
    LSTATUS status = WriteKey(classKey, view, provider.description, key);
    if (status == ERROR_SUCCESS)
        status = WriteKey(classKey + L"\\InprocServer32", view, dllPath, key);
    if (status == ERROR_SUCCESS)
        status = SetText(key.get(), L"ThreadingModel", Option(kThreadingModelVariable, kDefaultThreadingModel));
    if (status == ERROR_SUCCESS)
        status = WriteKey(std::wstring(kProviderListingKey) + L"\\" + BracedText(provider.clsid), view,
                          provider.description, key);
    return status;
}

void DeleteTree(const std::wstring& path, REGSAM view)
{
    {
        RegKey key;
        if (::RegOpenKeyExW(HKEY_CLASSES_ROOT, path.c_str(), 0, KEY_READ | KEY_WRITE | DELETE | view, key.put()) ==
            ERROR_SUCCESS)
            ::RegDeleteTreeW(key.get(), nullptr);
    }
    ::RegDeleteKeyExW(HKEY_CLASSES_ROOT, path.c_str(), view, 0);
}

} // namespace

HRESULT RegisterProviders(const wchar_t* dllPath)
{
    UnregisterProviders(); // a registration in the other view goes
    const REGSAM view = RegistrationView();
    for (const ProviderClass& provider : kProviderClasses)
        if (const LSTATUS status = RegisterProviderClass(provider, dllPath, view); status != ERROR_SUCCESS) {
            UnregisterProviders();
            return HRESULT_FROM_WIN32(status);
        }
    return S_OK;
}

HRESULT UnregisterProviders()
{
    for (const REGSAM view : kBothViews)
        for (const ProviderClass& provider : kProviderClasses) {
            DeleteTree(L"CLSID\\" + BracedText(provider.clsid), view);
            DeleteTree(std::wstring(kProviderListingKey) + L"\\" + BracedText(provider.clsid), view);
        }
    return S_OK;
}
