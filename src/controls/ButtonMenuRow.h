// CPngMenuRow: one row of the drop-down list (CPngBtnMenu). A list button that tells its list
// where the pointer is, so the list can open and close sub-lists while the row holds the
// mouse capture for its hover look, and that marks an item with sub-items with a small
// right-pointing triangle.
#pragma once

#include "controls/ListButton.h"

// Sent by a row to its list (and posted by a sub-list to its parent list) when the pointer
// moves: lParam the pointer in screen coordinates (GET_X_LPARAM / GET_Y_LPARAM), wParam 0.
constexpr UINT kMenuPointerMessage = WM_APP + 0x257;

class CPngMenuRow : public CPngListBtn {
public:
    static constexpr int kMarkerWidth = 4;  // the triangle's depth
    static constexpr int kMarkerHeight = 7; // the triangle's base
    static constexpr int kMarkerRight = 6;  // distance of its point from the row's right edge

    // Shows or hides the sub-item marker; repaints when it changes.
    void SetSubItemMarker(bool on);
    bool HasSubItemMarker() const noexcept { return m_marker; }

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    void DrawOverFace(HDC dc, SIZE size, const ButtonLook& look) const override;

private:
    bool m_marker = false;
};
