// MainControls: the main window's controls as a person sees them. The main dialog creates and
// dresses them from the skin, shows in them what its editing cursor holds and takes their
// commands; code that drives the window as a person would (tests, the benchmark) reaches them
// through the dialog's Controls().
#pragma once

#include "controls/ColourEdit.h"
#include "controls/HSliderBar.h"
#include "controls/Knob.h"
#include "controls/ListButton.h"
#include "controls/SwatchButton.h"
#include "controls/VSliderBar.h"
#include "mainwnd/EditCursor.h"
#include "settings/SettingsBlock.h"

constexpr int kPresetCount = 5;
constexpr int kVariantCount = 2;
constexpr int kRgbFieldCount = 3;

struct MainControls {
    CPngListBtn minimise;
    CPngListBtn close;
    CPngListBtn language;
    CPngListBtn apply;
    CPngListBtn reset; // back to the mode's own settings
    CPngListBtn audioSwitch;
    CPngListBtn ledSwitch; // selected while the lighting is off
    CPngListBtn syncSwitch;
    CPngListBtn razerSwitch;
    CPngListBtn group[kMaxGroups];
    CPngListBtn profile[kProfileCount];
    CPngListBtn mode[kModeCount];
    CPngVSliderBar modeScroll;
    CPngHSliderBar red;
    CPngHSliderBar green;
    CPngHSliderBar blue;
    CPngHSliderBar saturation;
    CPngHSliderBar brightness;
    CPngHSliderBar speed;
    CPngRSliderBar2 hue;
    CPngHSliderBar level; // the music level
    CClrEdit rgbField[kRgbFieldCount];
    CClrEdit hexField;
    CColorBtn2 slot[kColourSlots];
    CColorBtn2 preset[kPresetCount];
    CPngListBtn variant[kVariantCount];
    CPngListBtn sameColour;
};
