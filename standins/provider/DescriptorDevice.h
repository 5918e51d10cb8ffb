// CDescriptorDevice: one device of the stand-in provider, answering with a fixed descriptor.
#pragma once

#include "ComObject.h"
#include "DescriptorFolder.h"

#include "devices/LightingProvider.h"

class CDescriptorDevice : public CComObject<ILightingDevice, nullptr> {
public:
    explicit CDescriptorDevice(Descriptor descriptor) : m_descriptor(std::move(descriptor)) {}

    HRESULT STDMETHODCALLTYPE GetDescriptor(BSTR* descriptor) override;

private:
    const Descriptor m_descriptor;
};
