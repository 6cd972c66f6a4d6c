#pragma once

// Resource ids shared by the .rc file and the code.
#define IDI_QUELLBRIGHT 1
#define IDI_TRAY_OFF 2
#define IDI_TRAY_ON 3
