// Screen captures: one BitBlt from the screen, pixel comparison, PNG output through GDI+.
#include "Screenshot.h"

#include "framework/Handles.h"
#include "skin/DibOperations.h"

#include <gdiplus.h>

#include <algorithm>
#include <memory>
#include <vector>

namespace {

// The pixels of a bitmap as top-down 32-bit rows.
std::vector<DWORD> ReadPixels(const Bitmap& image)
{
    std::vector<DWORD> pixels(static_cast<size_t>(image.width()) * image.height());
    BITMAPINFO info{};
    info.bmiHeader = {sizeof(BITMAPINFOHEADER), image.width(), -image.height(), 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    WindowDc screen(nullptr);
    if (pixels.empty() ||
        !::GetDIBits(screen, image.get(), 0, static_cast<UINT>(image.height()), pixels.data(), &info, DIB_RGB_COLORS))
        return {};
    return pixels;
}

bool PngEncoder(CLSID* clsid)
{
    UINT count = 0;
    UINT bytes = 0;
    if (Gdiplus::GetImageEncodersSize(&count, &bytes) != Gdiplus::Ok || bytes == 0)
        return false;
    std::vector<BYTE> storage(bytes);
    auto* codecs = reinterpret_cast<Gdiplus::ImageCodecInfo*>(storage.data());
    if (Gdiplus::GetImageEncoders(count, bytes, codecs) != Gdiplus::Ok)
        return false;
    for (UINT i = 0; i < count; ++i)
        if (std::wstring(codecs[i].MimeType) == L"image/png") {
            *clsid = codecs[i].Clsid;
            return true;
        }
    return false;
}

} // namespace

Bitmap CaptureClient(HWND wnd, const RECT& area)
{
    Bitmap shot;
    CreateDib32(area.right - area.left, area.bottom - area.top, &shot);
    POINT origin{area.left, area.top};
    ::ClientToScreen(wnd, &origin);
    WindowDc screen(nullptr);
    MemoryDc target(screen);
    if (shot.empty() || !target)
        return {};
    SelectGuard select(target, shot.get());
    ::BitBlt(target, 0, 0, shot.width(), shot.height(), screen, origin.x, origin.y, SRCCOPY);
    return shot;
}

int CountDifferences(const Bitmap& a, const Bitmap& b)
{
    const std::vector<DWORD> left = ReadPixels(a);
    const std::vector<DWORD> right = ReadPixels(b);
    const int width = std::min(a.width(), b.width());
    const int height = std::min(a.height(), b.height());
    if (left.empty() || right.empty())
        return 0;
    int differences = 0;
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            differences +=
                ((left[static_cast<size_t>(y) * a.width() + x] ^ right[static_cast<size_t>(y) * b.width() + x]) &
                 0x00FFFFFF) != 0;
    return differences;
}

bool SavePng(const Bitmap& image, const std::wstring& path)
{
    CLSID png{};
    if (image.empty() || !PngEncoder(&png))
        return false;
    std::unique_ptr<Gdiplus::Bitmap> encoded(Gdiplus::Bitmap::FromHBITMAP(image.get(), nullptr));
    return encoded && encoded->Save(path.c_str(), &png, nullptr) == Gdiplus::Ok;
}
