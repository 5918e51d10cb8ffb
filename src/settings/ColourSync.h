// The colour editor's values kept in step: the one colour in hand as red, green and blue, as
// hue, saturation and brightness, and as a colour word, each as the sliders, the knob and the
// fields show it. Moving one side computes the other from the values in hand, never from what
// a control reads back.
#pragma once

#include "settings/SettingsBlock.h"

#include <string>

struct EditorColour {
    int r = 0, g = 0, b = 0; // 0..255
    int hue = 0;             // degrees, 0..359
    int saturation = 0;      // percent
    int brightness = 0;      // 0..255, the scale of the components

    // Only the low 8 bits of each component make it into the word.
    ColourWord Word() const noexcept;
    // "RRGGBB", as the hexadecimal field shows it.
    std::wstring HexText() const;
};

// The colour from its components, with the hue, saturation and brightness they give.
EditorColour FromRgb(int r, int g, int b) noexcept;
// The colour from hue, saturation (percent) and brightness, with the components they give.
// The hue is kept as given: converting back would tint a pure colour.
EditorColour FromHsv(int hue, int saturation, int brightness) noexcept;
// The colour of a stored word (0x00BBGGRR).
EditorColour FromWord(ColourWord word) noexcept;
