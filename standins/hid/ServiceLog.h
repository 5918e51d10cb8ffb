// The stand-in service's log: one line per start in DataFolder\hid.log, telling what it read
// from the settings file, so people and tests can see what a real service would drive.
#pragma once

#include <string>

constexpr const wchar_t* kServiceLogName = L"hid.log";

// The line for this start (without line end): local time, process id, the number of
// command-line arguments, the show command, the folder it was started in (quoted), then what
// the settings file holds: "settings=missing", or the
// switches, the current profile and the DRAM record in use as name=value pairs.
std::string ServiceLogLine(const std::wstring& settingsFile);

// Appends the line and a line end to DataFolder\hid.log; nothing when the folder is unknown.
void AppendServiceLogLine(const std::string& line);
