// Bitmap: ownership, size and explicit copies.
#include "skin/Bitmap.h"

#include "framework/Handles.h"

void Bitmap::Attach(HBITMAP handle) noexcept
{
    m_handle.reset(handle);
    BITMAP info{};
    if (handle && ::GetObjectW(handle, sizeof(info), &info)) {
        m_width = info.bmWidth;
        m_height = info.bmHeight < 0 ? -info.bmHeight : info.bmHeight;
        m_depth = info.bmBitsPixel;
    } else {
        m_width = m_height = m_depth = 0;
    }
}

HBITMAP Bitmap::Detach() noexcept
{
    m_width = m_height = m_depth = 0;
    return m_handle.release();
}

Bitmap Bitmap::Clone() const
{
    if (empty())
        return {};
    BITMAPINFO bmi{};
    bmi.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    bmi.bmiHeader.biWidth = m_width;
    bmi.bmiHeader.biHeight = m_height;
    bmi.bmiHeader.biPlanes = 1;
    bmi.bmiHeader.biBitCount = 32;
    bmi.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    Bitmap copy(::CreateDIBSection(nullptr, &bmi, DIB_RGB_COLORS, &bits, nullptr, 0));
    if (copy.empty())
        return {};
    MemoryDc source;
    MemoryDc target;
    SelectGuard selectSource(source, get());
    SelectGuard selectTarget(target, copy.get());
    ::BitBlt(target, 0, 0, m_width, m_height, source, 0, 0, SRCCOPY);
    return copy;
}
