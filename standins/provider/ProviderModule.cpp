// Entry points of the stand-in provider DLL: class objects, unloading and registration.
#include "ProviderModule.h"

#include "ProviderFactory.h"
#include "ProviderRegistration.h"

#include "devices/LightingProvider.h"

#include <atomic>
#include <new>
#include <string>

namespace {

HMODULE g_module = nullptr;
std::atomic<long> g_locks{0};

std::wstring ModulePath()
{
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        const DWORD length = ::GetModuleFileNameW(g_module, path.data(), static_cast<DWORD>(path.size()));
        if (length < path.size()) {
            path.resize(length);
            return path;
        }
        path.resize(path.size() * 2);
    }
}

// Tests point the provider at a devices folder of their own, read at each discovery.
constexpr const wchar_t* kDevicesFolderVariable = L"VELDRIAN_STANDIN_DEVICES";

std::wstring DevicesFolder()
{
    const DWORD length = ::GetEnvironmentVariableW(kDevicesFolderVariable, nullptr, 0);
    if (length > 1) {
        std::wstring folder(length, L'\0');
        folder.resize(::GetEnvironmentVariableW(kDevicesFolderVariable, folder.data(), length));
        if (!folder.empty() && folder.back() != L'\\')
            folder += L'\\';
        return folder;
    }
    std::wstring folder = ModulePath();
    folder.resize(folder.rfind(L'\\') + 1);
    return folder + L"devices\\";
}

// dram\ or ssd\ of the devices folder, which lies beside the DLL unless a test names another.
std::wstring DescriptorFolderOf(const CLSID& clsid)
{
    return DevicesFolder() + (::IsEqualCLSID(clsid, kClsidDramProvider) ? L"dram\\" : L"ssd\\");
}

} // namespace

void LockProviderModule() noexcept
{
    ++g_locks;
}

void UnlockProviderModule() noexcept
{
    --g_locks;
}

extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID)
{
    if (reason == DLL_PROCESS_ATTACH) {
        g_module = instance;
        ::DisableThreadLibraryCalls(instance);
    }
    return TRUE;
}

STDAPI DllGetClassObject(REFCLSID clsid, REFIID riid, LPVOID* object)
{
    if (!object)
        return E_POINTER;
    *object = nullptr;
    if (!::IsEqualCLSID(clsid, kClsidDramProvider) && !::IsEqualCLSID(clsid, kClsidSsdProvider))
        return CLASS_E_CLASSNOTAVAILABLE;
    CProviderFactory* factory = nullptr;
    try {
        factory = new CProviderFactory(DescriptorFolderOf(clsid));
    } catch (const std::bad_alloc&) {
        return E_OUTOFMEMORY;
    }
    const HRESULT result = factory->QueryInterface(riid, object);
    factory->Release();
    return result;
}

STDAPI DllCanUnloadNow()
{
    return g_locks == 0 ? S_OK : S_FALSE;
}

STDAPI DllRegisterServer()
{
    try {
        return RegisterProviders(ModulePath().c_str());
    } catch (const std::bad_alloc&) {
        return E_OUTOFMEMORY;
    }
}

STDAPI DllUnregisterServer()
{
    try {
        return UnregisterProviders();
    } catch (const std::bad_alloc&) {
        return E_OUTOFMEMORY;
    }
}
