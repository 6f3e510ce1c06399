#pragma once
// Resource ids of the dialup resources (dialup.rc).

// Notice of the dial-up wrapper ("Tetherly! Help Wizard")
#define IDD_NOTICE 229
#define IDC_NOTICE_ICON 2290
#define IDC_NOTICE_TEXT 2291
// The notice's icons, by message-box icon kind
#define IDI_NOTICE_EXCLAMATION 230  // also the dial dialog's "failed"
#define IDI_NOTICE_INFORMATION 231
#define IDI_NOTICE_QUESTION 232
#define IDI_NOTICE_STOP 233

// Dial progress dialog
#define IDD_DIAL_PROGRESS 234
#define IDC_DIAL_MINIMIZE 1089
#define IDC_DIAL_DONT_SHOW 1090
#define IDC_DIAL_PROGRESS 1091
#define IDC_DIAL_DIAL 1092
#define IDC_DIAL_HANG_UP 1093
#define IDC_DIAL_ICON 1094
// Its status icons: idle, dialing frames 1 to 9, connected
#define IDI_DIALER_IDLE 237
#define IDI_DIALER_FRAME_FIRST 241  // 241 .. 249
#define IDI_DIALER_CONNECTED 250

// The help topic the notice opens
#define IDH_NO_DIALUP 106
