// The lighting providers' COM contract: in-process servers installed with the drivers, one
// for DRAM and one for SSDs, listed under a registry key of the classes root. The class and
// interface identifiers, the key and the method order are theirs and must not change.
#pragma once

#include <windows.h>

#include <objbase.h>

// One lighting device. Only the method order binds: the program never asks a device object
// for an interface.
struct ILightingDevice : public IUnknown {
    // Sets *descriptor (null going in) to the device's descriptor document, allocated with
    // SysAllocString; the caller frees it.
    virtual HRESULT STDMETHODCALLTYPE GetDescriptor(BSTR* descriptor) = 0;
};

// A provider of one device group.
struct ILightingProvider : public IUnknown {
    // With a null array: stores the number of devices in *count. With an array of *count
    // slots: fills them with that many device objects.
    virtual HRESULT STDMETHODCALLTYPE GetDevices(ILightingDevice** devices, ULONG* count) = 0;
};

// {F2C8D5B4-3854-4325-8A4F-FD7C5072E3B9}
inline constexpr IID kIidLightingProvider = {
    0xF2C8D5B4, 0x3854, 0x4325, {0x8A, 0x4F, 0xFD, 0x7C, 0x50, 0x72, 0xE3, 0xB9}};
// {84D8717B-4E1F-4607-9C1A-14E1BDB7B675}
inline constexpr CLSID kClsidDramProvider = {
    0x84D8717B, 0x4E1F, 0x4607, {0x9C, 0x1A, 0x14, 0xE1, 0xBD, 0xB7, 0xB6, 0x75}};
// {2B8E611F-0B51-4FAC-87BB-AF50D82E7DDA}
inline constexpr CLSID kClsidSsdProvider = {
    0x2B8E611F, 0x0B51, 0x4FAC, {0x87, 0xBB, 0xAF, 0x50, 0xD8, 0x2E, 0x7D, 0xDA}};

// Under HKEY_CLASSES_ROOT: one subkey per installed provider, named by its class identifier
// in braced form.
constexpr const wchar_t* kProviderListingKey = L"CLSID\\{109DC3E4-B9FF-4AF3-9008-AB13705D4E5F}\\Instance\\"
                                               L"{E9BBD754-6CF4-492E-BA89-782177A2771B}\\Instance";
