// Image routines on real files and bitmaps: premultiplied loading, pictures, image sets with
// their fallbacks, crops, mask regions and blending.
#include "skin/DibOperations.h"
#include "skin/ImageDecoding.h"
#include "skin/SkinImageSet.h"

#include "base/Paths.h"
#include "framework/ComPtr.h"
#include "skin/ImageHeader.h"

#include "DebugTrace.h"
#include "FileText.h"
#include "ImageFiles.h"
#include "TempFolder.h"
#include "hostile/LargePng.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <tuple>
#include <vector>

namespace {

const Bgra kWhite{255, 255, 255, 255};
const Bgra kBlack{0, 0, 0, 255};

// Points the program folder at a temporary folder for one test.
class ProgramFolderScope {
public:
    explicit ProgramFolderScope(const std::wstring& folder) : m_previous(ProgramFolder())
    {
        SetProgramFolderForTesting(folder);
        InitProgramFolder();
    }
    ~ProgramFolderScope()
    {
        SetProgramFolderForTesting(m_previous);
        InitProgramFolder();
    }

private:
    std::wstring m_previous;
};

std::vector<RECT> RegionRects(HRGN region)
{
    const DWORD bytes = ::GetRegionData(region, 0, nullptr);
    std::vector<BYTE> data(bytes);
    ::GetRegionData(region, bytes, reinterpret_cast<RGNDATA*>(data.data()));
    const auto* header = reinterpret_cast<const RGNDATAHEADER*>(data.data());
    const auto* rects = reinterpret_cast<const RECT*>(data.data() + header->dwSize);
    return {rects, rects + header->nCount};
}

bool SameRegion(HRGN region, const RECT& r)
{
    GdiRegion expected(::CreateRectRgnIndirect(&r));
    return ::EqualRgn(region, expected.get());
}

// A one-pixel PNG whose header claims 16000 x 16000: refused, it costs no decode at all.
std::string PngClaimingEnormousSize()
{
    std::string png = hostile::TransparentPng(1, 1);
    std::string side;
    hostile::png::PutBigEndian(side, 16000);
    return png.replace(16, 4, side).replace(20, 4, side);
}

// A JPEG with a segment of its own before the encoder's: the frame header lies far beyond the
// first read of the header.
std::string WithLongSegmentFirst(const std::string& jpeg)
{
    constexpr size_t kBody = 60000;
    std::string segment = "\xFF\xEF";
    segment += static_cast<char>((kBody + 2) >> 8);
    segment += static_cast<char>((kBody + 2) & 0xFF);
    return jpeg.substr(0, 2) + segment + std::string(kBody, 'x') + jpeg.substr(2);
}

// A bitmap file built byte by byte: the file and info headers, the colour table, `gap` filler
// bytes, then the rows, each padded to four bytes, bottom-up or (negative height) top-down.
// value(x, y), counted from the top, is a pixel's colour index, 16-bit word or 0xRRGGBB.
struct HandBuiltBitmap {
    const char* name;
    WORD bitCount;
    int width;
    int height;
    std::vector<RGBQUAD> palette;
    size_t gap;
    std::function<DWORD(int x, int y)> value;
    std::function<Bgra(int x, int y)> expected;
};

void PutBits(std::string& row, int x, WORD bitCount, DWORD value)
{
    if (bitCount < 8) {
        const int bit = x * bitCount;
        const int shift = 8 - bitCount - bit % 8; // the leftmost pixel in the highest bits
        row[static_cast<size_t>(bit / 8)] = static_cast<char>(row[static_cast<size_t>(bit / 8)] | (value << shift));
        return;
    }
    for (int byte = 0; byte < bitCount / 8; ++byte)
        row[static_cast<size_t>(x * bitCount / 8 + byte)] = static_cast<char>(value >> (8 * byte));
}

std::string Bytes(const HandBuiltBitmap& b)
{
    const int rows = b.height < 0 ? -b.height : b.height;
    const size_t stride = static_cast<size_t>((b.width * b.bitCount + 31) / 32 * 4);
    BITMAPFILEHEADER file{};
    BITMAPINFOHEADER info{};
    const size_t tableBytes = b.palette.size() * sizeof(RGBQUAD);
    file.bfType = 0x4D42; // "BM"
    file.bfOffBits = static_cast<DWORD>(sizeof(file) + sizeof(info) + tableBytes + b.gap);
    file.bfSize = static_cast<DWORD>(file.bfOffBits + stride * static_cast<size_t>(rows));
    info.biSize = sizeof(info);
    info.biWidth = b.width;
    info.biHeight = b.height;
    info.biPlanes = 1;
    info.biBitCount = b.bitCount;
    info.biCompression = BI_RGB;
    info.biClrUsed = static_cast<DWORD>(b.palette.size());
    std::string bytes(reinterpret_cast<const char*>(&file), sizeof(file));
    bytes.append(reinterpret_cast<const char*>(&info), sizeof(info));
    bytes.append(reinterpret_cast<const char*>(b.palette.data()), tableBytes);
    bytes.append(b.gap, '\xAB');
    for (int stored = 0; stored < rows; ++stored) {
        const int y = b.height < 0 ? stored : rows - 1 - stored;
        std::string row(stride, '\0');
        for (int x = 0; x < b.width; ++x)
            PutBits(row, x, b.bitCount, b.value(x, y));
        bytes += row;
    }
    return bytes;
}

RGBQUAD Entry(BYTE r, BYTE g, BYTE b)
{
    return {b, g, r, 0};
}

std::vector<RGBQUAD> Palette(int count)
{
    std::vector<RGBQUAD> palette;
    for (int i = 0; i < count; ++i)
        palette.push_back(Entry(BYTE(i * 13), BYTE(255 - i * 7), BYTE(i * 29)));
    return palette;
}

Bgra PaletteColour(const std::vector<RGBQUAD>& palette, DWORD index)
{
    const RGBQUAD& e = palette.at(index);
    return {e.rgbBlue, e.rgbGreen, e.rgbRed, 0};
}

// 5-bit channels of 0 to 3 read as 0 to 24 whether a decoder repeats the high bits or not.
DWORD Word555(int x, int y)
{
    return DWORD(x % 4) << 10 | DWORD(y % 4) << 5 | DWORD((x + y) % 4);
}

Bgra From555(int x, int y)
{
    constexpr int kStep = 8;
    return {BYTE((x + y) % 4 * kStep), BYTE(y % 4 * kStep), BYTE(x % 4 * kStep), 0};
}

DWORD Rgb24(int x, int y)
{
    return DWORD(40 * x) << 16 | DWORD(60 * y) << 8 | 7;
}

Bgra FromRgb24(int x, int y)
{
    return {7, BYTE(60 * y), BYTE(40 * x), 0};
}

} // namespace

TEST(LoadPremultipliedImage, PremultipliesEachPixelByItsAlpha)
{
    TempFolder folder;
    const struct {
        Bgra file, loaded;
    } table[] = {
        {{200, 100, 50, 128}, {100, 50, 25, 128}},
        {{200, 100, 50, 0}, {0, 0, 0, 0}},
        {{200, 100, 50, 255}, {200, 100, 50, 255}},
        {{255, 255, 1, 128}, {128, 128, 0, 128}}, // truncating: 255*128/255 = 128, 1*128/255 = 0
    };
    const int count = static_cast<int>(std::size(table));
    ASSERT_TRUE(WriteImage(folder / L"alpha.png", count, 2, [&](int x, int) { return table[x].file; }));

    Bitmap image;
    SIZE size{};
    ASSERT_TRUE(LoadPremultipliedImage(folder / L"alpha.png", image, &size));
    EXPECT_EQ(image.depth(), 32);
    EXPECT_EQ(size.cx, count);
    EXPECT_EQ(size.cy, 2);
    for (int x = 0; x < count; ++x) {
        EXPECT_EQ(DibPixel(image, x, 0), table[x].loaded) << "pixel " << x;
        EXPECT_EQ(DibPixel(image, x, 1), table[x].loaded) << "pixel " << x << " of the second row";
    }
}

TEST(LoadPremultipliedImage, OpaqueFormatsLoadUnchangedWithoutAlpha)
{
    TempFolder folder;
    ASSERT_TRUE(WriteSolidImage(folder / L"photo.jpg", 8, 4, {0, 0, 0, 255}, L"image/jpeg"));
    ASSERT_TRUE(WriteImage(
        folder / L"plain.bmp", 3, 2,
        [](int x, int y) {
            return Bgra{BYTE(10 * x), BYTE(20 * y), 30, 255};
        },
        L"image/bmp", PixelFormat24bppRGB));

    Bitmap jpeg;
    SIZE size{};
    ASSERT_TRUE(LoadPremultipliedImage(folder / L"photo.jpg", jpeg, &size));
    EXPECT_EQ(jpeg.depth(), 24);
    EXPECT_EQ(size.cx, 8);
    EXPECT_EQ(size.cy, 4);

    Bitmap bmp;
    ASSERT_TRUE(LoadPremultipliedImage(folder / L"plain.bmp", bmp));
    EXPECT_EQ(bmp.depth(), 24);
    EXPECT_EQ(DibPixel(bmp, 2, 1), (Bgra{20, 20, 30, 0}));
}

TEST(LoadPremultipliedImage, BrokenFilesLeaveTheTargetEmpty)
{
    TempFolder folder;
    ASSERT_TRUE(WriteSolidImage(folder / L"good.png", 16, 16, {1, 2, 3, 200}));
    const std::string png = ReadFileBytes(folder / L"good.png");
    WriteFileBytes(folder / L"empty.png", "");
    WriteFileBytes(folder / L"truncated.png", png.substr(0, png.size() / 2));
    WriteFileBytes(folder / L"header-only.png", png.substr(0, 8));
    WriteFileBytes(folder / L"text.png", "this is not an image");

    for (const wchar_t* name : {L"missing.png", L"empty.png", L"truncated.png", L"header-only.png", L"text.png"}) {
        const DebugTrace trace;
        Bitmap image;
        SIZE size{7, 7};
        EXPECT_FALSE(LoadPremultipliedImage(folder / name, image, &size)) << name;
        EXPECT_TRUE(image.empty()) << name;
        EXPECT_EQ(size.cx, 0) << name;
        EXPECT_EQ(size.cy, 0) << name;
        // A file that is there but no picture is named for a debugger; an absent one is a
        // skin's choice and is not.
        const bool there = std::wstring_view(name) != L"missing.png";
        EXPECT_EQ(trace.Text().find("was not decoded") != std::string::npos, there) << name;
        Bitmap picture;
        EXPECT_FALSE(LoadPictureFile(folder / name, picture, nullptr)) << name;
        EXPECT_EQ(trace.Text().find("was not decoded") != trace.Text().rfind("was not decoded"), there) << name;
    }
}

// Pictures just past a side limit would decode in no time: only the size check refuses them.
TEST(LoadPremultipliedImage, RefusesPicturesBeyondTheSizeLimitsBeforeDecoding)
{
    TempFolder folder;
    WriteFileBytes(folder / L"widest.png", hostile::TransparentPng(kMaxPictureSide, 1));
    WriteFileBytes(folder / L"too-wide.png", hostile::TransparentPng(kMaxPictureSide + 1, 1));
    WriteFileBytes(folder / L"too-tall.png", hostile::TransparentPng(1, kMaxPictureSide + 1));
    WriteFileBytes(folder / L"enormous.png", PngClaimingEnormousSize());

    Bitmap widest;
    SIZE size{};
    ASSERT_TRUE(LoadPremultipliedImage(folder / L"widest.png", widest, &size));
    EXPECT_EQ(size.cx, static_cast<LONG>(kMaxPictureSide));
    for (const wchar_t* name : {L"too-wide.png", L"too-tall.png", L"enormous.png"}) {
        Bitmap image;
        SIZE refused{7, 7};
        EXPECT_FALSE(LoadPremultipliedImage(folder / name, image, &refused)) << name;
        EXPECT_TRUE(image.empty()) << name;
        EXPECT_EQ(refused.cx, 0) << name;
    }
}

TEST(LoadPremultipliedImage, ReadsAJpegSizeFarIntoTheFile)
{
    TempFolder folder;
    ASSERT_TRUE(WriteSolidImage(folder / L"plain.jpg", 8, 4, {0, 0, 0, 255}, L"image/jpeg"));
    WriteFileBytes(folder / L"long.jpg", WithLongSegmentFirst(ReadFileBytes(folder / L"plain.jpg")));
    Bitmap image;
    SIZE size{};
    ASSERT_TRUE(LoadPremultipliedImage(folder / L"long.jpg", image, &size));
    EXPECT_EQ(size.cx, 8);
    EXPECT_EQ(size.cy, 4);
}

TEST(LoadPremultipliedImage, RefusesATargetThatHoldsAnImage)
{
    TempFolder folder;
    ASSERT_TRUE(WriteSolidImage(folder / L"a.png", 4, 4, kWhite));
    Bitmap target(CreateDib32(2, 2));
    const HBITMAP held = target.get();
    EXPECT_FALSE(LoadPremultipliedImage(folder / L"a.png", target));
    EXPECT_EQ(target.get(), held);
}

TEST(LoadPictureFile, LoadsABitmapFileOpaque)
{
    TempFolder folder;
    ASSERT_TRUE(WriteImage(
        folder / L"bg.bmp", 5, 3,
        [](int x, int y) {
            return Bgra{BYTE(40 * x), BYTE(60 * y), 7, 255};
        },
        L"image/bmp", PixelFormat24bppRGB));

    Bitmap picture;
    SIZE size{};
    ASSERT_TRUE(LoadPictureFile(folder / L"bg.bmp", picture, &size));
    EXPECT_EQ(size.cx, 5);
    EXPECT_EQ(size.cy, 3);
    EXPECT_EQ(DibPixel(picture, 4, 2), (Bgra{160, 120, 7, 0}));
    EXPECT_EQ(DibPixel(picture, 0, 0), (Bgra{0, 0, 7, 0}));
}

// Bitmap files of other depths and one cut short: the same opaque picture, or nothing.
TEST(LoadPictureFile, BitmapFilesOfOtherDepthsAndCutShort)
{
    TempFolder folder;
    const auto pixelAt = [](int x, int y) { return Bgra{BYTE(40 * x), BYTE(60 * y), 7, 255}; };
    ASSERT_TRUE(WriteImage(folder / L"deep.bmp", 5, 3, pixelAt, L"image/bmp", PixelFormat32bppRGB));
    ASSERT_TRUE(WriteImage(folder / L"large.bmp", 300, 200, pixelAt, L"image/bmp", PixelFormat24bppRGB));
    const std::string whole = ReadFileBytes(folder / L"large.bmp");
    WriteFileBytes(folder / L"cut.bmp", whole.substr(0, whole.size() / 2));

    Bitmap deep;
    ASSERT_TRUE(LoadPictureFile(folder / L"deep.bmp", deep));
    EXPECT_EQ(deep.depth(), 24);
    EXPECT_EQ(DibPixel(deep, 4, 2), (Bgra{160, 120, 7, 0}));

    Bitmap cut(CreateDib32(2, 2));
    const HBITMAP held = cut.get();
    SIZE size{7, 7};
    EXPECT_FALSE(LoadPictureFile(folder / L"cut.bmp", cut, &size)) << "half the pixels are missing";
    EXPECT_EQ(cut.get(), held);
    EXPECT_EQ(size.cx, 0);
    EXPECT_EQ(size.cy, 0);
}

// Palettes of every size, 16-bit words, top-down rows and pixels that start after a gap: each
// pixel as the file describes it, whichever way the loader takes.
TEST(LoadPictureFile, HandBuiltBitmapFilesOfEveryLayout)
{
    const std::vector<RGBQUAD> two{Entry(10, 20, 30), Entry(200, 150, 100)};
    const std::vector<RGBQUAD> sixteen = Palette(16);
    const std::vector<RGBQUAD> three = Palette(3);
    const HandBuiltBitmap table[] = {
        {"1-bit", 1, 5, 3, two, 0, [](int x, int y) { return DWORD((x + y) % 2); },
         [&](int x, int y) { return PaletteColour(two, DWORD((x + y) % 2)); }},
        {"4-bit", 4, 5, 3, sixteen, 0, [](int x, int y) { return DWORD((x + 5 * y) % 16); },
         [&](int x, int y) { return PaletteColour(sixteen, DWORD((x + 5 * y) % 16)); }},
        {"8-bit, three colours", 8, 5, 3, three, 0, [](int x, int y) { return DWORD((x + y) % 3); },
         [&](int x, int y) { return PaletteColour(three, DWORD((x + y) % 3)); }},
        {"16-bit", 16, 5, 3, {}, 0, Word555, From555},
        {"24-bit top-down", 24, 5, -3, {}, 0, Rgb24, FromRgb24},
        {"24-bit after a gap", 24, 5, 3, {}, 100, Rgb24, FromRgb24},
        {"32-bit top-down after a gap", 32, 5, -3, {}, 12, Rgb24, FromRgb24},
    };
    TempFolder folder;
    for (const HandBuiltBitmap& b : table) {
        SCOPED_TRACE(b.name);
        const std::wstring path = folder / L"hand.bmp";
        WriteFileBytes(path, Bytes(b));
        Bitmap picture;
        SIZE size{};
        ASSERT_TRUE(LoadPictureFile(path, picture, &size));
        EXPECT_EQ(size.cx, b.width);
        EXPECT_EQ(size.cy, b.height < 0 ? -b.height : b.height);
        EXPECT_EQ(picture.depth(), 24) << "opaque";
        for (int y = 0; y < size.cy; ++y)
            for (int x = 0; x < size.cx; ++x)
                EXPECT_EQ(DibPixel(picture, x, y), b.expected(x, y)) << x << ", " << y;
    }
}

// A background in the skin's picture formats is read by the program's own decoders, as faces
// are (Windows' picture object reads no PNG), in the window's COM apartment (WIC) and without
// one (GDI+): each pixel is the face loader's, transparency drawn over black. (The test bench's
// GDI+ writes no usable GIF.)
TEST(LoadPictureFile, ReadsEveryPictureFormatAsFacesAreRead)
{
    TempFolder folder;
    const auto gradient = [](int x, int y) { return Bgra{BYTE(40 * x), BYTE(60 * y), 7, BYTE(255 - 50 * x)}; };
    const auto opaque = [](int x, int y) { return Bgra{BYTE(40 * x), BYTE(60 * y), 7, 255}; };
    const struct {
        const wchar_t* name;
        const wchar_t* mimeType;
        std::function<Bgra(int, int)> pixelAt;
    } formats[] = {
        {L"alpha.png", L"image/png", gradient},
        {L"plain.png", L"image/png", opaque},
        {L"photo.jpg", L"image/jpeg", opaque},
    };
    for (const auto& format : formats)
        ASSERT_TRUE(WriteImage(folder / format.name, 5, 3, format.pixelAt, format.mimeType)) << format.name;

    for (const bool withApartment : {true, false}) {
        std::optional<ComApartment> apartment;
        if (withApartment)
            apartment.emplace();
        for (const auto& format : formats) {
            SCOPED_TRACE(testing::Message() << format.name << (withApartment ? " (WIC)" : " (GDI+)"));
            Bitmap face;
            ASSERT_TRUE(LoadPremultipliedImage(folder / format.name, face));
            Bitmap picture;
            SIZE size{};
            ASSERT_TRUE(LoadPictureFile(folder / format.name, picture, &size));
            EXPECT_EQ(size.cx, 5);
            EXPECT_EQ(size.cy, 3);
            EXPECT_EQ(picture.depth(), 24) << "opaque";
            for (int y = 0; y < 3; ++y)
                for (int x = 0; x < 5; ++x) {
                    Bgra expected = DibPixel(face, x, y);
                    expected.a = 0;
                    EXPECT_EQ(DibPixel(picture, x, y), expected) << x << ", " << y;
                }
        }
    }
}

TEST(LoadPictureFile, AFileThatIsNoPictureKeepsTheTarget)
{
    TempFolder folder;
    WriteFileBytes(folder / L"empty.bmp", "");
    WriteFileBytes(folder / L"text.bmp", "BM but nothing after it");
    for (const wchar_t* name : {L"missing.bmp", L"empty.bmp", L"text.bmp"}) {
        Bitmap picture(CreateDib32(2, 2));
        const HBITMAP held = picture.get();
        SIZE size{7, 7};
        EXPECT_FALSE(LoadPictureFile(folder / name, picture, &size)) << name;
        EXPECT_EQ(picture.get(), held) << name;
        EXPECT_EQ(size.cx, 0) << name;
        EXPECT_EQ(size.cy, 0) << name;
    }
}

TEST(LoadPictureFile, RefusesPicturesBeyondTheSizeLimitsBeforeDecoding)
{
    TempFolder folder;
    const auto grey = [](int, int) { return Bgra{90, 90, 90, 255}; };
    const int widest = static_cast<int>(kMaxPictureSide);
    ASSERT_TRUE(WriteImage(folder / L"widest.bmp", widest, 1, grey, L"image/bmp", PixelFormat24bppRGB));
    ASSERT_TRUE(WriteImage(folder / L"too-wide.bmp", widest + 1, 1, grey, L"image/bmp", PixelFormat24bppRGB));

    Bitmap loaded;
    SIZE size{};
    ASSERT_TRUE(LoadPictureFile(folder / L"widest.bmp", loaded, &size));
    EXPECT_EQ(size.cx, widest);
    Bitmap picture(CreateDib32(2, 2));
    const HBITMAP held = picture.get();
    EXPECT_FALSE(LoadPictureFile(folder / L"too-wide.bmp", picture, &size));
    EXPECT_EQ(picture.get(), held);
    EXPECT_EQ(size.cx, 0);
}

// Each encoder's own output is read for its size; what tells no size, or too large a one, is
// refused.
TEST(PictureFileWithinLimits, KnowsWhatTheEncodersWriteAndRefusesTheRest)
{
    TempFolder folder;
    for (const wchar_t* type : {L"image/png", L"image/jpeg", L"image/bmp", L"image/gif", L"image/tiff"}) {
        const std::wstring path = folder / (std::wstring(L"picture.") + (wcschr(type, L'/') + 1));
        ASSERT_TRUE(WriteSolidImage(path, 30, 20, {10, 20, 30, 255}, type)) << type;
        EXPECT_TRUE(PictureFileWithinLimits(path)) << type;
    }
    WriteFileBytes(folder / L"text.png", "not a picture");
    WriteFileBytes(folder / L"empty.png", "");
    WriteFileBytes(folder / L"enormous.png", PngClaimingEnormousSize());
    ::CreateDirectoryW((folder / L"folder.png").c_str(), nullptr);
    for (const wchar_t* name : {L"missing.png", L"text.png", L"empty.png", L"enormous.png", L"folder.png"})
        EXPECT_FALSE(PictureFileWithinLimits(folder / name)) << name;
}

class LoadSkinImageSetTest : public ::testing::Test {
protected:
    LoadSkinImageSetTest() : m_scope(m_folder.path()) { ::CreateDirectoryW((m_folder / L"skins").c_str(), nullptr); }

    void WriteFace(const std::wstring& file, int width, Bgra colour)
    {
        ASSERT_TRUE(WriteSolidImage(m_folder / (L"skins\\" + file), width, 10, colour));
    }

    static int WidthOf(const SkinImageSet& set, int state) { return set[state].width(); }

    TempFolder m_folder;
    ProgramFolderScope m_scope;
};

TEST_F(LoadSkinImageSetTest, MissingStatesFallBackToTheNormalFace)
{
    WriteFace(L"btn_normal.png", 11, kWhite);
    WriteFace(L"btn_over.png", 12, kWhite);
    WriteFace(L"btn_disable.png", 14, kWhite);

    SkinImageSet set;
    SIZE size{};
    LoadSkinImageSet(L"btn", set, false, &size);
    EXPECT_EQ(size.cx, 11);
    EXPECT_EQ(size.cy, 10);
    EXPECT_EQ(WidthOf(set, SkinImageSet::kNormal), 11);
    EXPECT_EQ(WidthOf(set, SkinImageSet::kOver), 12);
    EXPECT_EQ(WidthOf(set, SkinImageSet::kDown), 11);
    EXPECT_EQ(WidthOf(set, SkinImageSet::kDisabled), 14);
    EXPECT_NE(set[SkinImageSet::kNormal].get(), set[SkinImageSet::kDown].get()) << "each state owns its bitmap";
}

TEST_F(LoadSkinImageSetTest, SameForAllLoadsTheNormalFaceFourTimes)
{
    WriteFace(L"btn_normal.png", 11, kWhite);
    WriteFace(L"btn_over.png", 12, kWhite);

    SkinImageSet set;
    LoadSkinImageSet(L"btn", set, true);
    for (int state = 0; state < SkinImageSet::kStateCount; ++state)
        EXPECT_EQ(WidthOf(set, state), 11) << "state " << state;
}

TEST_F(LoadSkinImageSetTest, AMissingNormalFaceLeavesTheStatesThatFallBackEmpty)
{
    WriteFace(L"btn_down.png", 13, kWhite);

    SkinImageSet set;
    SIZE size{7, 7};
    LoadSkinImageSet(L"btn", set, false, &size);
    EXPECT_EQ(size.cx, 0);
    EXPECT_TRUE(set[SkinImageSet::kNormal].empty());
    EXPECT_TRUE(set[SkinImageSet::kOver].empty());
    EXPECT_EQ(WidthOf(set, SkinImageSet::kDown), 13);
    EXPECT_TRUE(set[SkinImageSet::kDisabled].empty());
}

TEST_F(LoadSkinImageSetTest, ReloadingReplacesTheImagesHeld)
{
    WriteFace(L"a_normal.png", 11, kWhite);
    WriteFace(L"b_normal.png", 15, kWhite);

    SkinImageSet set;
    LoadSkinImageSet(L"a", set, false);
    LoadSkinImageSet(L"b", set, false);
    EXPECT_EQ(WidthOf(set, SkinImageSet::kNormal), 15);
    EXPECT_EQ(WidthOf(set, SkinImageSet::kDisabled), 15);
    LoadSkinImageSet(L"gone", set, false);
    EXPECT_TRUE(set[SkinImageSet::kNormal].empty());
}

TEST_F(LoadSkinImageSetTest, StrangeNamesLoadNothing)
{
    WriteFace(L"btn_normal.png", 11, kWhite);
    WriteFace(L"btn_over.png", 12, kWhite);

    for (const std::wstring& name : {std::wstring(L"bt?"), std::wstring(L"b*"), std::wstring(600, L'b'),
                                     std::wstring(L"..\\skins\\btn\\"), std::wstring()}) {
        SkinImageSet set;
        LoadSkinImageSet(name, set, false);
        EXPECT_TRUE(set[SkinImageSet::kNormal].empty()) << name.size();
        EXPECT_TRUE(set[SkinImageSet::kOver].empty()) << name.size();
    }
}

TEST(CreateDib32, MakesABottomUp32BitSectionTheTargetTakes)
{
    Bitmap target(CreateDib32(3, 3));
    const HBITMAP made = CreateDib32(7, 5, &target);
    ASSERT_NE(made, nullptr);
    EXPECT_EQ(target.get(), made);
    EXPECT_EQ(target.width(), 7);
    EXPECT_EQ(target.height(), 5);
    DIBSECTION section{};
    ASSERT_EQ(::GetObjectW(made, sizeof(section), &section), static_cast<int>(sizeof(section)));
    EXPECT_EQ(section.dsBmih.biBitCount, 32);
    EXPECT_EQ(section.dsBmih.biCompression, static_cast<DWORD>(BI_RGB));
    EXPECT_GT(section.dsBmih.biHeight, 0);
    EXPECT_EQ(CreateDib32(0, 5), nullptr);
}

TEST(CropBitmap, CopiesTheRectangleWithItsAlpha)
{
    const Bitmap source = MakeBitmap(50, 20, [](int x, int y) { return Bgra{BYTE(x), BYTE(y), 9, BYTE(100 + x)}; });
    Bitmap crop;
    CropBitmap(nullptr, crop, source, 10, 0, 40, 20);
    ASSERT_FALSE(crop.empty());
    EXPECT_EQ(crop.width(), 30);
    EXPECT_EQ(crop.height(), 20);
    EXPECT_EQ(DibPixel(crop, 0, 0), (Bgra{10, 0, 9, 110}));
    EXPECT_EQ(DibPixel(crop, 29, 19), (Bgra{39, 19, 9, 139}));

    Bitmap dib;
    CropBitmapDib32(nullptr, dib, source, 10, 0, 40, 20);
    EXPECT_EQ(dib.depth(), 32);
    EXPECT_EQ(DibPixel(dib, 5, 7), (Bgra{15, 7, 9, 115}));
}

TEST(CropBitmap, AnEmptySourceKeepsTheTarget)
{
    Bitmap target(CreateDib32(4, 4));
    const HBITMAP held = target.get();
    CropBitmap(nullptr, target, Bitmap(), 0, 0, 2, 2);
    CropBitmapDib32(nullptr, target, Bitmap(), 0, 0, 2, 2);
    EXPECT_EQ(target.get(), held);
}

TEST(CropBitmap, AnOpaqueSourceStaysOpaque)
{
    const Bitmap source = MakeBitmap(
        8, 8,
        [](int, int) {
            return Bgra{1, 2, 3, 0};
        },
        24);
    Bitmap crop;
    CropBitmap(nullptr, crop, source, 0, 0, 4, 4);
    EXPECT_EQ(crop.depth(), 24);
    Bitmap dib;
    CropBitmapDib32(nullptr, dib, source, 0, 0, 4, 4);
    EXPECT_EQ(DibPixel(dib, 3, 3), (Bgra{1, 2, 3, 255}));
}

TEST(RegionFromMask, ABlackBlockBecomesItsRectangle)
{
    const Bitmap mask =
        MakeBitmap(20, 20, [](int x, int y) { return x >= 5 && x < 8 && y >= 7 && y < 9 ? kBlack : kWhite; });
    GdiRegion region(RegionFromMask(mask));
    ASSERT_TRUE(region);
    EXPECT_TRUE(SameRegion(region.get(), {5, 7, 8, 9}));
}

TEST(RegionFromMask, OnlyPureWhiteIsOutsideAndAlphaIsIgnored)
{
    const Bitmap mask = MakeBitmap(6, 3, [](int x, int y) {
        if (y != 1)
            return Bgra{255, 255, 255, 0};
        return x == 1 ? Bgra{254, 255, 255, 255} : x == 4 ? Bgra{255, 255, 254, 0} : Bgra{255, 255, 255, 255};
    });
    GdiRegion region(RegionFromMask(mask));
    const std::vector<RECT> rects = RegionRects(region.get());
    ASSERT_EQ(rects.size(), 2u);
    const RECT first{1, 1, 2, 2};
    const RECT second{4, 1, 5, 2};
    EXPECT_TRUE(::EqualRect(&rects[0], &first));
    EXPECT_TRUE(::EqualRect(&rects[1], &second));
}

TEST(RegionFromMask, AWhiteMaskGivesAnEmptyRegionAndNoMaskNone)
{
    const Bitmap white = MakeBitmap(10, 10, [](int, int) { return kWhite; });
    GdiRegion region(RegionFromMask(white));
    ASSERT_TRUE(region);
    RECT box{};
    EXPECT_EQ(::GetRgnBox(region.get(), &box), NULLREGION);
    EXPECT_EQ(RegionFromMask(Bitmap()), nullptr);
}

TEST(RegionFromMask, ALargeMaskKeepsEveryBatchOfRectangles)
{
    // A checkerboard cannot merge: 50 one-pixel runs a row, 5000 in all, three batches.
    const int side = 100;
    const Bitmap mask = MakeBitmap(side, side, [](int x, int y) { return (x + y) % 2 == 0 ? kBlack : kWhite; });
    GdiRegion region(RegionFromMask(mask));
    const std::vector<RECT> rects = RegionRects(region.get());
    ASSERT_EQ(rects.size(), 5000u);
    std::vector<std::tuple<LONG, LONG>> cells;
    for (const RECT& r : rects) {
        ASSERT_EQ(r.right - r.left, 1);
        ASSERT_EQ(r.bottom - r.top, 1);
        cells.emplace_back(r.top, r.left);
    }
    std::sort(cells.begin(), cells.end());
    size_t i = 0;
    for (LONG y = 0; y < side; ++y)
        for (LONG x = y % 2; x < side; x += 2, ++i)
            ASSERT_EQ(cells[i], std::make_tuple(y, x));
}

TEST(RegionFromMask, ReadsMasksOfAnyDepth)
{
    const Bitmap mask = MakeBitmap(
        12, 12, [](int x, int y) { return x < 4 && y >= 2 && y < 5 ? kBlack : kWhite; }, 24);
    GdiRegion region(RegionFromMask(mask));
    EXPECT_TRUE(SameRegion(region.get(), {0, 2, 4, 5}));
}

TEST(BlendBitmap, BlendsPremultipliedFacesAndCopiesOpaqueOnes)
{
    Canvas canvas(4, 1);
    canvas.Fill({0, 0, 200, 255});
    const Bitmap halfWhite = MakeBitmap(2, 1, [](int, int) { return Bgra{128, 128, 128, 128}; });
    BlendBitmap(canvas.dc(), 0, 0, 2, 1, halfWhite);
    const Bitmap opaque = MakeBitmap(
        2, 1,
        [](int, int) {
            return Bgra{10, 20, 30, 0};
        },
        24);
    BlendBitmap(canvas.dc(), 2, 0, 5, 5, opaque); // larger than the source: only what exists
    const Bgra blended = canvas.At(0, 0);
    EXPECT_NEAR(blended.b, 128, 1);
    EXPECT_NEAR(blended.r, 228, 1); // 128 + 200 * (1 - 128/255)
    EXPECT_EQ(canvas.At(3, 0).b, 10);
    EXPECT_EQ(canvas.At(3, 0).r, 30);
}
