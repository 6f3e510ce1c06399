// Resource ids of the watchers resources (watchers.rc).
#pragma once

// Shell-launch error texts: IDS_SHELL_ERROR_BASE + the ShellExecuteA result
// for each documented result (0, 2, 3, 5, 8, 11, 26 to 32), and one for any
// other result.
#define IDS_SHELL_ERROR_BASE 33100
#define IDS_SHELL_ERROR_UNDEFINED 33199

// Launcher and sign-on boxes
#define IDS_AOL_LAUNCH_ERROR_CAPTION 33140
#define IDS_CS_LAUNCH_ERROR_CAPTION 33141
#define IDS_AOL_CANNOT_SIGN_ON 33142
#define IDS_CS_CANNOT_SIGN_ON 33143
#define IDS_NO_DEFAULT_BROWSER 33144

// NetZero dialer
#define IDS_NETZERO_LAUNCH_ERROR_CAPTION 33145
