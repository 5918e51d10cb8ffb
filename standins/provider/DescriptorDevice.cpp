// A device's descriptor, handed over as a COM string the caller frees.
#include "DescriptorDevice.h"

#include <oleauto.h>

HRESULT CDescriptorDevice::GetDescriptor(BSTR* descriptor)
{
    if (!descriptor)
        return E_POINTER;
    *descriptor = nullptr;
    if (!m_descriptor)
        return S_OK;
    *descriptor = ::SysAllocStringLen(m_descriptor->data(), static_cast<UINT>(m_descriptor->size()));
    return *descriptor ? S_OK : E_OUTOFMEMORY;
}
