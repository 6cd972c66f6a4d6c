#pragma once

// Resource ids shared by the .rc file and the code.
#define IDI_QUELLBRIGHT 1
#define IDI_TRAY_OFF 2
#define IDI_TRAY_ON 3
#define IDI_STOP 4
// The promotion pictures.
#define IDB_LUMBRELLA 10
#define IDR_BANNER_GIF 11
