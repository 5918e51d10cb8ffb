// What people do with the real program: the built VeldrianRGB.exe with its shipped English
// skin, the stand-in service and provider, driven by real mouse and keyboard input. A journey
// plants the settings file and the devices it starts from, acts as a person would, and then
// reads what reached the settings file and the service log.
#pragma once

#include "FileText.h"
#include "InputDriver.h"
#include "Poll.h"
#include "ProgramProcess.h"
#include "ServiceProbe.h"
#include "SkinPlaces.h"
#include "TempFolder.h"
#include "UserSettings.h"

#include "framework/Handles.h"
#include "settings/SettingsStore.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <memory>
#include <string>
#include <vector>

namespace journey {

constexpr const wchar_t* kCaption = L"VELDRIAN RGB Control_Config";
constexpr const wchar_t* kWarningCaption = L"VELDRIAN RGB Control_Warning";
constexpr const wchar_t* kQuestionCaption = L"Profile";
constexpr UINT_PTR kSsdWarningTimer = 20010;
constexpr int kModeRowSpacing = 37;
constexpr DWORD kNoMoreThanMs = 3000; // how long an effect that must not come is given

// The colour words as the settings file stores them: red in the low byte.
constexpr ColourWord kRed = 0x000000FF;
constexpr ColourWord kGreen = 0x0000FF00;

inline std::wstring TextOf(HWND wnd)
{
    wchar_t text[256] = {};
    ::SendMessageW(wnd, WM_GETTEXT, std::size(text), reinterpret_cast<LPARAM>(text));
    return text;
}

// What the screen shows over a rectangle: its pixels, row by row from the top.
inline std::vector<COLORREF> ScreenPixels(const RECT& r)
{
    const int width = r.right - r.left;
    const int height = r.bottom - r.top;
    std::vector<COLORREF> pixels(static_cast<size_t>(width) * static_cast<size_t>(height));
    WindowDc screen(nullptr);
    GdiBitmap copy(::CreateCompatibleBitmap(screen, width, height));
    MemoryDc target(screen);
    {
        SelectGuard select(target, copy.get());
        ::BitBlt(target, 0, 0, width, height, screen, r.left, r.top, SRCCOPY);
    }
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height; // top-down
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    ::GetDIBits(target, copy.get(), 0, static_cast<UINT>(height), pixels.data(), &info, DIB_RGB_COLORS);
    return pixels;
}

// The helpers are public: a journey's table rows act through them.
class Journey : public testing::Test {
public:
    void SetUp() override
    {
        ASSERT_TRUE(service::StopAll());
        ::CreateDirectoryW((m_devices / L"dram").c_str(), nullptr);
        ::CreateDirectoryW((m_devices / L"ssd").c_str(), nullptr);
        for (const wchar_t* module : {L"dimm-a2.xml", L"dimm-b2.xml"})
            ::CopyFileW((TestProgramFolder() + L"devices\\dram\\" + module).c_str(),
                        (m_devices / L"dram\\" + module).c_str(), FALSE);
        // The program inherits it: the stand-in provider serves the devices of this folder.
        ::SetEnvironmentVariableW(L"VELDRIAN_STANDIN_DEVICES", m_devices.path().c_str());
        m_start = EnglishFirstRunSettings(); // English: the skin the places are read from
    }
    void TearDown() override
    {
        m_program.reset();
        ::SetEnvironmentVariableW(L"VELDRIAN_STANDIN_DEVICES", nullptr);
        EXPECT_TRUE(service::StopAll());
    }

    static std::wstring SettingsFile() { return UserSettingsFile(); }

    // What a start that showed no window leaves to see: a program still starting, or one that
    // ended, with its exit code (0 when it found another instance running).
    std::string WhyNoWindow() const
    {
        if (m_program->Running())
            return "the program runs without its window";
        char text[64];
        std::snprintf(text, sizeof(text), "the program ended with exit code %lx",
                      static_cast<unsigned long>(m_program->WaitForExit(0)));
        return text;
    }

    // Plants m_start as the settings file and starts the program on it, in the foreground. It
    // is started from another current folder than its own, as a shortcut may: it finds its
    // files beside its executable.
    void Start()
    {
        m_program.reset();
        ASSERT_TRUE(service::StopAll());
        PlantUserSettings(m_start);
        m_program = std::make_unique<ProgramProcess>(ProgramProcess::DefaultExe(), m_devices.path());
        m_wnd = m_program->WaitForWindow(kCaption);
        ASSERT_NE(m_wnd, nullptr) << WhyNoWindow();
        ASSERT_TRUE(poll::Until([] { return service::Windows().size() == 1; }));
        ::SetForegroundWindow(m_wnd);
        ASSERT_TRUE(poll::Until([&] { return ::GetForegroundWindow() == m_wnd; }));
    }

    // A click on the middle of a skin item of the main window, dy pixels lower.
    void Click(const wchar_t* section, const wchar_t* key, int dy = 0) { ClickAt(Centre(SkinPlace(section, key), dy)); }
    void ClickAt(POINT client) { input::ClickAt(m_wnd, client.x, client.y); }
    void DoubleClick(const wchar_t* section, const wchar_t* key)
    {
        const POINT p = Centre(SkinPlace(section, key));
        input::MoveTo(input::ClientToScreenPoint(m_wnd, p.x, p.y));
        for (int i = 0; i < 2; ++i) {
            input::Button(MOUSEEVENTF_LEFTDOWN);
            input::Button(MOUSEEVENTF_LEFTUP);
        }
    }
    // A click on a slider's track at a fraction of its length.
    void ClickSlider(const wchar_t* key, double fraction)
    {
        const SkinRect r = SkinPlace(L"LED", key);
        ClickAt({r.left + static_cast<int>((r.right - r.left) * fraction), (r.top + r.bottom) / 2});
    }
    // Mode m of the list, which shows modes 1 to 8 from its top row while not scrolled.
    void ClickMode(int mode) { Click(L"LED", L"2", (mode - 1) * kModeRowSpacing); }
    // The visible control of the main window at a skin item's place.
    HWND ControlAt(const wchar_t* section, const wchar_t* key) const
    {
        return ::ChildWindowFromPointEx(m_wnd, Centre(SkinPlace(section, key)), CWP_SKIPINVISIBLE);
    }

    // Types into the field that has the focus: the caret to the end, the old text erased.
    void Retype(int erase, const std::wstring& text)
    {
        input::Tap(VK_END);
        for (int i = 0; i < erase; ++i)
            input::Tap(VK_BACK);
        input::TypeText(text);
    }

    // Presses Apply and waits until the restarted service has read the file.
    void Apply()
    {
        const size_t lines = service::LogLines().size();
        Click(L"MAIN", L"4");
        ASSERT_TRUE(WaitForServiceRead(lines));
    }
    static bool WaitForServiceRead(size_t linesBefore)
    {
        return poll::Until([&] {
            const std::vector<std::string> lines = service::LogLinesSince(linesBefore);
            return !lines.empty() && lines.back().find("settings=read") != std::string::npos;
        });
    }
    static std::string LastServiceLine()
    {
        const std::vector<std::string> lines = service::LogLines();
        return lines.empty() ? std::string() : lines.back();
    }

    // The settings file as the service reads it.
    static SettingsBlock Stored()
    {
        SettingsBlock block{};
        ApplyFirstRunDefaults(block);
        ReadAllSettings(SettingsFile(), block);
        return block;
    }

    void ExpectCleanExit() { EXPECT_EQ(m_program->WaitForExit(), 0u); }

    // The program's shown top-level windows: the main window, its mask, an open list, a question.
    std::vector<HWND> ShownWindows() const
    {
        struct Search {
            DWORD process;
            std::vector<HWND> found;
        } search{m_program->ProcessId(), {}};
        ::EnumWindows(
            [](HWND wnd, LPARAM param) {
                auto* s = reinterpret_cast<Search*>(param);
                DWORD owner = 0;
                ::GetWindowThreadProcessId(wnd, &owner);
                if (owner == s->process && ::IsWindowVisible(wnd))
                    s->found.push_back(wnd);
                return TRUE;
            },
            reinterpret_cast<LPARAM>(&search));
        return search.found;
    }
    // The open drop-down list: the program's one shown dialog without a caption.
    HWND WaitForList() const
    {
        HWND list = nullptr;
        poll::Until([&] {
            for (HWND wnd : ShownWindows()) {
                wchar_t className[16] = {};
                ::GetClassNameW(wnd, className, 16);
                if (wnd != m_wnd && std::wstring(className) == L"#32770" && TextOf(wnd).empty())
                    list = wnd;
            }
            return list != nullptr;
        });
        return list;
    }
    bool ListCloses(HWND list) const
    {
        return poll::Until([&] { return !::IsWindow(list) || !::IsWindowVisible(list); });
    }
    // A click on row `row` of an open list whose rows are rowHeight pixels high.
    void ChooseRow(HWND list, int row, int rowHeight) { input::ClickAt(list, 40, row * rowHeight + rowHeight / 2); }
    HWND WaitForQuestion() const
    {
        HWND question = nullptr;
        poll::Until([&] { return (question = ::FindWindowW(nullptr, kQuestionCaption)) != nullptr; });
        return question;
    }

    // Brings in the SSD group as the outside software does: the question, then retry once an
    // SSD is there.
    void AddSsdGroup()
    {
        ::CopyFileW((TestProgramFolder() + L"devices\\dram\\dimm-a2.xml").c_str(),
                    (m_devices / L"ssd\\ssd1.xml").c_str(), FALSE);
        const HWND warning = OpenWarning();
        ASSERT_NE(warning, nullptr);
        const POINT retry = Centre(SkinPlace(L"WARN", L"2"));
        input::ClickAt(warning, retry.x, retry.y);
        ASSERT_TRUE(poll::Until([&] { return !::IsWindow(warning) && ::IsWindowEnabled(m_wnd); }));
    }
    // The question about the SSD group, asked as the outside software asks it.
    HWND OpenWarning()
    {
        ::PostMessageW(m_wnd, WM_TIMER, kSsdWarningTimer, 0);
        return m_program->WaitForWindow(kWarningCaption);
    }

    TempFolder m_devices;
    SettingsBlock m_start{};
    std::unique_ptr<ProgramProcess> m_program;
    HWND m_wnd = nullptr;
};

} // namespace journey
