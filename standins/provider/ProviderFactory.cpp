// Creating stand-in providers.
#include "ProviderFactory.h"

#include "DescriptorProvider.h"

#include <new>

HRESULT CProviderFactory::CreateInstance(IUnknown* outer, REFIID riid, void** object)
{
    if (!object)
        return E_POINTER;
    *object = nullptr;
    if (outer)
        return CLASS_E_NOAGGREGATION;
    // No exception may leave a COM method: a folder that cannot be read is a failed creation.
    CDescriptorProvider* provider = nullptr;
    try {
        provider = new CDescriptorProvider(ReadDescriptorFolder(m_folder));
    } catch (const std::bad_alloc&) {
        return E_OUTOFMEMORY;
    } catch (...) {
        return E_FAIL;
    }
    const HRESULT result = provider->QueryInterface(riid, object);
    provider->Release();
    return result;
}

HRESULT CProviderFactory::LockServer(BOOL lock)
{
    if (lock)
        LockProviderModule();
    else
        UnlockProviderModule();
    return S_OK;
}
