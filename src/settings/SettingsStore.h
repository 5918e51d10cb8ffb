// The settings file: an INI file of decimal integers and checksummed hexadecimal records.
#pragma once

#include "settings/SettingsBlock.h"

#include <string>

// Fills the live block from the file at path (the settings file path when empty), or with
// first-run values written to a new file when none exists; the saved block becomes a copy.
// Without any path at all both blocks hold first-run values and nothing is written.
void LoadSettings(const std::wstring& path, SettingsBlock& live, SettingsBlock& saved);
void ReadAllSettings(const std::wstring& path, SettingsBlock& block);
// Brings every key of the file at path to the block's value, keeping its other content and
// leaving keys that already hold their value untouched; a file far larger than any settings file
// is replaced by a fresh one instead.
void WriteAllSettings(const SettingsBlock& block, const std::wstring& path);
