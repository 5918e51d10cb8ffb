// IUnknown for the stand-in provider's objects: one interface each, reference counted, and
// every live object keeps the DLL loaded.
#pragma once

#include "ProviderModule.h"

#include <windows.h>

#include <unknwn.h>

#include <atomic>

// Iid is the interface's identifier, or null for an interface that is only ever handed out
// and never asked for.
template <class Interface, const IID* Iid>
class CComObject : public Interface {
public:
    CComObject(const CComObject&) = delete;
    CComObject& operator=(const CComObject&) = delete;

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** object) override
    {
        if (!object)
            return E_POINTER;
        if (::IsEqualIID(riid, IID_IUnknown) || (Iid && ::IsEqualIID(riid, *Iid))) {
            *object = static_cast<Interface*>(this);
            AddRef();
            return S_OK;
        }
        *object = nullptr;
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return ++m_references; }
    ULONG STDMETHODCALLTYPE Release() override
    {
        const ULONG left = --m_references;
        if (left == 0)
            delete this;
        return left;
    }

protected:
    // A new object holds one reference, its creator's.
    CComObject() noexcept { LockProviderModule(); }
    virtual ~CComObject() { UnlockProviderModule(); }

private:
    std::atomic<ULONG> m_references{1};
};
