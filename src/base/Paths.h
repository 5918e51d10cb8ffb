// The process-wide folders: where the program lies, where its settings live.
#pragma once

#include <string>

constexpr const wchar_t* kCompanyFolder = L"\\VELDRIAN\\VELDRIAN RGB Control\\";
constexpr const wchar_t* kSettingsFileName = L"config";

// The executable's folder with a trailing backslash.
const std::wstring& ProgramFolder();
// The skin's pictures: <program folder>skins\ (pictures placed on the window in Pic\, the
// drop-down lists' in Menu\).
std::wstring SkinFolder();
// <roaming application data>\VELDRIAN\VELDRIAN RGB Control\ (empty when that folder is unknown).
const std::wstring& DataFolder();
// <roaming application data>\VELDRIAN\VELDRIAN RGB Control\config (empty when unknown).
const std::wstring& SettingsFilePath();

// Start-up steps: each computes its value once.
void InitProgramFolder();
void InitDataFolder(); // also creates the folder levels that are missing
void InitSettingsFilePath();

// Creates each missing folder level of base + relative (relative starts and ends with a
// backslash), outermost first; a level that cannot be made is skipped.
void EnsureFolder(const std::wstring& base, const std::wstring& relative);

// Cuts a full path after its last backslash (the backslash kept).
std::wstring FolderOfPath(const std::wstring& path);

// Test seams: fix the program folder and the roaming application-data folder before start.
// An empty application-data folder stands for one the platform cannot determine.
void SetProgramFolderForTesting(const std::wstring& folder);
void SetAppDataFolderForTesting(const std::wstring& folder);
