// Resource identifiers shared by the resource script and the code.
#pragma once

#define IDD_MAIN_DIALOG 102
#define IDD_WARNING_DIALOG 142
#define IDD_MENU_POPUP 214
#define IDB_SCROLLBAR_SHEET 215
#define IDI_PROGRAM 220
