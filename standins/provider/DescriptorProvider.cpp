// Handing out the devices of the stand-in provider.
#include "DescriptorProvider.h"

#include "DescriptorDevice.h"

#include <algorithm>
#include <new>

HRESULT CDescriptorProvider::GetDevices(ILightingDevice** devices, ULONG* count)
{
    if (!count)
        return E_POINTER;
    const ULONG total = static_cast<ULONG>(m_descriptors.size());
    if (!devices) {
        *count = total;
        return S_OK;
    }
    // Never more devices than the caller has slots for.
    const ULONG wanted = std::min(*count, total);
    ULONG filled = 0;
    HRESULT result = S_OK;
    try {
        for (; filled < wanted; ++filled)
            devices[filled] = new CDescriptorDevice(m_descriptors[filled]);
    } catch (const std::bad_alloc&) {
        result = E_OUTOFMEMORY;
    }
    *count = filled;
    return result;
}
