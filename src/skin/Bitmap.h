// Bitmap: an owned bitmap handle that knows its size; copies are explicit.
#pragma once

#include "framework/Handles.h"

#include <windows.h>

class Bitmap {
public:
    Bitmap() noexcept = default;
    // Takes ownership of handle; the size is read from the bitmap itself.
    explicit Bitmap(HBITMAP handle) noexcept { Attach(handle); }

    Bitmap(Bitmap&&) noexcept = default;
    Bitmap& operator=(Bitmap&&) noexcept = default;
    Bitmap(const Bitmap&) = delete;
    Bitmap& operator=(const Bitmap&) = delete;

    // A deep copy of the pixels (a 32-bit section when the source is 32 bits per pixel).
    Bitmap Clone() const;

    HBITMAP get() const noexcept { return m_handle.get(); }
    explicit operator bool() const noexcept { return static_cast<bool>(m_handle); }
    bool empty() const noexcept { return !m_handle; }
    int width() const noexcept { return m_width; }
    int height() const noexcept { return m_height; }
    SIZE size() const noexcept { return {m_width, m_height}; }
    // Bits per pixel of the image (32 for premultiplied faces); 0 when empty.
    int depth() const noexcept { return m_depth; }

    // Deletes the image held and takes handle (which may be null) in its place.
    void Attach(HBITMAP handle) noexcept;
    HBITMAP Detach() noexcept;
    void Reset() noexcept { Attach(nullptr); }

private:
    GdiBitmap m_handle;
    int m_width = 0;
    int m_height = 0;
    int m_depth = 0;
};
