#pragma once
// Resource identifiers, in blocks: program-wide 1xx, pictures 2xx, menus 3xx.
// Included by the .rc file and by C++.

#define IDI_MAIN 101  // main window and program icon, 48 x 48, 24 bits
#define IDI_ABOUT 102 // information balloon, 32 x 32 and 16 x 16, 16 colours

#define IDB_DEFAULT_LOGO 201        // main window's logo, 172 x 100, 24 bits
#define IDB_PREVIEW_PLACEHOLDER 202 // picture browser's preview, 172 x 100, 24 bits
#define IDB_ABOUT_PICTURE 203       // about window's picture, 48 x 48, 24 bits

#define IDR_MAIN_MENU 301
#define IDM_EXIT 311
#define IDM_ABOUT 312
