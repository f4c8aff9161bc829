// Identifiers of the resources inside Trevalo.exe, shared by the resource
// script and the code. Plain #defines, so that every resource compiler reads them.
#pragma once

#define IDI_TREVALO 1005
#define IDB_ABOUT_LOGO 1006
#define IDB_MAIN_LOGO 1007
#define IDW_TICK 1008
#define IDW_ROUND_WON 1009
#define IDW_ROUND_LOST 1010
#define IDB_HANDS 1011
#define IDB_FRAME_RIGHT 1013
#define IDB_FRAME_LEFT 1014
#define IDB_FRAME_TOP 1015
#define IDB_FRAME_BOTTOM 1016
#define IDB_BANNERS 1017

// The maker's copyright line, shown in the window title, the About window
// and the version block.
#define TREVALO_COPYRIGHT "Copyright 2026 Tarn"
#define TREVALO_COPYRIGHT_WIDE L"Copyright 2026 Tarn"
