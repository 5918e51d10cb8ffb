// CHalcyDlg: the colour editor: slots, presets, RGB and HSV controls and the colour fields,
// all showing the colour of the selected slot and storing it at once.
#include "mainwnd/HalcyDlg.h"

#include "controls/SelectInGroup.h"
#include "settings/ColourConversions.h"

#include <algorithm>
#include <cwchar>

namespace {

constexpr int kComponentMax = 255;
constexpr size_t kHexDigits = 6;
constexpr WPARAM kEnterKey = VK_RETURN;
constexpr const wchar_t* kComponentMaxText = L"255";
constexpr const wchar_t* kComponentMinText = L"0";

int Trunc(float value)
{
    return static_cast<int>(value); // toward zero, as the fields show it
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

// Takes `colour` as the one in hand, stores it and brings every control of the editor in step,
// except those the person moved, which already show it.
void CHalcyDlg::EditColour(const EditorColour& colour, ColourSource moved)
{
    m_cursor.EditColour(colour);
    if (moved != ColourSource::rgbSlider)
        SetRgbSliders(colour);
    if (moved != ColourSource::hsvControl) {
        m_ui.hue.SetPos(colour.hue);
        m_ui.saturation.SetPos(colour.saturation);
        m_ui.brightness.SetPos(colour.brightness);
    }

    m_ui.rgbField[0].ShowText(std::to_wstring(colour.r));
    m_ui.rgbField[1].ShowText(std::to_wstring(colour.g));
    m_ui.rgbField[2].ShowText(std::to_wstring(colour.b));

    if (m_cursor.EditedSameColour() != 0) {
        for (CColorBtn2& swatch : m_ui.slot)
            swatch.SetColor(colour.r, colour.g, colour.b);
    } else {
        m_ui.slot[m_cursor.Slot()].SetColor(colour.r, colour.g, colour.b);
    }
    m_ui.hexField.ShowText(colour.HexText());
}

void CHalcyDlg::SetRgbSliders(const EditorColour& colour)
{
    m_ui.red.SetPos(colour.r);
    m_ui.green.SetPos(colour.g);
    m_ui.blue.SetPos(colour.b);
}

void CHalcyDlg::CommitColourField(CClrEdit* field)
{
    EditorColour typed;
    if (field == &m_ui.hexField) {
        const Rgb rgb = HexTextToRgb(m_ui.hexField.GetText());
        typed = FromRgb(Trunc(rgb.r), Trunc(rgb.g), Trunc(rgb.b));
    } else {
        // A pasted value never passed the key-up limit: keep it to a component's range, so
        // the sliders, the fields and the stored colour agree.
        auto component = [](const CClrEdit& edit) { return std::clamp(ReadInt(edit.GetText()), 0, kComponentMax); };
        typed = FromRgb(component(m_ui.rgbField[0]), component(m_ui.rgbField[1]), component(m_ui.rgbField[2]));
    }
    EditColour(typed, ColourSource::elsewhere);
    m_pendingEdit = nullptr;
    ::SetFocus(m_ui.profile[0].m_hWnd);
}

void CHalcyDlg::OnSlotClicked(HWND source)
{
    int slot = -1;
    SelectInGroup(m_ui.slot, source, &slot);
    if (slot < 0)
        return;
    m_cursor.ChooseSlot(slot);
    EditColour(FromWord(m_cursor.EditedColours()[slot]), ColourSource::elsewhere);
}

void CHalcyDlg::OnPresetClicked(HWND source)
{
    int preset = -1;
    SelectInGroup(m_ui.preset, source, &preset);
    if (preset < 0)
        return;
    EditColour(FromWord(kDefaultPalette[static_cast<size_t>(preset)]), ColourSource::elsewhere);
}

void CHalcyDlg::OnSameColourClicked()
{
    const bool on = !m_ui.sameColour.IsSelected();
    m_ui.sameColour.SetSelected(on);
    m_cursor.ChooseSlot(0);
    m_cursor.EditedSameColour() = on ? 1 : 0;
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
    if (wnd == m_ui.hexField.m_hWnd)
        return &m_ui.hexField;
    for (CClrEdit& edit : m_ui.rgbField)
        if (edit.m_hWnd == wnd)
            return &edit;
    return nullptr;
}

// The key-up rules bring a field's text into range or form; a text already in form is left
// alone, and a replaced one keeps the caret where the person left it.
void CHalcyDlg::OnColourFieldKeyUp(CClrEdit& field, WPARAM key)
{
    if (&field == &m_ui.hexField) {
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
