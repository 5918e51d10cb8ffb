// CBitmapBtnEx: a skinned button drawn opaque, its face with an optional one-line caption.
#pragma once

#include "controls/BitmapButton.h"
#include "skin/Surface.h"

class CBitmapBtnEx : public CBitmapBtn {
public:
    // The face and caption colour of a state (first matching row of the look table).
    static ButtonLook ChooseLook(const ButtonState& state) noexcept;

    void DrawItem(DRAWITEMSTRUCT* item) override;

private:
    KeptSurface m_surface;
};
