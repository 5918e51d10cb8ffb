// The skin-face cache on real files: copies as the decoder gives them, and a file changed on disk
// decoded afresh.
#include "skin/SkinFaceCache.h"

#include "skin/ImageDecoding.h"

#include "FileText.h"
#include "ImageFiles.h"
#include "TempFolder.h"

#include <gtest/gtest.h>

namespace {

const Bgra kHalfRed{0, 0, 255, 128};
const Bgra kOpaqueRed{0, 0, 255, 255};
const Bgra kOpaqueGreen{0, 255, 0, 255};

struct FaceCase {
    const char* name;
    const wchar_t* file;
    const wchar_t* mimeType;
    Gdiplus::PixelFormat format;
};

} // namespace

class SkinFaceCacheCopies : public ::testing::TestWithParam<FaceCase> {};

// Every load, the first that decodes and the later ones that copy, equals a direct decode: same
// depth (an opaque face must not come back as 32-bit with zero alpha) and same pixels.
TEST_P(SkinFaceCacheCopies, EveryLoadEqualsADirectDecodeAndOwnsItsBitmap)
{
    TempFolder folder;
    const FaceCase c = GetParam();
    const std::wstring path = folder / c.file;
    ASSERT_TRUE(WriteImage(
        path, 3, 2,
        [](int x, int y) {
            return Bgra{BYTE(40 * x), BYTE(90 * y), 200, kHalfRed.a};
        },
        c.mimeType, c.format));
    Bitmap direct;
    ASSERT_TRUE(LoadPremultipliedImage(path, direct));

    SkinFaceCache cache;
    Bitmap first;
    Bitmap second;
    SIZE size{};
    ASSERT_TRUE(cache.Load(path, first, &size));
    ASSERT_TRUE(cache.Load(path, second));
    EXPECT_EQ(size.cx, 3);
    EXPECT_EQ(size.cy, 2);
    EXPECT_NE(first.get(), second.get());
    for (const Bitmap* copy : {&first, &second}) {
        EXPECT_EQ(copy->depth(), direct.depth());
        for (int y = 0; y < 2; ++y)
            for (int x = 0; x < 3; ++x)
                EXPECT_EQ(DibPixel(*copy, x, y), DibPixel(direct, x, y)) << x << "," << y;
    }
}

INSTANTIATE_TEST_SUITE_P(Formats, SkinFaceCacheCopies,
                         ::testing::Values(FaceCase{"Alpha", L"alpha.png", L"image/png", PixelFormat32bppARGB},
                                           FaceCase{"Opaque", L"plain.bmp", L"image/bmp", PixelFormat24bppRGB}),
                         [](const ::testing::TestParamInfo<FaceCase>& info) { return info.param.name; });

TEST(SkinFaceCache, AFileChangedOnDiskIsDecodedAfresh)
{
    TempFolder folder;
    const std::wstring path = folder / L"btn_normal.png";
    SkinFaceCache cache;
    ASSERT_TRUE(WriteSolidImage(path, 11, 10, kHalfRed));
    Bitmap before;
    ASSERT_TRUE(cache.Load(path, before));

    ASSERT_TRUE(WriteSolidImage(path, 13, 10, kHalfRed));
    Bitmap after;
    SIZE size{};
    ASSERT_TRUE(cache.Load(path, after, &size));
    EXPECT_EQ(after.width(), 13);
    EXPECT_EQ(size.cx, 13);

    // Rewritten in place with the same size: only the write time tells.
    const auto solidBmp = [&](Bgra colour) {
        return WriteImage(
            path, 13, 10, [colour](int, int) { return colour; }, L"image/bmp", PixelFormat24bppRGB);
    };
    ASSERT_TRUE(solidBmp(kOpaqueRed));
    Bitmap red;
    ASSERT_TRUE(cache.Load(path, red));
    const std::string redBytes = ReadFileBytes(path);
    ASSERT_TRUE(solidBmp(kOpaqueGreen));
    ASSERT_EQ(ReadFileBytes(path).size(), redBytes.size());
    ASSERT_TRUE(MoveWriteTimeOn(path, 2));
    Bitmap green;
    ASSERT_TRUE(cache.Load(path, green));
    EXPECT_EQ(DibPixel(green, 5, 5), (Bgra{0, 255, 0, 0}));

    ASSERT_TRUE(::DeleteFileW(path.c_str()));
    Bitmap gone;
    EXPECT_FALSE(cache.Load(path, gone, &size));
    EXPECT_TRUE(gone.empty());
    EXPECT_EQ(size.cx, 0);
}
