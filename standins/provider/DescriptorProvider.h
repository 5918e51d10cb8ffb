// CDescriptorProvider: the stand-in provider of one device group, one device per descriptor
// file of its folder, read when the provider is created.
#pragma once

#include "ComObject.h"
#include "DescriptorFolder.h"

#include "devices/LightingProvider.h"

#include <vector>

class CDescriptorProvider : public CComObject<ILightingProvider, &kIidLightingProvider> {
public:
    explicit CDescriptorProvider(std::vector<Descriptor> descriptors) : m_descriptors(std::move(descriptors)) {}

    HRESULT STDMETHODCALLTYPE GetDevices(ILightingDevice** devices, ULONG* count) override;

private:
    const std::vector<Descriptor> m_descriptors;
};
