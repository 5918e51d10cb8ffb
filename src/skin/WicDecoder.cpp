// WIC decoding of skin pictures, with GDI+'s reading of each pixel format.
#include "skin/WicDecoder.h"

#include "framework/Handles.h"

#include <cstdint>
#include <cstring>

namespace {

constexpr UINT kBgraBytes = 4;
constexpr UINT kBgrBytes = 3;
constexpr BYTE kPngSignature[] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
constexpr size_t kPngChunkHeaderBytes = 8; // length, then type
constexpr size_t kPngChunkCrcBytes = 4;

// How GDI+ reads a pixel format as it decodes one: alpha kept, colours only, or as its palette says.
enum class Reading { kOpaque, kAlpha, kPalette };

struct KnownFormat {
    const GUID* format;
    Reading reading;
};

// The formats whose pixels WIC's converters give exactly as GDI+ gives them; every other one
// (16 bits a sample, CMYK, 16-bit BGR, 2-bit grey and palettes) is left to GDI+. A 32-bit format
// counts as alpha even without an alpha channel, as in GDI+.
constexpr KnownFormat kKnownFormats[] = {
    {&GUID_WICPixelFormat32bppBGRA, Reading::kAlpha},     {&GUID_WICPixelFormat32bppBGR, Reading::kAlpha},
    {&GUID_WICPixelFormat24bppBGR, Reading::kOpaque},     {&GUID_WICPixelFormat8bppGray, Reading::kOpaque},
    {&GUID_WICPixelFormatBlackWhite, Reading::kOpaque},   {&GUID_WICPixelFormat1bppIndexed, Reading::kPalette},
    {&GUID_WICPixelFormat4bppIndexed, Reading::kPalette}, {&GUID_WICPixelFormat8bppIndexed, Reading::kPalette},
};

const KnownFormat* FindKnownFormat(const GUID& format)
{
    for (const KnownFormat& known : kKnownFormats)
        if (::IsEqualGUID(*known.format, format))
            return &known;
    return nullptr;
}

// The containers GDI+ decodes through the same codecs; others (TIFF, icons) it treats its own way.
bool IsKnownContainer(const GUID& container)
{
    return ::IsEqualGUID(container, GUID_ContainerFormatPng) || ::IsEqualGUID(container, GUID_ContainerFormatJpeg) ||
           ::IsEqualGUID(container, GUID_ContainerFormatBmp) || ::IsEqualGUID(container, GUID_ContainerFormatGif);
}

std::uint32_t BigEndian32(const BYTE* bytes)
{
    return (std::uint32_t{bytes[0]} << 24) | (std::uint32_t{bytes[1]} << 16) | (std::uint32_t{bytes[2]} << 8) |
           bytes[3];
}

// WIC serves a thread that has COM of its own (the application's user-interface thread holds
// an apartment for the program's run); COM is never initialised here, where it could fix the
// thread's model before its owner's call. An implicit MTA belongs to other threads and can end
// under this one. Without COM, GDI+ decodes.
bool HasOwnApartment()
{
    APTTYPE type{};
    APTTYPEQUALIFIER qualifier{};
    return SUCCEEDED(::CoGetApartmentType(&type, &qualifier)) && qualifier != APTTYPEQUALIFIER_IMPLICIT_MTA;
}

// The apartment's shared factory where the thread entered it through a ComApartment; otherwise
// one made for this picture and let go with it.
ComPtr<IWICImagingFactory> ImagingFactory()
{
    ComPtr<IWICImagingFactory> factory;
    if (!HasOwnApartment())
        return factory;
    if (ComApartment* apartment = ComApartment::OfThisThread())
        apartment->SharedInstance(CLSID_WICImagingFactory, __uuidof(IWICImagingFactory), factory.put_void());
    else
        ::CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER, __uuidof(IWICImagingFactory),
                           factory.put_void());
    return factory;
}

} // namespace

bool WicDecoder::Open(std::vector<BYTE> file)
{
    const ComPtr<IWICImagingFactory> factory = ImagingFactory();
    m_file = std::move(file);
    GUID container{};
    GUID format{};
    UINT frames = 0;
    if (!factory || m_file.empty() || !OpenFirstFrame(*factory.get(), container, frames) ||
        FAILED(m_frame->GetPixelFormat(&format)))
        return false;
    if (!FindKnownFormat(format))
        return false;
    m_withAlpha = KeepsAlpha(*factory.get(), format, container, frames);
    m_alphaIgnored = ::IsEqualGUID(container, GUID_ContainerFormatBmp); // as GDI+ reads a BMP
    return OpenRows(*factory.get(), format);
}

bool WicDecoder::OpenFirstFrame(IWICImagingFactory& factory, GUID& container, UINT& frames)
{
    return SUCCEEDED(factory.CreateStream(m_stream.put())) &&
           SUCCEEDED(m_stream->InitializeFromMemory(m_file.data(), static_cast<DWORD>(m_file.size()))) &&
           SUCCEEDED(factory.CreateDecoderFromStream(m_stream.get(), nullptr, WICDecodeMetadataCacheOnDemand,
                                                     m_decoder.put())) &&
           SUCCEEDED(m_decoder->GetContainerFormat(&container)) && IsKnownContainer(container) &&
           SUCCEEDED(m_decoder->GetFrameCount(&frames)) && frames > 0 &&
           SUCCEEDED(m_decoder->GetFrame(0, m_frame.put())) && SUCCEEDED(m_frame->GetSize(&m_width, &m_height)) &&
           m_width > 0 && m_height > 0;
}

bool WicDecoder::KeepsAlpha(IWICImagingFactory& factory, const GUID& format, const GUID& container, UINT frames) const
{
    const Reading reading = FindKnownFormat(format)->reading;
    // GDI+ widens grey PNGs, and palette or RGB ones with a transparency chunk (even one that
    // makes nothing transparent), to 32-bit ARGB; it reads an animated GIF that way too.
    if (::IsEqualGUID(container, GUID_ContainerFormatPng) &&
        (::IsEqualGUID(format, GUID_WICPixelFormat8bppGray) ||
         ((reading == Reading::kPalette || ::IsEqualGUID(format, GUID_WICPixelFormat24bppBGR)) &&
          HasTransparencyChunk())))
        return true;
    if (::IsEqualGUID(container, GUID_ContainerFormatGif) && frames > 1)
        return true;
    switch (reading) {
    case Reading::kAlpha:
        return true;
    case Reading::kPalette:
        return PaletteHasAlpha(factory);
    case Reading::kOpaque:
        break;
    }
    return false;
}

// WIC converts every format of the table to BGRA but not all of them to BGR: an opaque picture
// that is not BGR already comes as BGRA and is packed.
bool WicDecoder::OpenRows(IWICImagingFactory& factory, const GUID& format)
{
    if (::IsEqualGUID(format, m_withAlpha ? GUID_WICPixelFormat32bppBGRA : GUID_WICPixelFormat24bppBGR))
        return SUCCEEDED(m_frame->QueryInterface(__uuidof(IWICBitmapSource), m_rows.put_void()));
    m_packed = !m_withAlpha;
    ComPtr<IWICFormatConverter> converter;
    return SUCCEEDED(factory.CreateFormatConverter(converter.put())) &&
           SUCCEEDED(converter->Initialize(m_frame.get(), GUID_WICPixelFormat32bppBGRA, WICBitmapDitherTypeNone,
                                           nullptr, 0.0, WICBitmapPaletteTypeCustom)) &&
           SUCCEEDED(converter->QueryInterface(__uuidof(IWICBitmapSource), m_rows.put_void()));
}

bool WicDecoder::CopyRows(BYTE* to, UINT stride, UINT bufferBytes)
{
    if (!m_rows)
        return false;
    if (m_packed)
        return CopyPackedRows(to, stride, bufferBytes);
    if (FAILED(m_rows->CopyPixels(nullptr, stride, bufferBytes, to)))
        return false;
    if (m_withAlpha && m_alphaIgnored)
        for (UINT y = 0; y < m_height; ++y)
            for (UINT x = 0; x < m_width; ++x)
                to[static_cast<size_t>(y) * stride + x * kBgraBytes + 3] = 0xFF;
    return true;
}

// BGRA rows of the converter packed into BGR rows.
bool WicDecoder::CopyPackedRows(BYTE* to, UINT stride, UINT bufferBytes)
{
    const UINT bgraStride = m_width * kBgraBytes;
    if (static_cast<std::uint64_t>(stride) * m_height > bufferBytes || stride < m_width * kBgrBytes)
        return false;
    std::vector<BYTE> bgra(static_cast<size_t>(bgraStride) * m_height);
    if (FAILED(m_rows->CopyPixels(nullptr, bgraStride, static_cast<UINT>(bgra.size()), bgra.data())))
        return false;
    for (UINT y = 0; y < m_height; ++y) {
        const BYTE* from = bgra.data() + static_cast<size_t>(y) * bgraStride;
        BYTE* row = to + static_cast<size_t>(y) * stride;
        for (UINT x = 0; x < m_width; ++x, from += kBgraBytes, row += kBgrBytes)
            std::memcpy(row, from, kBgrBytes);
    }
    return true;
}

bool WicDecoder::ReadWholeFile(const std::wstring& path, std::vector<BYTE>& bytes, LONGLONG maxBytes)
{
    FileHandle file(::CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                  FILE_ATTRIBUTE_NORMAL, nullptr));
    LARGE_INTEGER size{};
    if (!file || !::GetFileSizeEx(file.get(), &size) || size.QuadPart <= 0 || size.QuadPart > maxBytes)
        return false;
    bytes.resize(static_cast<size_t>(size.QuadPart));
    DWORD read = 0;
    return ::ReadFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &read, nullptr) &&
           read == bytes.size();
}

// Whether a tRNS chunk comes before the image data, as GDI+ looks for one.
bool WicDecoder::HasTransparencyChunk() const
{
    size_t at = sizeof(kPngSignature);
    if (m_file.size() < at || std::memcmp(m_file.data(), kPngSignature, at) != 0)
        return false;
    while (m_file.size() - at >= kPngChunkHeaderBytes) {
        const BYTE* chunk = m_file.data() + at;
        const char* type = reinterpret_cast<const char*>(chunk + 4);
        if (std::memcmp(type, "tRNS", 4) == 0)
            return true;
        if (std::memcmp(type, "IDAT", 4) == 0 || std::memcmp(type, "IEND", 4) == 0)
            return false;
        const std::uint64_t length = BigEndian32(chunk);
        const std::uint64_t next = at + kPngChunkHeaderBytes + length + kPngChunkCrcBytes;
        if (next > m_file.size())
            return false;
        at = static_cast<size_t>(next);
    }
    return false;
}

bool WicDecoder::PaletteHasAlpha(IWICImagingFactory& factory) const
{
    ComPtr<IWICPalette> palette;
    BOOL alpha = FALSE;
    return SUCCEEDED(factory.CreatePalette(palette.put())) && SUCCEEDED(m_frame->CopyPalette(palette.get())) &&
           SUCCEEDED(palette->HasAlpha(&alpha)) && alpha;
}
