// Picture sizes from file headers: each format's usual header, headers cut short or malformed,
// absurd and overflowing sizes, walks that must stop, and the skin's size limits.
#include "skin/ImageHeader.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <optional>
#include <string>

namespace {

std::string Le16(std::uint32_t v)
{
    return {static_cast<char>(v & 0xFF), static_cast<char>((v >> 8) & 0xFF)};
}
std::string Le32(std::uint32_t v)
{
    return Le16(v & 0xFFFF) + Le16(v >> 16);
}
std::string Be16(std::uint32_t v)
{
    return {static_cast<char>((v >> 8) & 0xFF), static_cast<char>(v & 0xFF)};
}
std::string Be32(std::uint32_t v)
{
    return Be16(v >> 16) + Be16(v & 0xFFFF);
}

const std::string kPngSignature("\x89PNG\r\n\x1A\n", 8);

std::string Png(std::uint32_t width, std::uint32_t height, std::uint32_t chunkLength = 13, const char* type = "IHDR")
{
    return kPngSignature + Be32(chunkLength) + type + Be32(width) + Be32(height) + std::string("\x08\x06\0\0\0", 5) +
           Be32(0); // the CRC is not read
}

// A bitmap's file header, then an info header of the given size whose sides are signed.
std::string Bmp(std::int32_t width, std::int32_t height, std::uint32_t headerBytes = 40)
{
    return "BM" + Le32(0) + Le32(0) + Le32(14 + headerBytes) + Le32(headerBytes) +
           Le32(static_cast<std::uint32_t>(width)) + Le32(static_cast<std::uint32_t>(height)) + Le16(1) + Le16(24) +
           std::string(headerBytes - 16, '\0');
}

std::string BmpCore(std::uint16_t width, std::uint16_t height)
{
    return "BM" + Le32(0) + Le32(0) + Le32(26) + Le32(12) + Le16(width) + Le16(height) + Le16(1) + Le16(24);
}

std::string GifScreen(std::uint16_t width, std::uint16_t height, unsigned char flags = 0)
{
    return "GIF89a" + Le16(width) + Le16(height) + static_cast<char>(flags) + std::string(2, '\0');
}

std::string GifImage(std::uint16_t left, std::uint16_t top, std::uint16_t width, std::uint16_t height)
{
    return "\x2C" + Le16(left) + Le16(top) + Le16(width) + Le16(height) + std::string(1, '\0');
}

// A comment extension of one sub-block.
const std::string kGifComment = std::string("\x21\xFE\x03") + "abc" + std::string(1, '\0');

std::string JpegSegment(unsigned char marker, const std::string& body)
{
    return std::string{'\xFF', static_cast<char>(marker)} + Be16(static_cast<std::uint32_t>(body.size() + 2)) + body;
}

std::string JpegFrame(std::uint16_t width, std::uint16_t height, unsigned char marker = 0xC0)
{
    return JpegSegment(marker, "\x08" + Be16(height) + Be16(width) + "\x01\x01\x11" + std::string(1, '\0'));
}

const std::string kJpegStart("\xFF\xD8", 2);
const std::string kJfif = JpegSegment(0xE0, std::string("JFIF\0\x01\x01\0\0\x01\0\x01\0\0", 14));
const std::string kQuantTable = JpegSegment(0xDB, std::string(65, '\x01'));
const std::string kScanStart = JpegSegment(0xDA, std::string("\x01\x01\0\0\x3F\0", 6));

struct TiffEntry {
    std::uint16_t tag, type;
    std::uint32_t count, value;
};

// A TIFF with its first directory right after the header; SHORT values sit in the first half
// of the value field.
std::string Tiff(bool big, std::initializer_list<TiffEntry> entries, std::uint32_t directory = 8)
{
    const auto u16 = big ? Be16 : Le16;
    const auto u32 = big ? Be32 : Le32;
    std::string file = (big ? std::string("MM\0*", 4) : std::string("II*\0", 4)) + u32(directory);
    file += u16(static_cast<std::uint32_t>(entries.size()));
    for (const TiffEntry& e : entries)
        file += u16(e.tag) + u16(e.type) + u32(e.count) + (e.type == 3 ? u16(e.value) + u16(0) : u32(e.value));
    return file + u32(0);
}

std::string IconDirectory(std::uint16_t count)
{
    return std::string("\0\0\x01\0", 4) + Le16(count);
}

std::string IconEntry(std::uint32_t offset)
{
    return std::string(8, '\0') + Le32(0) + Le32(offset);
}

// A bitmap inside an icon: its height counts the mask's rows too.
std::string IconBitmap(std::int32_t width, std::int32_t height)
{
    return Le32(40) + Le32(static_cast<std::uint32_t>(width)) + Le32(static_cast<std::uint32_t>(height)) +
           std::string(28, '\0');
}

std::optional<PictureSize> SizeOf(const std::string& bytes)
{
    return ReadPictureSize(reinterpret_cast<const unsigned char*>(bytes.data()), bytes.size());
}

std::string Describe(const std::optional<PictureSize>& size)
{
    return size ? std::to_string(size->width) + " x " + std::to_string(size->height) : "unknown";
}

constexpr std::optional<PictureSize> kUnknown;

// Endless JPEG segments, or endless GIF comment sub-blocks, in a file as long as any disk:
// made up as they are read, so only the walk's own bound can end it.
class EndlessFile : public PictureBytes {
public:
    EndlessFile(std::string head, std::string repeated) : m_head(std::move(head)), m_repeated(std::move(repeated)) {}

    std::size_t Read(std::uint64_t offset, unsigned char* to, std::size_t count) override
    {
        ++reads;
        for (std::size_t i = 0; i < count; ++i) {
            const std::uint64_t at = offset + i;
            to[i] = static_cast<unsigned char>(
                at < m_head.size() ? m_head[at] : m_repeated[(at - m_head.size()) % m_repeated.size()]);
        }
        return count;
    }

    int reads = 0;

private:
    std::string m_head;
    std::string m_repeated;
};

} // namespace

TEST(ReadPictureSize, ReadsEachFormatsHeader)
{
    const std::string descriptor = IconBitmap(32, 64);
    const std::string iconPng = Png(48, 40);
    const struct {
        const char* name;
        std::string bytes;
        std::optional<PictureSize> size;
    } table[] = {
        {"png", Png(1200, 524), PictureSize{1200, 524}},
        {"bmp info header", Bmp(1200, 524), PictureSize{1200, 524}},
        {"bmp top-down", Bmp(640, -480), PictureSize{640, 480}},
        {"bmp v5 header", Bmp(3, 2, 124), PictureSize{3, 2}},
        {"bmp core header", BmpCore(300, 200), PictureSize{300, 200}},
        {"gif screen and image", GifScreen(10, 20) + GifImage(0, 0, 10, 20), PictureSize{10, 20}},
        {"gif colour table and extensions first",
         GifScreen(10, 20, 0x81) + std::string(12, '\0') + kGifComment + kGifComment + GifImage(2, 3, 4, 5),
         PictureSize{10, 20}},
        {"gif image beyond the screen", GifScreen(10, 20) + GifImage(8, 1, 10, 30), PictureSize{18, 31}},
        {"jpeg", kJpegStart + kJfif + kQuantTable + JpegFrame(800, 600) + kScanStart, PictureSize{800, 600}},
        {"jpeg progressive", kJpegStart + kJfif + JpegFrame(17, 9, 0xC2), PictureSize{17, 9}},
        {"jpeg fill bytes and restart marker", kJpegStart + "\xFF\xFF\xFF\xD0" + kJfif + JpegFrame(5, 6),
         PictureSize{5, 6}},
        {"jpeg tables that look like frames",
         kJpegStart + JpegSegment(0xC4, "\x08" + Be32(0xFFFFFFFF)) + JpegSegment(0xCC, "ab") + JpegFrame(7, 8, 0xC1),
         PictureSize{7, 8}},
        {"tiff little-endian", Tiff(false, {{256, 3, 1, 640}, {257, 4, 1, 480}}), PictureSize{640, 480}},
        {"tiff big-endian", Tiff(true, {{254, 4, 1, 0}, {257, 3, 1, 480}, {256, 4, 1, 70000}}),
         PictureSize{70000, 480}},
        {"icon bitmap", IconDirectory(1) + IconEntry(22) + descriptor, PictureSize{32, 32}},
        {"icon of a bitmap and a png, the larger on each side",
         IconDirectory(2) + IconEntry(38) + IconEntry(38 + static_cast<std::uint32_t>(descriptor.size())) + descriptor +
             iconPng,
         PictureSize{48, 40}},
    };
    for (const auto& row : table)
        EXPECT_EQ(Describe(SizeOf(row.bytes)), Describe(row.size)) << row.name;
}

TEST(ReadPictureSize, MalformedOrShortHeadersTellNothing)
{
    const std::string png = Png(16, 16);
    const std::string jpeg = kJpegStart + kJfif + JpegFrame(800, 600);
    const struct {
        const char* name;
        std::string bytes;
    } table[] = {
        {"empty", ""},
        {"text", "not a picture at all, just some words"},
        {"png cut in the header", png.substr(0, 20)},
        {"png signature only", kPngSignature},
        {"png first chunk not the header", Png(16, 16, 13, "IDAT")},
        {"png header chunk of the wrong length", Png(16, 16, 12)},
        {"png zero width", Png(0, 16)},
        {"png side beyond its format's limit", Png(0x80000000, 1)},
        {"bmp cut in the header", Bmp(10, 10).substr(0, 24)},
        {"bmp header size too small", Bmp(10, 10, 40).replace(14, 4, Le32(8))},
        {"bmp negative width", Bmp(-10, 10)},
        {"bmp zero height", Bmp(10, 0)},
        {"bmp core zero width", BmpCore(0, 5)},
        {"gif cut in the screen", GifScreen(10, 20).substr(0, 9)},
        {"gif without an image", GifScreen(10, 20) + kGifComment + ";"},
        {"gif cut in a sub-block", GifScreen(10, 20) + kGifComment.substr(0, 4)},
        {"gif colour table longer than the file", GifScreen(10, 20, 0x87) + GifImage(0, 0, 1, 1)},
        {"gif empty screen and image", GifScreen(0, 0) + GifImage(0, 0, 0, 0)},
        {"jpeg start only", kJpegStart},
        {"jpeg scan before a frame", kJpegStart + kJfif + kScanStart + JpegFrame(8, 8)},
        {"jpeg end before a frame", kJpegStart + "\xFF\xD9" + JpegFrame(8, 8)},
        {"jpeg segment shorter than its length", kJpegStart + "\xFF\xE0" + Be16(1) + JpegFrame(8, 8)},
        {"jpeg segment running past the end", kJpegStart + "\xFF\xE1" + Be16(0xFFFF) + JpegFrame(8, 8)},
        {"jpeg no marker where one belongs", kJpegStart + "abcd" + JpegFrame(8, 8)},
        {"jpeg frame cut short", jpeg.substr(0, jpeg.size() - 8)},
        {"jpeg frame length too small", kJpegStart + "\xFF\xC0" + Be16(4) + "\x08" + Be16(8) + Be16(8)},
        {"jpeg height left to a later marker", kJpegStart + JpegFrame(8, 0)},
        {"tiff directory past the end", Tiff(false, {{256, 3, 1, 8}, {257, 3, 1, 8}}, 0xFFFFFFF0)},
        {"tiff empty directory", Tiff(false, {})},
        {"tiff without a height", Tiff(true, {{256, 3, 1, 8}})},
        {"tiff width of a text type", Tiff(false, {{256, 2, 1, 8}, {257, 3, 1, 8}})},
        {"tiff width of many values", Tiff(false, {{256, 3, 2, 8}, {257, 3, 1, 8}})},
        {"tiff directory claims more entries than it has", Tiff(false, {{256, 3, 1, 8}}).replace(8, 2, Le16(900))},
        {"icon without images", IconDirectory(0)},
        {"icon image past the end", IconDirectory(1) + IconEntry(0xFFFFFFFF)},
        {"icon with one bad image of two", IconDirectory(2) + IconEntry(38) + IconEntry(2) + IconBitmap(8, 16)},
        {"icon bitmap of one row, which is its mask", IconDirectory(1) + IconEntry(22) + IconBitmap(8, 1)},
    };
    for (const auto& row : table)
        EXPECT_EQ(Describe(SizeOf(row.bytes)), Describe(kUnknown)) << row.name;
    EXPECT_FALSE(ReadPictureSize(nullptr, 0));
}

TEST(ReadPictureSize, AbsurdSizesAreReportedWithoutOverflow)
{
    const struct {
        const char* name;
        std::string bytes;
        PictureSize size;
    } table[] = {
        {"png at its format's limit", Png(0x7FFFFFFF, 0x7FFFFFFF), {0x7FFFFFFF, 0x7FFFFFFF}},
        {"bmp at the most negative height", Bmp(0x7FFFFFFF, INT32_MIN), {0x7FFFFFFF, 0x80000000}},
        {"gif image at the far corner", GifScreen(1, 1) + GifImage(0xFFFF, 0xFFFF, 0xFFFF, 0xFFFF), {0x1FFFE, 0x1FFFE}},
        {"jpeg", kJpegStart + JpegFrame(0xFFFF, 0xFFFF), {0xFFFF, 0xFFFF}},
        {"tiff", Tiff(false, {{256, 4, 1, 0xFFFFFFFF}, {257, 4, 1, 0xFFFFFFFF}}), {0xFFFFFFFF, 0xFFFFFFFF}},
        {"icon holding a huge png", IconDirectory(1) + IconEntry(22) + Png(16000, 16000), {16000, 16000}},
    };
    for (const auto& row : table) {
        const std::optional<PictureSize> size = SizeOf(row.bytes);
        EXPECT_EQ(Describe(size), Describe(row.size)) << row.name;
        EXPECT_FALSE(size && IsPictureSizeAllowed(*size)) << row.name;
    }
}

TEST(ReadPictureSize, WalksThroughEndlessSegmentsStop)
{
    EndlessFile jpeg(kJpegStart, JpegSegment(0xE1, "exif"));
    EndlessFile fillBytes(kJpegStart, "\xFF");
    EndlessFile gif(GifScreen(1, 1) + "\x21\xFE", "\x01x");
    for (EndlessFile* file : {&jpeg, &fillBytes, &gif}) {
        EXPECT_FALSE(ReadPictureSize(*file));
        EXPECT_LT(file->reads, 10000);
    }
}

TEST(IsPictureSizeAllowed, HoldsBothSidesAndTheirProduct)
{
    const struct {
        PictureSize size;
        bool allowed;
    } table[] = {
        {{1200, 524}, true}, {{4096, 4096}, true}, {{16384, 1024}, true}, {{1024, 16384}, true},
        {{16385, 1}, false}, {{1, 16385}, false},  {{4097, 4096}, false}, {{0xFFFFFFFF, 0xFFFFFFFF}, false},
    };
    for (const auto& row : table)
        EXPECT_EQ(IsPictureSizeAllowed(row.size), row.allowed) << row.size.width << " x " << row.size.height;
}
