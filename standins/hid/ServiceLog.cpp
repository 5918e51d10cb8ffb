// Composing and appending the service log line.
#include "ServiceLog.h"

#include "base/Paths.h"
#include "framework/Handles.h"
#include "settings/SettingsBlock.h"
#include "settings/SettingsStore.h"

#include <windows.h>

#include <shellapi.h>

#include <cstdio>
#include <sstream>

namespace {

constexpr size_t kFieldChars = 32; // room for one formatted time or colour

std::string LocalTimeText()
{
    SYSTEMTIME now{};
    ::GetLocalTime(&now);
    char text[kFieldChars];
    std::snprintf(text, sizeof(text), "%04u-%02u-%02u %02u:%02u:%02u.%03u", now.wYear, now.wMonth, now.wDay, now.wHour,
                  now.wMinute, now.wSecond, now.wMilliseconds);
    return text;
}

std::string ColourText(ColourWord colour)
{
    char text[kFieldChars];
    std::snprintf(text, sizeof(text), "%08X", static_cast<unsigned>(colour));
    return text;
}

void WriteRecord(std::ostringstream& out, const EffectInfo& record)
{
    out << " mode=" << record.mode << " ledCount=" << record.ledCount << " sameColour=" << record.sameColour
        << " speed=" << record.speed << " variant=" << record.variant << " colours=";
    for (int slot = 0; slot < kColourSlots; ++slot)
        out << (slot ? "," : "") << ColourText(record.colours[slot]);
}

// How many arguments the service was started with, its own name not counted.
int ArgumentCount()
{
    int count = 0;
    if (HLOCAL arguments = ::CommandLineToArgvW(::GetCommandLineW(), &count))
        ::LocalFree(arguments);
    return count > 0 ? count - 1 : 0;
}

// The show command the service was started with: its starter's choice, or "default".
std::string ShowCommandText()
{
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    ::GetStartupInfoW(&startup);
    return (startup.dwFlags & STARTF_USESHOWWINDOW) ? std::to_string(startup.wShowWindow) : "default";
}

// The folder the service was started in, in UTF-8.
std::string CurrentFolderText()
{
    wchar_t folder[MAX_PATH] = {};
    const DWORD length = ::GetCurrentDirectoryW(MAX_PATH, folder);
    if (length == 0 || length >= MAX_PATH)
        return {};
    const int bytes = ::WideCharToMultiByte(CP_UTF8, 0, folder, static_cast<int>(length), nullptr, 0, nullptr, nullptr);
    std::string text(static_cast<size_t>(bytes), '\0');
    ::WideCharToMultiByte(CP_UTF8, 0, folder, static_cast<int>(length), text.data(), bytes, nullptr, nullptr);
    return text;
}

bool FileExists(const std::wstring& path)
{
    return !path.empty() && ::GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

} // namespace

std::string ServiceLogLine(const std::wstring& settingsFile)
{
    std::ostringstream out;
    out << LocalTimeText() << " pid=" << ::GetCurrentProcessId() << " arguments=" << ArgumentCount()
        << " show=" << ShowCommandText() << " folder=\"" << CurrentFolderText() << "\"";
    if (!FileExists(settingsFile)) {
        out << " settings=missing";
        return out.str();
    }
    SettingsBlock block{};
    ApplyFirstRunDefaults(block);
    ReadAllSettings(settingsFile, block);
    const GroupSettings& dram = block.current().dram;
    const int record = SelectRecord(dram.DevNum, dram.Synchronize);
    out << " settings=read CurrentProfile=" << block.CurrentProfile << " led_sw=" << block.led_sw
        << " audio_sw=" << block.audio_sw << " sync_sw=" << block.sync_sw << " razer_sw=" << block.razer_sw
        << " DRAM Synchronize=" << dram.Synchronize << " DevNum=" << dram.DevNum << " record=" << record;
    WriteRecord(out, dram.effects[record]);
    return out.str();
}

void AppendServiceLogLine(const std::string& line)
{
    if (DataFolder().empty())
        return;
    const std::wstring path = DataFolder() + kServiceLogName;
    FileHandle file(::CreateFileW(path.c_str(), FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                  OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file)
        return;
    const std::string text = line + "\r\n";
    DWORD written = 0;
    ::WriteFile(file.get(), text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
}
