#pragma once
// The program's version, defined once for the version resource and the about window.

#define QM_VERSION_MAJOR 1
#define QM_VERSION_MINOR 1
#define QM_VERSION_REVISION 0
#define QM_VERSION_BUILD 0
#define QM_VERSION_TEXT "1.01"
#define QM_TITLE "Quorvane Marquelle XP"
#define QM_COMPANY "Quorvane"
#define QM_EXE_NAME "Quorvane Marquelle XP.exe"
