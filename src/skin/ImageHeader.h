// Picture dimensions read from a file's header before any decoder sees its pixels: PNG, BMP,
// GIF, JPEG, TIFF and ICO, the raster formats GDI+ opens. Platform-free, so the native build
// tests and fuzzes it.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>

struct PictureSize {
    std::uint32_t width = 0;
    std::uint32_t height = 0;
    friend bool operator==(const PictureSize&, const PictureSize&) = default;
};

// The largest picture a skin may hold. 16 Mpx decode to 64 MiB of 32-bit pixels, 26 times
// the shipped background (1200 x 524) and enough for a full-screen 4K background; one side may
// reach 16384 so that long strips of faces still fit.
constexpr std::uint32_t kMaxPictureSide = 16384;
constexpr std::uint64_t kMaxPicturePixels = std::uint64_t{1} << 24;

// Random access to the bytes of a picture file.
class PictureBytes {
public:
    virtual ~PictureBytes() = default;
    // Copies up to count bytes from offset on; returns how many the file has there.
    virtual std::size_t Read(std::uint64_t offset, unsigned char* to, std::size_t count) = 0;
};

// The size the header states. Nothing when the format is none of the six, the header is cut
// short or malformed, a side is zero, or the walk to the size goes beyond its bounds (JPEG
// segments, GIF blocks, TIFF and ICO directory entries).
std::optional<PictureSize> ReadPictureSize(PictureBytes& file);
std::optional<PictureSize> ReadPictureSize(const unsigned char* bytes, std::size_t count);

// Within both limits above.
bool IsPictureSizeAllowed(const PictureSize& size);
