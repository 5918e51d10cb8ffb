// Entry point of every test program: the process-wide set-up the program itself makes at start.
#include <windows.h>

#include <commctrl.h>
#include <gdiplus.h>

#include <gmock/gmock.h>

#include "FileText.h"
#include "ServiceProbe.h"

#include "app/Paths.h"

#include <optional>
#include <string>

namespace {

// Several suites plant settings files (hostile ones among them) in the user's data folder of
// the build's prefix, where the service and the program find them. The file the user had is
// put back when the program's tests end, so a later start shows the user's own settings.
class UserSettingsKept : public ::testing::Environment {
public:
    void SetUp() override
    {
        if (FileExists(Path()))
            m_bytes = ReadFileBytes(Path());
    }
    void TearDown() override
    {
        if (m_bytes)
            WriteFileBytes(Path(), *m_bytes);
        else
            ::DeleteFileW(Path().c_str());
    }

private:
    static std::wstring Path() { return service::DataFolder() + kSettingsFileName; }

    std::optional<std::string> m_bytes;
};

} // namespace

int main(int argc, char** argv)
{
    ::testing::InitGoogleMock(&argc, argv);
    ::testing::AddGlobalTestEnvironment(new UserSettingsKept); // gtest owns it

    const INITCOMMONCONTROLSEX controls{sizeof(INITCOMMONCONTROLSEX), ICC_WIN95_CLASSES};
    ::InitCommonControlsEx(&controls);
    Gdiplus::GdiplusStartupInput input;
    ULONG_PTR token = 0;
    Gdiplus::GdiplusStartup(&token, &input, nullptr);

    const int result = RUN_ALL_TESTS();

    Gdiplus::GdiplusShutdown(token);
    return result;
}
