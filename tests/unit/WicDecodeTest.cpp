// The WIC decoder against GDI+: every kind of picture a skin may hold, and every PNG of the
// built program's skins, must come out as the same bytes from both, in the same depth.
#include "skin/ImageDecoding.h"

#include "framework/ComPtr.h"

#include "FileText.h"
#include "ImageFiles.h"
#include "TempFolder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <string>
#include <thread>
#include <vector>

namespace {

constexpr int kWidth = 7; // odd: 24-bit rows need padding
constexpr int kHeight = 5;

// A sample of channel c at (x, y) in [0, levels): varied, and reaching both ends.
unsigned Sample(int x, int y, int c, unsigned levels)
{
    static constexpr unsigned kEnds[] = {0, 1, 2, 3};
    if ((x + y + c) % 6 == 5)
        return levels - 1 - kEnds[(x + c) % 4] % levels;
    return (static_cast<unsigned>(x) * 37u + static_cast<unsigned>(y) * 91u + static_cast<unsigned>(c) * 53u +
            static_cast<unsigned>(x * y) * 17u) %
           levels;
}

void PutBigEndian16(std::string& out, unsigned value)
{
    out.push_back(static_cast<char>((value >> 8) & 0xFF));
    out.push_back(static_cast<char>(value & 0xFF));
}

void PutLittleEndian16(std::string& out, unsigned value)
{
    out.push_back(static_cast<char>(value & 0xFF));
    out.push_back(static_cast<char>((value >> 8) & 0xFF));
}

void PutLittleEndian32(std::string& out, std::uint32_t value)
{
    PutLittleEndian16(out, value & 0xFFFF);
    PutLittleEndian16(out, value >> 16);
}

void PutBigEndian32(std::string& out, std::uint32_t value)
{
    PutBigEndian16(out, value >> 16);
    PutBigEndian16(out, value & 0xFFFF);
}

namespace png {

std::uint32_t Crc32(const std::string& bytes)
{
    std::uint32_t crc = 0xFFFFFFFFu;
    for (unsigned char b : bytes) {
        crc ^= b;
        for (int k = 0; k < 8; ++k)
            crc = (crc & 1) ? 0xEDB88320u ^ (crc >> 1) : crc >> 1;
    }
    return crc ^ 0xFFFFFFFFu;
}

void PutChunk(std::string& out, const char* type, const std::string& data)
{
    PutBigEndian32(out, static_cast<std::uint32_t>(data.size()));
    const std::string typed = std::string(type, 4) + data;
    out += typed;
    PutBigEndian32(out, Crc32(typed));
}

// A zlib stream of stored (uncompressed) blocks.
std::string Zlib(const std::string& data)
{
    constexpr size_t kMaxBlock = 65535;
    std::string out = "\x78\x01";
    size_t at = 0;
    do {
        const size_t n = std::min(kMaxBlock, data.size() - at);
        out.push_back(at + n == data.size() ? 1 : 0);
        PutLittleEndian16(out, static_cast<unsigned>(n));
        PutLittleEndian16(out, static_cast<unsigned>(~n & 0xFFFF));
        out.append(data, at, n);
        at += n;
    } while (at < data.size());
    std::uint32_t a = 1, b = 0;
    for (unsigned char c : data) {
        a = (a + c) % 65521;
        b = (b + a) % 65521;
    }
    PutBigEndian32(out, (b << 16) | a);
    return out;
}

enum ColourType : BYTE { kGrey = 0, kRgb = 2, kPalette = 3, kGreyAlpha = 4, kRgba = 6 };

int Channels(ColourType type)
{
    switch (type) {
    case kRgb:
        return 3;
    case kGreyAlpha:
        return 2;
    case kRgba:
        return 4;
    default:
        return 1;
    }
}

constexpr unsigned kPaletteEntries = 12;

// A kWidth x kHeight PNG of varied samples; a palette of kPaletteEntries (fewer for 1 bit)
// and, when transparency is given, that tRNS chunk.
std::string Make(ColourType type, int depth, const std::string& transparency = {})
{
    const unsigned levels = 1u << depth;
    const unsigned paletteSize = std::min(kPaletteEntries, levels);
    std::string header;
    PutBigEndian32(header, kWidth);
    PutBigEndian32(header, kHeight);
    header += static_cast<char>(depth);
    header += static_cast<char>(type);
    header += std::string(3, '\0'); // deflate, adaptive filtering, no interlace

    std::string image;
    for (int y = 0; y < kHeight; ++y) {
        image.push_back(0); // no filter
        unsigned pending = 0;
        int pendingBits = 0;
        for (int x = 0; x < kWidth; ++x)
            for (int c = 0; c < Channels(type); ++c) {
                const unsigned value = Sample(x, y, c, type == kPalette ? paletteSize : levels);
                if (depth == 16) {
                    PutBigEndian16(image, value);
                    continue;
                }
                pending = (pending << depth) | value;
                pendingBits += depth;
                if (pendingBits == 8) {
                    image.push_back(static_cast<char>(pending));
                    pending = 0;
                    pendingBits = 0;
                }
            }
        if (pendingBits > 0)
            image.push_back(static_cast<char>(pending << (8 - pendingBits)));
    }

    std::string file = "\x89PNG\r\n\x1A\n";
    PutChunk(file, "IHDR", header);
    if (type == kPalette) {
        std::string palette;
        for (unsigned i = 0; i < paletteSize; ++i)
            for (int c = 0; c < 3; ++c)
                palette.push_back(static_cast<char>(Sample(static_cast<int>(i), 3, c, 256)));
        PutChunk(file, "PLTE", palette);
    }
    if (!transparency.empty())
        PutChunk(file, "tRNS", transparency);
    PutChunk(file, "IDAT", Zlib(image));
    PutChunk(file, "IEND", {});
    return file;
}

// Alphas for the first entries of a palette of the given size (transparent, faint, half,
// nearly opaque, opaque, a quarter); the entries beyond stay opaque.
std::string PaletteAlphas(size_t entries)
{
    return std::string("\x00\x01\x80\xFE\xFF\x40", std::min<size_t>(entries, 6));
}

// A colour key: the sample value the pixel at (0, 0) has in every channel given.
std::string ColourKey(int channels, int depth)
{
    std::string key;
    for (int c = 0; c < channels; ++c)
        PutBigEndian16(key, Sample(0, 0, c, 1u << depth));
    return key;
}

} // namespace png

namespace gif {

constexpr int kCodeSize = 4; // 16 colours

// LZW data of literal codes only, with a clear code often enough that the code width never
// grows; in sub-blocks.
std::string Lzw(const std::vector<BYTE>& indices)
{
    constexpr unsigned kClear = 1u << kCodeSize;
    constexpr unsigned kEnd = kClear + 1;
    constexpr int kWidthBits = kCodeSize + 1;
    constexpr size_t kLiteralsPerClear = (1u << kCodeSize) - 4;
    std::string packed;
    std::uint32_t pending = 0;
    int bits = 0;
    const auto put = [&](unsigned code) {
        pending |= code << bits;
        bits += kWidthBits;
        while (bits >= 8) {
            packed.push_back(static_cast<char>(pending & 0xFF));
            pending >>= 8;
            bits -= 8;
        }
    };
    for (size_t i = 0; i < indices.size(); ++i) {
        if (i % kLiteralsPerClear == 0)
            put(kClear);
        put(indices[i]);
    }
    put(kEnd);
    if (bits > 0)
        packed.push_back(static_cast<char>(pending & 0xFF));

    std::string out(1, static_cast<char>(kCodeSize));
    for (size_t at = 0; at < packed.size(); at += 255) {
        const size_t n = std::min<size_t>(255, packed.size() - at);
        out.push_back(static_cast<char>(n));
        out.append(packed, at, n);
    }
    out.push_back(0);
    return out;
}

// A kWidth x kHeight GIF of frameCount frames over a 16-colour table; with a transparent index
// when one is given.
std::string Make(int frameCount, int transparentIndex = -1)
{
    std::string file = "GIF89a";
    PutLittleEndian16(file, kWidth);
    PutLittleEndian16(file, kHeight);
    file.push_back(static_cast<char>(0xF0 | (kCodeSize - 1))); // a global table of 16
    file.push_back(0);                                         // background index
    file.push_back(0);                                         // aspect
    for (int i = 0; i < (1 << kCodeSize); ++i)
        for (int c = 0; c < 3; ++c)
            file.push_back(static_cast<char>(Sample(i, 1, c, 256)));
    for (int frame = 0; frame < frameCount; ++frame) {
        file += std::string("\x21\xF9\x04", 3);
        file.push_back(transparentIndex >= 0 ? 1 : 0);
        PutLittleEndian16(file, 10); // delay
        file.push_back(static_cast<char>(transparentIndex >= 0 ? transparentIndex : 0));
        file.push_back(0);
        file.push_back(0x2C);
        PutLittleEndian16(file, 0);
        PutLittleEndian16(file, 0);
        PutLittleEndian16(file, kWidth);
        PutLittleEndian16(file, kHeight);
        file.push_back(0);
        std::vector<BYTE> indices;
        for (int y = 0; y < kHeight; ++y)
            for (int x = 0; x < kWidth; ++x)
                indices.push_back(static_cast<BYTE>(Sample(x + frame, y, 0, 1u << kCodeSize)));
        file += Lzw(indices);
    }
    file.push_back(0x3B);
    return file;
}

} // namespace gif

// A 32-bit BMP whose header declares an alpha mask (BITMAPV5HEADER, bit fields).
std::string BmpWithAlphaMask()
{
    constexpr std::uint32_t kFileHeader = 14;
    constexpr std::uint32_t kInfoHeader = sizeof(BITMAPV5HEADER);
    const std::uint32_t pixels = kWidth * kHeight * 4;
    std::string file = "BM";
    PutLittleEndian32(file, kFileHeader + kInfoHeader + pixels);
    PutLittleEndian32(file, 0);
    PutLittleEndian32(file, kFileHeader + kInfoHeader);
    BITMAPV5HEADER info{};
    info.bV5Size = kInfoHeader;
    info.bV5Width = kWidth;
    info.bV5Height = kHeight;
    info.bV5Planes = 1;
    info.bV5BitCount = 32;
    info.bV5Compression = BI_BITFIELDS;
    info.bV5SizeImage = pixels;
    info.bV5RedMask = 0x00FF0000;
    info.bV5GreenMask = 0x0000FF00;
    info.bV5BlueMask = 0x000000FF;
    info.bV5AlphaMask = 0xFF000000;
    file.append(reinterpret_cast<const char*>(&info), sizeof(info));
    for (int y = 0; y < kHeight; ++y)
        for (int x = 0; x < kWidth; ++x)
            for (int c = 0; c < 4; ++c)
                file.push_back(static_cast<char>(Sample(x, y, c, 256)));
    return file;
}

Bgra VariedPixel(int x, int y)
{
    return {BYTE(Sample(x, y, 0, 256)), BYTE(Sample(x, y, 1, 256)), BYTE(Sample(x, y, 2, 256)),
            BYTE(Sample(x, y, 3, 256))};
}

// What a decoded section holds: its shape and every byte of its rows.
struct DibContent {
    int width = 0;
    int height = 0;
    int depth = 0;
    bool bottomUp = false;
    std::string bytes;
    friend bool operator==(const DibContent&, const DibContent&) = default;
};

std::ostream& operator<<(std::ostream& out, const DibContent& d)
{
    out << d.width << " x " << d.height << ", " << d.depth << " bits" << (d.bottomUp ? ", bottom-up" : "") << ":";
    for (size_t i = 0; i < d.bytes.size() && i < 64; ++i)
        out << ' ' << int(static_cast<unsigned char>(d.bytes[i]));
    return out << (d.bytes.size() > 64 ? " ..." : "");
}

DibContent Content(const Bitmap& bitmap)
{
    DIBSECTION section{};
    if (bitmap.empty() || ::GetObjectW(bitmap.get(), sizeof(section), &section) != sizeof(section) ||
        !section.dsBm.bmBits)
        return {};
    ::GdiFlush();
    const BITMAP& bm = section.dsBm;
    const auto* bits = static_cast<const char*>(bm.bmBits);
    return {bm.bmWidth, bm.bmHeight, bm.bmBitsPixel, section.dsBmih.biHeight > 0,
            std::string(bits, bits + static_cast<size_t>(bm.bmWidthBytes) * bm.bmHeight)};
}

// The decoders compared on one file: WIC, where it takes the file, must give GDI+'s bytes, and
// the loader itself always does.
void ExpectSameAsGdiplus(const std::wstring& path, bool wicTakesIt, const std::wstring& what)
{
    Bitmap byGdiplus;
    SIZE gdiplusSize{};
    ASSERT_TRUE(LoadPremultipliedImageWithGdiplus(path, byGdiplus, &gdiplusSize)) << what;
    const DibContent expected = Content(byGdiplus);
    ASSERT_TRUE(expected.bottomUp) << what;

    Bitmap byWic;
    SIZE wicSize{};
    EXPECT_EQ(LoadPremultipliedImageWithWic(path, byWic, &wicSize), wicTakesIt) << what;
    if (wicTakesIt) {
        EXPECT_EQ(Content(byWic), expected) << what << " by WIC";
        EXPECT_EQ(wicSize.cx, gdiplusSize.cx) << what;
        EXPECT_EQ(wicSize.cy, gdiplusSize.cy) << what;
    } else {
        EXPECT_TRUE(byWic.empty()) << what << ": WIC refused it, and left nothing";
    }

    Bitmap loaded;
    ASSERT_TRUE(LoadPremultipliedImage(path, loaded)) << what;
    EXPECT_EQ(Content(loaded), expected) << what << " by the loader";
}

// The tests decode in an apartment of their own, as the window's thread does.
class WicDecode : public testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(m_com.ok()); }

    ComApartment m_com;
    TempFolder m_folder;
};

struct GeneratedCase {
    const wchar_t* name;
    std::function<bool(const std::wstring& path)> write;
    bool wicTakesIt;
};

std::function<bool(const std::wstring&)> Bytes(std::function<std::string()> make)
{
    return [make](const std::wstring& path) {
        WriteFileBytes(path, make());
        return true;
    };
}

std::function<bool(const std::wstring&)> ByGdiplus(const wchar_t* mimeType, Gdiplus::PixelFormat format)
{
    return [mimeType, format](const std::wstring& path) {
        return WriteImage(path, kWidth, kHeight, VariedPixel, mimeType, format);
    };
}

} // namespace

TEST_F(WicDecode, EveryKindOfPictureGivesTheBytesGdiplusGives)
{
    using png::kGrey, png::kGreyAlpha, png::kPalette, png::kRgb, png::kRgba;
    const GeneratedCase table[] = {
        {L"rgba.png", Bytes([] { return png::Make(kRgba, 8); }), true},
        {L"rgb.png", Bytes([] { return png::Make(kRgb, 8); }), true},
        {L"rgb-colour-key.png", Bytes([] { return png::Make(kRgb, 8, png::ColourKey(3, 8)); }), true},
        {L"grey.png", Bytes([] { return png::Make(kGrey, 8); }), true},
        {L"grey-colour-key.png", Bytes([] { return png::Make(kGrey, 8, png::ColourKey(1, 8)); }), true},
        {L"grey-1-bit.png", Bytes([] { return png::Make(kGrey, 1); }), true},
        {L"grey-2-bit.png", Bytes([] { return png::Make(kGrey, 2); }), false},
        {L"grey-4-bit.png", Bytes([] { return png::Make(kGrey, 4); }), false},
        {L"grey-alpha.png", Bytes([] { return png::Make(kGreyAlpha, 8); }), true},
        {L"palette.png", Bytes([] { return png::Make(kPalette, 8); }), true},
        {L"palette-alpha.png", Bytes([] { return png::Make(kPalette, 8, png::PaletteAlphas(12)); }), true},
        {L"palette-opaque-trns.png", Bytes([] { return png::Make(kPalette, 8, std::string(3, '\xFF')); }), true},
        {L"palette-1-bit.png", Bytes([] { return png::Make(kPalette, 1); }), true},
        {L"palette-2-bit-alpha.png", Bytes([] { return png::Make(kPalette, 2, png::PaletteAlphas(4)); }), false},
        {L"palette-4-bit.png", Bytes([] { return png::Make(kPalette, 4); }), true},
        {L"palette-4-bit-alpha.png", Bytes([] { return png::Make(kPalette, 4, png::PaletteAlphas(12)); }), true},
        {L"rgba-16-bit.png", Bytes([] { return png::Make(kRgba, 16); }), false},
        {L"rgb-16-bit.png", Bytes([] { return png::Make(kRgb, 16); }), false},
        {L"grey-16-bit.png", Bytes([] { return png::Make(kGrey, 16); }), false},
        {L"grey-alpha-16-bit.png", Bytes([] { return png::Make(kGreyAlpha, 16); }), false},
        {L"by-gdiplus.png", ByGdiplus(L"image/png", PixelFormat32bppARGB), true},
        {L"photo.jpg", ByGdiplus(L"image/jpeg", PixelFormat24bppRGB), true},
        {L"plain.bmp", ByGdiplus(L"image/bmp", PixelFormat24bppRGB), true},
        {L"with-alpha.bmp", ByGdiplus(L"image/bmp", PixelFormat32bppARGB), true},
        {L"alpha-mask.bmp", Bytes(BmpWithAlphaMask), true},
        {L"transparent.gif", Bytes([] { return gif::Make(1, 3); }), true},
        {L"animated.gif", Bytes([] { return gif::Make(2); }), true},
    };
    for (const GeneratedCase& c : table) {
        const std::wstring path = m_folder / c.name;
        ASSERT_TRUE(c.write(path)) << c.name;
        ExpectSameAsGdiplus(path, c.wicTakesIt, c.name);
    }
}

TEST_F(WicDecode, EverySkinPngOfTheProgramGivesTheBytesGdiplusGives)
{
    const std::filesystem::path skins = std::filesystem::path(TEST_PROGRAM_DIR) / "skins";
    int count = 0;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(skins)) {
        if (!entry.is_regular_file() || entry.path().extension() != ".png")
            continue;
        ExpectSameAsGdiplus(entry.path().wstring(), true, entry.path().wstring());
        ++count;
    }
    EXPECT_GT(count, 0) << "no skin pictures under " << skins.string() << ": build the program folder first";
}

TEST_F(WicDecode, BrokenFilesFailInBothDecoders)
{
    ASSERT_TRUE(WriteSolidImage(m_folder / L"good.png", 16, 16, {1, 2, 3, 200}));
    const std::string good = ReadFileBytes(m_folder / L"good.png");
    ASSERT_TRUE(WriteSolidImage(m_folder / L"good.jpg", 16, 16, {1, 2, 3, 255}, L"image/jpeg"));
    const std::string jpeg = ReadFileBytes(m_folder / L"good.jpg");
    const struct {
        const wchar_t* name;
        std::string bytes;
    } table[] = {
        {L"empty.png", ""},
        {L"truncated.png", good.substr(0, good.size() / 2)},
        {L"header-only.png", good.substr(0, 8)},
        {L"text.png", "this is not an image"},
        {L"truncated.jpg", jpeg.substr(0, jpeg.size() / 2)},
        {L"truncated.gif", gif::Make(1).substr(0, 40)},
    };
    for (const auto& c : table) {
        WriteFileBytes(m_folder / c.name, c.bytes);
        Bitmap byWic;
        Bitmap byGdiplus;
        const bool wic = LoadPremultipliedImageWithWic(m_folder / c.name, byWic);
        const bool gdiplus = LoadPremultipliedImageWithGdiplus(m_folder / c.name, byGdiplus);
        EXPECT_FALSE(gdiplus) << c.name;
        EXPECT_FALSE(wic) << c.name;
        EXPECT_TRUE(byWic.empty()) << c.name;
    }
    Bitmap missing;
    EXPECT_FALSE(LoadPremultipliedImageWithWic(m_folder / L"missing.png", missing));
}

// WIC needs the thread's own apartment: without one the loader decodes with GDI+, and an
// apartment that ended takes the thread's factory with it, so a later one makes its own.
TEST(WicDecodeApartments, WicServesOnlyWhileTheThreadHasAnApartment)
{
    TempFolder folder;
    const std::wstring path = folder / L"face.png";
    ASSERT_TRUE(WriteImage(path, kWidth, kHeight, VariedPixel));
    struct Result {
        bool wic = false;
        bool loaded = false;
    };
    const auto decode = [&path] {
        Bitmap byWic;
        Bitmap loaded;
        return Result{LoadPremultipliedImageWithWic(path, byWic), LoadPremultipliedImage(path, loaded)};
    };
    Result before, first, between, second;
    std::thread thread([&] {
        before = decode();
        {
            ComApartment com;
            first = decode();
        }
        between = decode();
        {
            ComApartment com;
            second = decode();
        }
    });
    thread.join();
    EXPECT_FALSE(before.wic);
    EXPECT_TRUE(before.loaded);
    EXPECT_TRUE(first.wic);
    EXPECT_FALSE(between.wic);
    EXPECT_TRUE(between.loaded);
    EXPECT_TRUE(second.wic);
}
