// Entry point of the stand-in lighting service hid.exe: logs what it read from the settings
// file, then waits behind its hidden window until asked to close.
#include "ServiceLog.h"
#include "ServiceWindow.h"

#include "base/Paths.h"
#include "framework/WinApp.h"

namespace {

class CHidApp : public CWinApp {
public:
    BOOL InitInstance() override
    {
        InitDataFolder();
        InitSettingsFilePath();
        AppendServiceLogLine(ServiceLogLine(SettingsFilePath()));
        if (!m_window.Create())
            return FALSE;
        m_pMainWnd = &m_window;
        return TRUE;
    }

private:
    CServiceWindow m_window;
};

CHidApp theApp;

} // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int)
{
    return theApp.Run(instance);
}
