// CPngSliderBar: what the horizontal and the vertical image slider share: the images, the
// thumb's looks, the pointer and hover handling, and the face.
#pragma once

#include "controls/HoverTracker.h"
#include "controls/ValueControl.h"
#include "skin/Bitmap.h"

#include <windows.h>

// The slider never decides its own value: a drag, a release or a wheel turn only proposes one
// to the parent (WM_SLIDER_POS), and the parent sets it back with SetPos if it agrees. So a
// parent that ignores the report leaves the thumb where it was.
//
// The face is the parent's background behind the control, the track cut in two at the thumb
// (a filled part and a plain part) and the thumb in its state: normal, over while the pointer
// is on the control, down while dragged, disabled.
class CPngSliderBar : public CValueControl {
public:
    // Each image becomes its crop at (left, top)-(right, bottom); callers pass the control's
    // own size. An empty image leaves that piece of the face empty.
    void SetTrackImages(int left, int top, int right, int bottom, const Bitmap& normal, const Bitmap& down,
                        const Bitmap& disabled);
    // Copies of the four thumb faces; the thumb takes the size of the normal one. thumbAtTop
    // puts a horizontal slider's thumb at the top edge instead of the bottom edge.
    void SetThumbImages(const Bitmap& normal, const Bitmap& over, const Bitmap& down, const Bitmap& disabled,
                        bool thumbAtTop);
    // The piece (left, top)-(right, bottom) of the parent's background, the control's own
    // rectangle in the parent, shows through the transparent parts of the face. An empty
    // background keeps the backdrop the control has.
    void SetBackground(int left, int top, int right, int bottom, const Bitmap& parentBackground);
    // Stored as given, even outside the range: the thumb is then drawn off the track.
    void SetPos(int value);

    int GetPos() const noexcept { return m_value; }
    bool IsHovered() const noexcept { return m_hover.IsOn(); }
    bool IsThumbAtTop() const noexcept { return m_thumbAtTop; }

protected:
    // Creates the child window at rect; the range starts as 0..10 with the value 0.
    bool CreateSlider(const RECT& rect, HWND parent, UINT id) { return CreateValueControl(rect, parent, id); }
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

    // What differs between the two directions.
    virtual int ValueAt(POINT client, SIZE size) const = 0;
    virtual POINT ThumbOrigin(SIZE size) const = 0;
    virtual void DrawTrack(HDC dc, POINT thumb, SIZE size) const = 0;

    Bitmap m_trackNormal;
    Bitmap m_trackDown;
    Bitmap m_trackDisabled;
    bool m_thumbAtTop = false;
    int m_thumbWidth = 0;
    int m_thumbHeight = 0;

private:
    LRESULT OnMouseMove(WPARAM keys, LPARAM point);
    LRESULT OnLButtonUp(LPARAM point);
    void OnMouseLeave();
    // The thumb shows the drag.
    void OnDragChanged() override { RedrawNow(); }
    void ReleaseImages() override;
    // Backdrop, track, thumb.
    void Compose(HDC dc, SIZE size) const override;
    const Bitmap& CurrentThumb() const noexcept;
    int ValueAtPointer(LPARAM point) const;

    Bitmap m_thumbNormal;
    Bitmap m_thumbOver;
    Bitmap m_thumbDown;
    Bitmap m_thumbDisabled;
    Bitmap m_backdrop;
    CHoverTracker m_hover;
};
