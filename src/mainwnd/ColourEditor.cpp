// CHalcyDlg: the colour editor: slots, presets, RGB and HSV controls and the colour fields,
// all showing the colour of the selected slot and storing it at once.
#include "mainwnd/HalcyDlg.h"

#include "controls/SelectInGroup.h"
#include "settings/ColourConversions.h"

#include <algorithm>
#include <cmath>
#include <cwchar>

namespace {

constexpr float kPercent = 100.0f;
constexpr float kPercentToFraction = 0.01f;
constexpr int kComponentMax = 255;
constexpr size_t kHexDigits = 6;
constexpr WPARAM kEnterKey = VK_RETURN;
constexpr const wchar_t* kComponentMaxText = L"255";
constexpr const wchar_t* kComponentMinText = L"0";

int Trunc(float value)
{
    return static_cast<int>(value); // toward zero, as the fields and sliders show it
}

// Only the low 8 bits of each component make it into a colour word.
ColourWord MakeColourWord(int r, int g, int b)
{
    return static_cast<ColourWord>((r & 0xFF) | ((g & 0xFF) << 8) | ((b & 0xFF) << 16));
}

float ReadFloat(const std::wstring& text)
{
    return static_cast<float>(std::wcstod(text.c_str(), nullptr));
}

int ReadInt(const std::wstring& text)
{
    return static_cast<int>(std::wcstol(text.c_str(), nullptr, 10));
}

} // namespace

ColourWord* CHalcyDlg::TargetColours() noexcept
{
    return m_audioSwShown == 1 ? m_cfg.fMusicInfo.colours : RecordInUse().colours;
}

std::int32_t& CHalcyDlg::TargetSameColour() noexcept
{
    return m_audioSwShown == 1 ? m_cfg.fMusicInfo.sameColour : RecordInUse().sameColour;
}

void CHalcyDlg::OnColourEdited(ColourSource source)
{
    float r, g, b;
    if (source == ColourSource::fromRgb) {
        r = static_cast<float>(m_sliderRed.GetPos());
        g = static_cast<float>(m_sliderGreen.GetPos());
        b = static_cast<float>(m_sliderBlue.GetPos());
        const Hsv hsv = RgbToHsv(r, g, b);
        m_hue = Trunc(hsv.h);
        m_knobHue.SetPos(m_hue);
        float saturation = std::min(hsv.s * kPercent, kPercent);
        if (!(saturation > 0.0f))
            saturation = 0.0f;
        m_sliderSaturation.SetPos(Trunc(saturation));
        m_sliderBrightness.SetPos(Trunc(hsv.v));
    } else {
        // The hue in hand, not the knob's: a turn of the knob has 359 steps, so it reads hue 0
        // back as 359, and converting that would tint a pure colour.
        const float h = static_cast<float>(m_hue);
        const float s = static_cast<float>(m_sliderSaturation.GetPos()) * kPercentToFraction;
        const float v = static_cast<float>(m_sliderBrightness.GetPos());
        const Rgb rgb = HsvToRgb(h, s, v);
        r = rgb.r;
        g = rgb.g;
        b = rgb.b;
        m_sliderRed.SetPos(Trunc(r));
        m_sliderGreen.SetPos(Trunc(g));
        m_sliderBlue.SetPos(Trunc(b));
    }

    m_editRgb[0].ShowText(std::to_wstring(Trunc(r)));
    m_editRgb[1].ShowText(std::to_wstring(Trunc(g)));
    m_editRgb[2].ShowText(std::to_wstring(Trunc(b)));

    const ColourWord colour = MakeColourWord(Trunc(r), Trunc(g), Trunc(b));
    ColourWord* target = TargetColours();
    if (TargetSameColour() != 0) {
        for (int i = 0; i < kColourSlots; ++i) {
            m_swatch[i].SetColor(Trunc(r), Trunc(g), Trunc(b));
            target[i] = colour;
        }
    } else if (m_selectedSwatch) {
        m_selectedSwatch->SetColor(Trunc(r), Trunc(g), Trunc(b));
        target[m_selectedSwatch - m_swatch] = colour;
    }
    m_editHex.ShowText(RgbToHexText(r, g, b));
}

void CHalcyDlg::SetRgbSliders(COLORREF colour)
{
    m_sliderRed.SetPos(GetRValue(colour));
    m_sliderGreen.SetPos(GetGValue(colour));
    m_sliderBlue.SetPos(GetBValue(colour));
}

void CHalcyDlg::CommitColourField(CClrEdit* field)
{
    int r, g, b;
    if (field == &m_editHex) {
        const Rgb rgb = HexTextToRgb(m_editHex.GetText());
        r = Trunc(rgb.r);
        g = Trunc(rgb.g);
        b = Trunc(rgb.b);
    } else {
        // A pasted value never passed the key-up limit: keep it to a component's range, so
        // the sliders, the fields and the stored colour agree.
        r = std::clamp(ReadInt(m_editRgb[0].GetText()), 0, kComponentMax);
        g = std::clamp(ReadInt(m_editRgb[1].GetText()), 0, kComponentMax);
        b = std::clamp(ReadInt(m_editRgb[2].GetText()), 0, kComponentMax);
    }
    m_sliderRed.SetPos(r);
    m_sliderGreen.SetPos(g);
    m_sliderBlue.SetPos(b);
    OnColourEdited(ColourSource::fromRgb);
    m_pendingEdit = nullptr;
    ::SetFocus(m_btnProfile[0].m_hWnd);
}

void CHalcyDlg::OnSlotClicked(HWND source)
{
    int slot = -1;
    SelectInGroup(m_swatch, source, &slot);
    if (slot < 0)
        return;
    SetRgbSliders(m_swatch[slot].GetColor());
    m_selectedSwatch = &m_swatch[slot];
    m_selectedSlot = slot;
    OnColourEdited(ColourSource::fromRgb);
}

void CHalcyDlg::OnPresetClicked(HWND source)
{
    int preset = -1;
    SelectInGroup(m_preset, source, &preset);
    if (preset < 0)
        return;
    const COLORREF colour = m_preset[preset].GetColor();
    SetRgbSliders(colour);
    m_swatch[m_selectedSlot].SetColor(GetRValue(colour), GetGValue(colour), GetBValue(colour));
    OnColourEdited(ColourSource::fromRgb);
}

void CHalcyDlg::OnSameColourClicked()
{
    const bool on = !m_btnSameColour.IsSelected();
    m_btnSameColour.SetSelected(on);
    m_selectedSwatch = &m_swatch[0];
    m_selectedSlot = 0;
    TargetSameColour() = on ? 1 : 0;
    RefreshPanel(true);
}

void CHalcyDlg::TakePendingColour()
{
    if (m_pendingEdit)
        CommitColourField(m_pendingEdit);
}

// A field takes the value typed into another field before it, so moving from field to field
// keeps what was typed in each.
void CHalcyDlg::OnColourFieldClicked(CClrEdit& field)
{
    if (m_pendingEdit && m_pendingEdit != &field)
        CommitColourField(m_pendingEdit);
    m_pendingEdit = &field;
}

CClrEdit* CHalcyDlg::ColourFieldOf(HWND wnd) noexcept
{
    if (!wnd)
        return nullptr;
    if (wnd == m_editHex.m_hWnd)
        return &m_editHex;
    for (CClrEdit& edit : m_editRgb)
        if (edit.m_hWnd == wnd)
            return &edit;
    return nullptr;
}

// The key-up rules bring a field's text into range or form; a text already in form is left
// alone, and a replaced one keeps the caret where the person left it.
void CHalcyDlg::OnColourFieldKeyUp(CClrEdit& field, WPARAM key)
{
    if (&field == &m_editHex) {
        const std::wstring text = field.GetText();
        if (key == kEnterKey || text.size() == kHexDigits) {
            const Rgb rgb = HexTextToRgb(text);
            field.ReplaceText(RgbToHexText(rgb.r, rgb.g, rgb.b));
        }
        if (key == kEnterKey)
            TakePendingColour();
        return;
    }
    float x = ReadFloat(field.GetText());
    if (key == kEnterKey) {
        x = std::min(x, static_cast<float>(kComponentMax));
        if (!(x > 0.0f))
            x = 0.0f;
        field.ReplaceText(std::to_wstring(Trunc(x)));
        TakePendingColour();
    } else if (x > kComponentMax) {
        field.ReplaceText(kComponentMaxText);
    } else if (x < 0.0f) {
        field.ReplaceText(kComponentMinText);
    }
}
