// KeptFont: a control's caption font kept from one paint to the next and made again only when
// what it is made from changes (a language may bring another face). Making a font at every
// paint costs a font match each time.
#pragma once

#include "framework/Handles.h"

#include <windows.h>

#include <string>

class KeptFont {
public:
    struct Description {
        int height = 0;
        int weight = FW_NORMAL;
        BYTE quality = DEFAULT_QUALITY;
        BYTE pitchAndFamily = DEFAULT_PITCH;
        std::wstring face;

        bool operator==(const Description&) const = default;
    };

    // The font of that description, or null when none can be made.
    HFONT Get(const Description& description);

private:
    Description m_description;
    GdiFont m_font;
};
