// The program's start measured from outside: the bench starts a copy of itself that opens the main
// window as the program does and reports, from its own creation time, when the first complete paint
// ended and how much memory it took.
#pragma once

#include <optional>
#include <string>

// The command-line modes of a started copy.
constexpr const wchar_t* kStartMode = L"--start";       // followed by the data folder
constexpr const wchar_t* kBaselineMode = L"--baseline"; // reports at once: the bare process

// What one started copy reports. Times are in milliseconds from the process's creation.
struct StartReport {
    double mainEntered = 0;         // the loader: creation until wmain runs
    double initDone = 0;            // paths, GDI+ and common controls set up
    double windowCreated = 0;       // Create returned: discovery, the pause, service, skin, panel
    double painted = 0;             // every pending WM_PAINT of the window and its controls done
    double secondCreate = 0;        // Create of a second window afterwards, from its call to its return
    double setUpWorkingSetMb = 0;   // the working set when set up
    double createdWorkingSetMb = 0; // and when Create returned
    double peakWorkingSetMb = 0;    // the peak, after the paint
    double privateMb = 0;
};

// Runs in the started copy: does its part and writes its report to standard output.
int RunStartChild(const std::wstring& appData);
int RunBaselineChild();

// Starts a copy in the given mode and reads its report; nothing when it failed.
std::optional<StartReport> StartCopy(const std::wstring& mode, const std::wstring& appData);
