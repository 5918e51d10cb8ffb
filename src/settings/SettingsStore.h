// The settings file: an INI file of decimal integers and checksummed hexadecimal records.
#pragma once

#include "settings/SettingsBlock.h"

#include <string>

// Fills the live block from the file at path, or with first-run values written to a new file
// when none exists; the saved block becomes a copy. With an empty path (the data folder
// unknown) both blocks hold first-run values and nothing is written. A file that
// starts with a UTF-8 byte order mark is first rewritten without it, as WriteAllSettings does.
void LoadSettings(const std::wstring& path, SettingsBlock& live, SettingsBlock& saved);
void ReadAllSettings(const std::wstring& path, SettingsBlock& block);
// Brings every key of the file at path to the block's value, keeping its other content; a file
// far larger than any settings file gives way to a fresh one. The new file is written whole
// beside the old one and replaces it in one step, so a crash or a failed write leaves the old
// file as it was; a file already holding the block is not written. Whether the file now holds
// the block: false for a failed write (read-only file, missing folder, full disk), which is
// not reported otherwise. A file that starts with a UTF-8 byte order mark, which Windows' INI
// functions do not recognise, is first rewritten without it, as ANSI, every byte after the mark
// kept, and replaced whole in the same way.
bool WriteAllSettings(const SettingsBlock& block, const std::wstring& path);
