// Setting up the bench's folders and the program's paths.
#include "BenchFolders.h"

#include "base/Paths.h"
#include "settings/SettingsStore.h"

#include <windows.h>

#include <filesystem>
#include <fstream>
#include <sstream>

namespace {

constexpr int kLedsPerModule = 10;
constexpr const wchar_t* kDevicesVariable = L"VELDRIAN_STANDIN_DEVICES";

std::wstring ProgramFolderPath()
{
    const std::string folder = BENCH_PROGRAM_DIR; // an ASCII build path
    std::wstring path(folder.begin(), folder.end());
    for (wchar_t& c : path)
        if (c == L'/')
            c = L'\\';
    return path + L"\\";
}

// A module described as fully as the demo devices are: LED names and six effects.
std::string Descriptor(int module)
{
    std::ostringstream out;
    out << "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<descriptor><version>1.0</version><type>458752</type>"
           "<device><name>Bench DIMM "
        << module << "</name><id>" << module << "</id><layout><led_count>" << kLedsPerModule
        << "</led_count><size><width>" << kLedsPerModule << "</width><height>1</height></size><led_name>";
    for (int led = 1; led <= kLedsPerModule; ++led)
        out << "<led>LED " << led << "</led>";
    out << "</led_name></layout><supported_effect>";
    const char* effects[] = {"Static", "Breathing", "Flash", "Spectrum Cycle", "Rainbow Wave", "Comet"};
    int id = 1;
    for (const char* effect : effects)
        out << "<effect><name>" << effect << "</name><id>" << id++
            << "</id><synchronizable>1</synchronizable><customized_color>1</customized_color>"
               "<speed_supported>1</speed_supported><levels>5</levels><default>2</default>"
               "<direction_supported>0</direction_supported><discrete_supported>1</discrete_supported></effect>";
    out << "</supported_effect></device></descriptor>\n";
    return out.str();
}

void WriteText(const std::wstring& path, const std::string& text)
{
    std::ofstream(std::filesystem::path(path), std::ios::binary) << text;
}

} // namespace

BenchFolders::BenchFolders()
{
    const std::wstring dram = m_devices.path() + L"dram\\";
    ::CreateDirectoryW(dram.c_str(), nullptr);
    ::CreateDirectoryW((m_devices.path() + L"ssd").c_str(), nullptr);
    for (int module = 1; module <= kBenchDramModules; ++module)
        WriteText(dram + L"module" + std::to_wstring(module) + L".xml", Descriptor(module));
    ::SetEnvironmentVariableW(kDevicesVariable, m_devices.path().c_str());

    UseBenchPaths(m_appData.path());
    SettingsBlock block{};
    ApplyFirstRunDefaults(block);
    block.lan_id = 0;
    WriteAllSettings(block, SettingsFilePath());
}

void UseBenchPaths(const std::wstring& appData)
{
    SetProgramFolderForTesting(ProgramFolderPath());
    InitProgramFolder();
    std::wstring folder = appData;
    if (!folder.empty() && folder.back() == L'\\')
        folder.pop_back(); // the company folder comes with its own leading backslash
    SetAppDataFolderForTesting(folder);
    InitDataFolder();
    InitSettingsFilePath();
}
