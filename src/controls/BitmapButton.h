// CBitmapBtn: the owner-drawn push button every skinned button of the window derives from.
// It holds the four state faces, the caption with its font and colours, and the shared
// behaviour: hover tracking, click on press or on release, selection, toggle mode, tool tip.
// The drawing belongs to the derived classes.
#pragma once

#include "controls/ButtonToolTip.h"
#include "controls/HoverTracker.h"
#include "framework/Button.h"
#include "skin/SkinImageSet.h"

#include <array>
#include <string>

// Which of a button's four caption colours a state uses.
enum class CaptionColour { kNormal, kOver, kDown, kDisabled };

// The state a button is drawn in; pressed and disabled come from the draw request.
struct ButtonState {
    bool toggleMode = false;
    bool selected = false;
    bool pressed = false;
    bool hover = false;
    bool disabled = false;
};

// What a button wears in one state: a face and an icon (SkinImageSet states) and a caption colour.
struct ButtonLook {
    int face = SkinImageSet::kNormal;
    CaptionColour caption = CaptionColour::kNormal;
    int icon = SkinImageSet::kNormal;
    friend bool operator==(const ButtonLook&, const ButtonLook&) = default;
};

class CBitmapBtn : public CButton {
public:
    static constexpr int kClickOnPress = 1;
    static constexpr int kClickOnRelease = 2;
    static constexpr size_t kCaptionColourCount = 4;

    // When a press becomes a click: on the press or on the release, and the shortest time
    // between two clicks on release (0: any).
    struct ClickPolicy {
        int mode = kClickOnPress;
        DWORD guardMs = 0;
    };
    static constexpr int kAlignLeft = 0;
    static constexpr int kAlignCentre = 1;
    static constexpr int kAlignCentreBottom = 8; // list buttons only; any other value is right

    // Each face becomes the crop of its source at rect (callers pass the button's own size);
    // the border and tab-stop styles go.
    void SetImages(const RECT& rect, const Bitmap& normal, const Bitmap& over, const Bitmap& down,
                   const Bitmap& disabled);
    // Repaints only when the text or the margin changes.
    void SetCaption(const std::wstring& text, int margin = 0, bool marginOnLeft = false);
    const std::wstring& GetCaption() const noexcept { return m_caption; }
    void SetTextColors(COLORREF normal, COLORREF over, COLORREF down, COLORREF disabled);
    void SetFontHeight(int height) noexcept { m_fontHeight = height; }
    // The caption's font face; an empty one (the default) is the skin's face at each paint.
    // Repaints when it changes.
    void SetFontFace(const std::wstring& face);
    // The face the caption is drawn in.
    std::wstring CaptionFontFace() const;
    void SetAlignment(int alignment) noexcept { m_alignment = alignment; }
    // The latched look of radio rows; ends hover, so the over look returns with the next move.
    void SetSelected(bool on);
    void SetToggleMode();
    void SetNotifyOnRelease() noexcept { m_click.mode = kClickOnRelease; }
    void SetTooltipText(const wchar_t* text, bool activate);

    bool IsSelected() const noexcept { return m_selected; }
    bool IsHovered() const noexcept { return m_hover.IsOn(); }
    bool IsToggleMode() const noexcept { return m_toggleMode; }
    int ClickMode() const noexcept { return m_click.mode; }
    const CButtonToolTip& ToolTip() const noexcept { return m_toolTip; }

    BOOL PreTranslateMessage(MSG* msg) override;
    void PreSubclassWindow() override;
    void DrawItem(DRAWITEMSTRUCT* item) override = 0;

protected:
    CBitmapBtn() noexcept = default;
    // enterReport: what hover posts to the owner when the pointer enters (0: nothing).
    CBitmapBtn(ClickPolicy click, UINT enterReport, const std::array<COLORREF, kCaptionColourCount>& colours) noexcept
        : m_hover(enterReport), m_colours(colours), m_click(click)
    {
    }

    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

    // Hover forgotten without a repaint.
    void ForgetHover() noexcept { m_hover.Clear(); }
    ButtonState StateOf(const DRAWITEMSTRUCT& item) const noexcept;
    COLORREF ColourOf(CaptionColour colour) const noexcept;
    const Bitmap& Face(int state) const noexcept { return m_faces[static_cast<size_t>(state)]; }
    // The caption's DrawText alignment flags for alignments 0 (left), 1 (centre), other (right).
    UINT HorizontalAlignment() const noexcept;
    // The whole button, erased, as every setter that changes the look repaints it.
    void Repaint() const noexcept { Invalidate(true); }

    int m_alignment = kAlignCentre;
    int m_margin = 0;
    bool m_marginOnLeft = false;
    int m_fontWeight = 500;
    int m_fontHeight = 15;
    std::wstring m_fontFace;
    std::wstring m_caption;
    bool m_selected = false;

private:
    LRESULT OnMouseMove(WPARAM keys, LPARAM point);
    LRESULT OnLButtonDown();
    LRESULT OnLButtonUp(LPARAM point);
    LRESULT OnLButtonDblClk();
    LRESULT OnCaptureChanged();
    void ClearHover();

    CButtonToolTip m_toolTip;
    bool m_toggleMode = false;
    DWORD m_lastNotifyTick = 0;
    CHoverTracker m_hover;
    std::array<Bitmap, SkinImageSet::kStateCount> m_faces;
    // normal, over, down, disabled; the creator sets all four before the first paint
    std::array<COLORREF, kCaptionColourCount> m_colours{RGB(0xD0, 0xD0, 0xD0), RGB(0, 0, 0), RGB(0xFF, 0xFF, 0xFF),
                                                        RGB(0x46, 0x46, 0x46)};
    ClickPolicy m_click;
};
