// The sections of a language's skin file that dress the main window and its warning dialog.
#pragma once

constexpr const wchar_t* kBackgroundSection = L"MAINSCREENNEW"; // background pictures of both windows
constexpr const wchar_t* kMainSection = L"MAIN";                // title strip, switches, Apply, groups, profiles
constexpr const wchar_t* kMainTextSection = L"MAIN_TEXT";       // the version label
constexpr const wchar_t* kPictureSection = L"MAINPIC";          // pictures under skins\Pic
constexpr const wchar_t* kPanelSection = L"LED";                // the effect panel's controls
constexpr const wchar_t* kPanelTextSection = L"LED_TEXT";       // the panel's labels
constexpr const wchar_t* kPanelStringSection = L"LED_STRING";   // the panel's captions
constexpr const wchar_t* kWarningSection = L"WARN";             // the warning dialog's buttons
constexpr const wchar_t* kWarningTextSection = L"WARN_TEXT";    // the warning dialog's text
