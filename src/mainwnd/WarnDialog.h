// CWarnDlg: the skinned question about the SSD group, shown modally over the masked main
// window. Close ends it with IDCANCEL; retry looks for SSD devices again and ends it with
// IDOK once there are some.
#pragma once

#include "controls/ListButton.h"
#include "devices/DeviceList.h"
#include "framework/Dialog.h"
#include "skin/Bitmap.h"
#include "skin/Surface.h"

#include <windows.h>

constexpr const wchar_t* kWarningCaption = L"VELDRIAN RGB Control_Warning";

class CWarnDlg : public CDialog {
public:
    explicit CWarnDlg(HWND parent) noexcept;

    // The main window's device list, searched by retry; without one retry does nothing.
    void SetDeviceList(DeviceList* devices) noexcept { m_devices = devices; }

    const CPngListBtn& CloseButton() const noexcept { return m_btnClose; }
    const CPngListBtn& RetryButton() const noexcept { return m_btnRetry; }

protected:
    BOOL OnInitDialog() override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    int OnCreate();
    void OnPaint();
    void CentreOverOwner() const;

    Bitmap m_background;
    KeptSurface m_surface; // where OnPaint composes
    CPngListBtn m_btnClose;
    CPngListBtn m_btnRetry;
    DeviceList* m_devices = nullptr;
};
