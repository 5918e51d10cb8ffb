// CValueControl: what the image sliders and the hue knob share: the child window, the range and
// the stored value, the report to the parent, the drag with its capture, and the paint path.
#pragma once

#include "controls/SliderGeometry.h"
#include "controls/SliderWindow.h"
#include "framework/Wnd.h"
#include "skin/Bitmap.h"
#include "skin/Surface.h"

#include <windows.h>

// A value control proposes values to its parent (WM_SLIDER_POS); how a value is shown and which
// moves report it belong to the derived control.
class CValueControl : public CWnd {
public:
    // id: what the control reports with until it is created with its own.
    explicit CValueControl(UINT id = 0) noexcept : m_id(id) {}

    // Stores the bounds and brings the stored value into them.
    void SetRange(int minimum, int maximum);

    int GetRangeMin() const noexcept { return m_minimum; }
    int GetRangeMax() const noexcept { return m_maximum; }
    UINT GetControlId() const noexcept { return m_id; }
    bool IsDragging() const noexcept { return m_dragging; }

protected:
    // Creates the child window at rect; the range starts as 0..10 with the stored value 0.
    bool CreateValueControl(const RECT& rect, HWND parent, UINT id);
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

    // The face on a cleared surface the size of the client.
    virtual void Compose(HDC dc, SIZE size) const = 0;
    // The value a wheel turn of delta proposes.
    virtual int WheelValue(int delta) const = 0;
    // The control's images go with its window.
    virtual void ReleaseImages() = 0;
    // The drag began or ended; the face may show it.
    virtual void OnDragChanged() {}

    // The press starts a drag that holds the capture.
    LRESULT OnLButtonDown();
    // Ends the drag and gives back the capture if the control still holds it.
    void EndDrag();
    void Report(int value) const noexcept;
    SIZE ClientSize() const noexcept;
    slider::Range Range() const noexcept { return {m_minimum, m_maximum}; }
    // target becomes the crop of source, or empty when source is.
    static void KeepCrop(Bitmap& target, const Bitmap& source, int left, int top, int right, int bottom);

    int m_value = 0; // as the control stores it; the knob's is on its internal scale
    bool m_enabled = true;

private:
    void Paint(HDC target, const RECT& area) const;
    LRESULT OnCaptureChanged(HWND gainedBy);

    UINT m_id;
    HWND m_parent = nullptr;
    int m_minimum = 0;
    int m_maximum = 10;
    bool m_dragging = false;
    mutable KeptSurface m_surface; // composing changes no state of the control
};
