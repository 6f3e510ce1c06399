#pragma once
// Resource ids shared by the code and the .rc files. Numbers are fixed: the
// program and its stored settings refer to them.

// Dialogs
#define IDD_ABOUT 100
#define IDD_STATUS_REPORT 103
#define IDD_SPLASH 156
#define IDD_TRACE 280

// Menu
#define IDR_TRAY_MENU 105

// Tray menu commands (menu 105)
#define IDM_EXIT 32771
#define IDM_ABOUT 32772
#define IDM_ADVANCED_CONFIG 32773
#define IDM_HELP 32775
#define IDM_STATUS_REPORT 32776
#define IDM_DIAL 32780
#define IDM_HANG_UP 32781
#define IDM_SCREEN_NAME_FIRST 32787  // 32787 .. 32793, seven screen names
#define IDM_SCREEN_NAME_LAST 32793
#define IDM_CONFIG_WIZARD 32803
#define IDM_AUTO_NETSENSE 32804

// Status report rows (dialog 103)
#define IDC_HTTP_ICON 1018
#define IDC_HTTP_STATUS 1019
#define IDC_HTTP_HOST 1073
#define IDC_FTP_ICON 1020
#define IDC_FTP_STATUS 1028
#define IDC_FTP_HOST 1074
#define IDC_ECHO_ICON 1014
#define IDC_ECHO_STATUS 1015
#define IDC_ECHO_HOST 1075
#define IDC_DISCARD_ICON 1017
#define IDC_DISCARD_STATUS 1026
#define IDC_DISCARD_HOST 1076
#define IDC_TIME_ICON 1023
#define IDC_TIME_STATUS 1031
#define IDC_TIME_HOST 1077
#define IDC_USER_ICON 1024
#define IDC_USER_STATUS 1032
#define IDC_USER_HOST 1078
#define IDC_AOLCS_GROUP 1203
#define IDC_AOLCS_ICON 1025
#define IDC_AOLCS_STATUS 1033
#define IDC_OTHER_GROUP 1131
#define IDC_OTHER_ICON 1027
#define IDC_OTHER_STATUS 1034

// About box (dialog 100)
#define IDC_ABOUT_ICON 1400
#define IDC_ABOUT_NAME 1401
#define IDC_ABOUT_VERSION 1402
#define IDC_ABOUT_DESCRIPTION 1403

// Splash (dialog 156)
#define IDC_SPLASH_EMBLEM 1410
#define IDC_SPLASH_BANNER 1411

// Trace window (dialog 280)
#define IDC_TRACE_LIST 1101

// Splash bitmaps
#define IDB_SPLASH_LEFT 161
#define IDB_SPLASH_RIGHT 164

// Icons
#define IDI_MAIN 128
#define IDI_ERROR_STATE 131
#define IDI_SENDING 133
#define IDI_RECEIVING 134
#define IDI_CONNECTED 135
#define IDI_STOPPED 138
#define IDI_RUNNING 139
#define IDI_AOL 188
#define IDI_CONNECTING 207
#define IDI_NOT_ACTIVE 208
#define IDI_AOL_ABSENT 209
#define IDI_DIAL_FRAME_FIRST 252  // 252 .. 261, ten frames
#define IDI_DIAL_CONNECTED 262
#define IDI_DIAL_ERROR 263
#define IDI_NETZERO 282
#define IDI_CS2000 318
#define IDI_CS2000_ABSENT 321
#define IDI_ATT 324
#define IDI_MSN 361
#define IDI_POP3_FAILED 362
#define IDI_AWAITING 365

// Strings
#define IDS_AOL_ABSENT 102
#define IDS_CS2000_ABSENT 103
#define IDS_WINSOCK_FAILED 104
#define IDS_TIMERS_USED_UP 32901
#define IDS_PROBE 32903
#define IDS_IDLE_START 32904
#define IDS_RUNNING_TIP 32905
#define IDS_SERVICE_ACTIVE 32906
#define IDS_SERVICE_NOT_ACTIVE 32907
#define IDS_IDLE_DIAL 32915
#define IDS_AWAITING 32916
#define IDS_WITH_AOL 32917
#define IDS_WITH_NETZERO 32918
#define IDS_WITH_CS2000 32919
#define IDS_WITH_ATT 32920
#define IDS_WITH_MSN 32922
#define IDS_POP3_FAILED 32923

// Version, shown by the About box and the version resource
#define TETHERLY_VERSION_MAJOR 1
#define TETHERLY_VERSION_MINOR 0
#define TETHERLY_VERSION_PATCH 0
#define TETHERLY_VERSION_TEXT "1.0.0"

// Each subsystem keeps its ids in a header of its own.
#include "resource_watchers.h"
#include "resource_dialup.h"
#include "resource_config.h"
#include "resource_wizard.h"
#include "resource_keepalive.h"
