// WicDecoder: one picture decoded with the Windows Imaging Component, read the way GDI+ reads
// it (the same choice of alpha, the same pixels) for the pixel formats where the two agree.
// GDI+ costs several times as much per picture, and the window decodes every skin face at start.
#pragma once

#include "framework/ComPtr.h"

#include <windows.h>

#include <wincodec.h>

#include <string>
#include <vector>

class WicDecoder {
public:
    WicDecoder() noexcept = default;
    WicDecoder(const WicDecoder&) = delete;
    WicDecoder& operator=(const WicDecoder&) = delete;

    // A file larger than this is no skin face; GDI+ reads it from disk rather than a copy in memory.
    static constexpr LONGLONG kMaxSkinPictureBytes = 32LL * 1024 * 1024;
    // The whole file, when it is not empty and no larger than maxBytes.
    static bool ReadWholeFile(const std::wstring& path, std::vector<BYTE>& bytes,
                              LONGLONG maxBytes = kMaxSkinPictureBytes);

    // Opens the first frame of a file's bytes. False when the calling thread has no COM apartment
    // of its own, WIC cannot read the bytes, or their pixel format is one this decoder leaves to
    // GDI+.
    bool Open(std::vector<BYTE> file);

    UINT width() const noexcept { return m_width; }
    UINT height() const noexcept { return m_height; }
    // Whether GDI+ keeps alpha for this picture: rows then come as straight (not premultiplied)
    // 32-bit BGRA, otherwise as 24-bit BGR.
    bool withAlpha() const noexcept { return m_withAlpha; }

    // Top-down rows, stride bytes apart, into a buffer of bufferBytes.
    bool CopyRows(BYTE* to, UINT stride, UINT bufferBytes);

private:
    bool OpenFirstFrame(IWICImagingFactory& factory, GUID& container, UINT& frames);
    bool KeepsAlpha(IWICImagingFactory& factory, const GUID& format, const GUID& container, UINT frames) const;
    bool OpenRows(IWICImagingFactory& factory, const GUID& format);
    bool HasTransparencyChunk() const;
    bool PaletteHasAlpha(IWICImagingFactory& factory) const;
    bool CopyPackedRows(BYTE* to, UINT stride, UINT bufferBytes);

    std::vector<BYTE> m_file; // the stream reads from it: it outlives every COM object below
    ComPtr<IWICStream> m_stream;
    ComPtr<IWICBitmapDecoder> m_decoder;
    ComPtr<IWICBitmapFrameDecode> m_frame;
    ComPtr<IWICBitmapSource> m_rows; // the frame, or a converter over it
    UINT m_width = 0;
    UINT m_height = 0;
    bool m_withAlpha = false;
    bool m_alphaIgnored = false; // the rows' alpha bytes are made opaque
    bool m_packed = false;       // BGRA from WIC, BGR to the caller
};
