// KeptFont: made on first use and again when its description changes.
#include "skin/KeptFont.h"

HFONT KeptFont::Get(const Description& description)
{
    if (m_font && description == m_description)
        return m_font.get();
    m_font.reset(::CreateFontW(description.height, 0, 0, 0, description.weight, FALSE, FALSE, FALSE, DEFAULT_CHARSET,
                               OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, description.quality, description.pitchAndFamily,
                               description.face.c_str()));
    m_description = description;
    return m_font.get();
}
