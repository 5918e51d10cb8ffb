// The setup program end to end: a silent install into a temporary folder, the installed program
// started, and a silent uninstall that takes away everything the install put there.
#include "FileText.h"
#include "Poll.h"
#include "ProgramProcess.h"
#include "TempFolder.h"
#include "framework/ComPtr.h"
#include "framework/Handles.h"

#include <windows.h>

#include <shlobj.h>
#include <shobjidl.h>

#include <algorithm>
#include <filesystem>
#include <iterator>
#include <set>
#include <string>
#include <utility>

#include <gtest/gtest.h>

namespace {

constexpr const wchar_t* kCaption = L"VELDRIAN RGB Control_Config";
constexpr const wchar_t* kUninstallKey =
    L"Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\VELDRIAN RGB Control";
constexpr DWORD kSetupWaitMs = 60000;
// Longer than a setup takes to come to the program file: the file stays held past that moment.
constexpr DWORD kFileHeldMs = 8000;

// A build path (ASCII, forward slashes) as Windows writes it.
const std::wstring kSetupExe = WindowsPath(TEST_SETUP_EXE);
const std::wstring kBuiltProgramFolder = WindowsPath(TEST_PROGRAM_DIR);

// Starts a command line; the process, or none when it did not start.
KernelHandle StartProcess(std::wstring commandLine)
{
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION info{};
    if (!::CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &info))
        return {};
    const KernelHandle thread(info.hThread);
    return KernelHandle(info.hProcess);
}

// Waits for a process to end; its exit code (or ~0u when it did not start or end in time).
DWORD ExitCodeOf(const KernelHandle& process)
{
    DWORD code = ~0u;
    if (process && ::WaitForSingleObject(process.get(), kSetupWaitMs) == WAIT_OBJECT_0)
        ::GetExitCodeProcess(process.get(), &code);
    return code;
}

// Runs a command line to its end; its exit code (or ~0u when it did not start or end in time).
DWORD RunToEnd(std::wstring commandLine)
{
    return ExitCodeOf(StartProcess(std::move(commandLine)));
}

// Polls until the condition holds or a minute has passed; the checks after it say what is missing.
template <class Condition>
void WaitUntil(Condition condition)
{
    poll::Until(condition, kSetupWaitMs);
}

// Every file under a folder, as paths relative to it. The uninstaller may be removing a folder
// while the walk is in it: the walk then stops short, and the callers' polls look again.
std::set<std::wstring> FilesUnder(const std::wstring& folder)
{
    std::set<std::wstring> files;
    std::error_code error;
    for (std::filesystem::recursive_directory_iterator entry(folder, error), end; !error && entry != end;
         entry.increment(error))
        if (entry->is_regular_file(error))
            files.insert(entry->path().lexically_relative(folder).wstring());
    return files;
}

// The paths of `from` that `other` lacks.
std::set<std::wstring> Minus(const std::set<std::wstring>& from, const std::set<std::wstring>& other)
{
    std::set<std::wstring> rest;
    std::ranges::set_difference(from, other, std::inserter(rest, rest.end()));
    return rest;
}

// The stand-ins the build puts into its program folder for demonstration and tests.
bool IsStandIn(const std::wstring& relative)
{
    return relative == L"hid.exe" || relative == L"LightingProvider.dll" || relative.starts_with(L"devices\\");
}

std::wstring StartMenuShortcut()
{
    wchar_t programs[MAX_PATH] = {};
    ::SHGetFolderPathW(nullptr, CSIDL_COMMON_PROGRAMS, nullptr, SHGFP_TYPE_CURRENT, programs);
    return std::wstring(programs) + L"\\VELDRIAN RGB Control.lnk";
}

std::wstring ShortcutTarget(const std::wstring& shortcut)
{
    ComApartment apartment;
    ComPtr<IShellLinkW> link;
    ComPtr<IPersistFile> file;
    wchar_t target[MAX_PATH] = {};
    if (SUCCEEDED(
            ::CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW, link.put_void())) &&
        SUCCEEDED(link->QueryInterface(IID_IPersistFile, file.put_void())) &&
        SUCCEEDED(file->Load(shortcut.c_str(), STGM_READ)))
        link->GetPath(target, MAX_PATH, nullptr, 0);
    return target;
}

bool UninstallKeyExists()
{
    RegKey key;
    return ::RegOpenKeyExW(HKEY_LOCAL_MACHINE, kUninstallKey, 0, KEY_READ, key.put()) == ERROR_SUCCESS;
}

std::wstring UninstallValue(const wchar_t* name)
{
    wchar_t value[MAX_PATH] = {};
    DWORD size = sizeof(value);
    ::RegGetValueW(HKEY_LOCAL_MACHINE, kUninstallKey, name, RRF_RT_REG_SZ, nullptr, value, &size);
    return value;
}

std::wstring SettingsFile()
{
    wchar_t appData[MAX_PATH] = {};
    ::SHGetFolderPathW(nullptr, CSIDL_APPDATA, nullptr, SHGFP_TYPE_CURRENT, appData);
    return std::wstring(appData) + L"\\VELDRIAN\\VELDRIAN RGB Control\\config";
}

std::wstring VersionString(const void* info, const wchar_t* name)
{
    struct Translation {
        WORD language, codePage;
    }* translation = nullptr;
    UINT length = 0;
    if (!::VerQueryValueW(info, L"\\VarFileInfo\\Translation", reinterpret_cast<void**>(&translation), &length) ||
        length < sizeof(Translation))
        return {};
    wchar_t path[64];
    swprintf(path, 64, L"\\StringFileInfo\\%04x%04x\\%ls", translation->language, translation->codePage, name);
    wchar_t* value = nullptr;
    return ::VerQueryValueW(info, path, reinterpret_cast<void**>(&value), &length) && value ? value : L"";
}

} // namespace

TEST(Installer, SetupCarriesTheProductVersion)
{
    std::string info(::GetFileVersionInfoSizeW(kSetupExe.c_str(), nullptr), '\0');
    ASSERT_FALSE(info.empty());
    ASSERT_TRUE(::GetFileVersionInfoW(kSetupExe.c_str(), 0, static_cast<DWORD>(info.size()), info.data()));
    VS_FIXEDFILEINFO* fixed = nullptr;
    UINT length = 0;
    ASSERT_TRUE(::VerQueryValueW(info.data(), L"\\", reinterpret_cast<void**>(&fixed), &length));
    EXPECT_EQ(fixed->dwFileVersionMS, MAKELONG(0, 1));
    EXPECT_EQ(fixed->dwFileVersionLS, MAKELONG(1, 0));
    EXPECT_EQ(VersionString(info.data(), L"ProductName"), L"VELDRIAN RGB Control");
    EXPECT_EQ(VersionString(info.data(), L"ProductVersion"), L"1.0.0.1");
}

TEST(Installer, SilentInstallRunsTheProgramAndSilentUninstallRemovesIt)
{
    TempFolder temp;
    // A space in the folder: /D= takes the rest of the command line as it is, unquoted.
    const std::wstring folder = temp / L"VELDRIAN RGB Control";
    const std::wstring uninstaller = folder + L"\\Uninstall.exe";
    ASSERT_EQ(RunToEnd(L"\"" + kSetupExe + L"\" /S /D=" + folder), 0u);

    // The build's program folder without its stand-ins, and the uninstaller.
    std::set<std::wstring> expected;
    for (const std::wstring& file : FilesUnder(kBuiltProgramFolder))
        if (!IsStandIn(file))
            expected.insert(file);
    expected.insert(L"Uninstall.exe");
    ASSERT_TRUE(expected.contains(L"VeldrianRGB.exe"));
    ASSERT_TRUE(expected.contains(L"Help\\Help.pdf"));
    const std::set<std::wstring> installed = FilesUnder(folder);
    EXPECT_EQ(Minus(expected, installed), std::set<std::wstring>{}) << "not installed";
    EXPECT_EQ(Minus(installed, expected), std::set<std::wstring>{}) << "installed but not in the program folder";

    EXPECT_EQ(ShortcutTarget(StartMenuShortcut()), folder + L"\\VeldrianRGB.exe");
    EXPECT_EQ(UninstallValue(L"DisplayName"), L"VELDRIAN RGB Control");
    EXPECT_EQ(UninstallValue(L"DisplayVersion"), L"1.0.0.1");
    EXPECT_EQ(UninstallValue(L"Publisher"), L"Veldrian");
    EXPECT_EQ(UninstallValue(L"InstallLocation"), folder);
    EXPECT_EQ(UninstallValue(L"UninstallString"), L"\"" + uninstaller + L"\"");

    // No settings file yet: the one the installed program finds at start is of its own making.
    ::DeleteFileW(SettingsFile().c_str());
    ASSERT_FALSE(FileExists(SettingsFile()));
    ProgramProcess program(folder + L"\\VeldrianRGB.exe");
    ASSERT_NE(program.WaitForWindow(kCaption), nullptr) << "the installed program shows its main window";
    ASSERT_TRUE(FileExists(SettingsFile())) << "the program wrote its settings file";

    // Uninstalled while the program runs: the uninstaller asks it to end first. It copies itself
    // to a temporary folder, starts the copy and ends at once; the copy does the work.
    ASSERT_EQ(RunToEnd(L"\"" + uninstaller + L"\" /S"), 0u);
    WaitUntil([&] { return !FileExists(folder) && !FileExists(StartMenuShortcut()) && !UninstallKeyExists(); });
    EXPECT_FALSE(program.Running());
    EXPECT_FALSE(FileExists(folder));
    EXPECT_FALSE(FileExists(StartMenuShortcut()));
    EXPECT_FALSE(UninstallKeyExists());
    EXPECT_TRUE(FileExists(SettingsFile())) << "the user's settings stay";
}

TEST(Installer, UninstallLeavesWhatItDidNotInstall)
{
    TempFolder temp;
    const std::wstring folder = temp / L"Program";
    ASSERT_EQ(RunToEnd(L"\"" + kSetupExe + L"\" /S /D=" + folder), 0u);
    // The drivers put the real lighting service beside the program.
    WriteFileBytes(folder + L"\\hid.exe", "service");

    ASSERT_EQ(RunToEnd(L"\"" + folder + L"\\Uninstall.exe\" /S"), 0u);
    const std::set<std::wstring> service{L"hid.exe"};
    WaitUntil([&] { return FilesUnder(folder) == service && !UninstallKeyExists(); });
    EXPECT_EQ(FilesUnder(folder), service);
    EXPECT_FALSE(UninstallKeyExists());
}

// The program file held when a silent setup comes to replace it (by a program that was slow to
// end, or one reading it, such as a virus scanner): the setup waits for the file instead of
// failing, and installs once it is free.
TEST(Installer, SilentSetupWaitsForAHeldProgramFile)
{
    TempFolder temp;
    const std::wstring folder = temp / L"Program";
    const std::wstring setup = L"\"" + kSetupExe + L"\" /S /D=" + folder;
    ASSERT_EQ(RunToEnd(setup), 0u);
    const std::wstring program = folder + L"\\VeldrianRGB.exe";
    const std::string shipped = ReadFileBytes(program);
    WriteFileBytes(program, "an older version");

    KernelHandle again;
    {
        const FileHandle held(
            ::CreateFileW(program.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr));
        ASSERT_TRUE(held);
        again = StartProcess(setup);
        ASSERT_TRUE(again);
        EXPECT_FALSE(poll::Until([&] { return ::WaitForSingleObject(again.get(), 0) == WAIT_OBJECT_0; }, kFileHeldMs))
            << "the setup ended while the file was held";
    }
    EXPECT_EQ(ExitCodeOf(again), 0u);
    EXPECT_TRUE(ReadFileBytes(program) == shipped) << "the program file was replaced";

    ASSERT_EQ(RunToEnd(L"\"" + folder + L"\\Uninstall.exe\" /S"), 0u);
    WaitUntil([&] { return !FileExists(program) && !UninstallKeyExists(); });
}
