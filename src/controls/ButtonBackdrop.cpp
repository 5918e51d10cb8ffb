// ButtonBackdrop: the background piece, cropped in the button's own DC format.
#include "controls/ButtonBackdrop.h"

#include "framework/Handles.h"

void ButtonBackdrop::Set(HWND button, int left, int top, int right, int bottom, const Bitmap& source)
{
    WindowDc reference(button);
    CropBitmap(reference, m_background, source, left, top, right, bottom);
}
