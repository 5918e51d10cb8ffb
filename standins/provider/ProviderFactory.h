// CProviderFactory: the class object of one provider class, making providers over one folder.
#pragma once

#include "ComObject.h"

#include <string>

class CProviderFactory : public CComObject<IClassFactory, &IID_IClassFactory> {
public:
    explicit CProviderFactory(std::wstring folder) : m_folder(std::move(folder)) {}

    HRESULT STDMETHODCALLTYPE CreateInstance(IUnknown* outer, REFIID riid, void** object) override;
    HRESULT STDMETHODCALLTYPE LockServer(BOOL lock) override;

private:
    const std::wstring m_folder;
};
