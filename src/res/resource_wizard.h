#pragma once
// Resource ids of the wizard resources (wizard.rc): the Configuration
// Wizard's twelve pages and their pictures. Control ids repeat across pages;
// where a page shares a control with an Advanced Configurations page
// (services, properties, gadgets, screen names, NetZero), the config names
// (resource_config.h) are used.

// Pages
#define IDD_WIZ_ISP_DIALER 308
#define IDD_WIZ_ISP_DIAL_OPTIONS 309
#define IDD_WIZ_AOL_DIALER 310
#define IDD_WIZ_MAIN 311
#define IDD_WIZ_ISP_SERVICES 312
#define IDD_WIZ_ISP_PROPERTIES 313
#define IDD_WIZ_AOL_SCREEN_NAMES 314
#define IDD_WIZ_FINISH 315
#define IDD_WIZ_NZ_DIALER 316
#define IDD_WIZ_AOL_GADGETS 318
#define IDD_WIZ_ATT_DIALER 333
#define IDD_WIZ_MSN_DIALER 360

// Page pictures (magenta is see-through)
#define IDB_WIZ_MAIN 370
#define IDB_WIZ_ISP 371
#define IDB_WIZ_AOL 372
#define IDB_WIZ_CS2000 373
#define IDB_WIZ_NETZERO 374
#define IDB_WIZ_ATT 375
#define IDB_WIZ_MSN 376
#define IDB_WIZ_FINISH 377

// Every page: its picture
#define IDC_WIZ_PICTURE 1153

// Main (311)
#define IDC_WIZ_OTHER 1076
#define IDC_WIZ_AOL 1077
#define IDC_WIZ_NETZERO 1078
#define IDC_WIZ_GREETING 1147
#define IDC_WIZ_CS2000 1209
#define IDC_WIZ_ATT 1210
#define IDC_WIZ_MSN 1220

// ISP dialer (308)
#define IDC_WIZ_PASSWORD 1004
#define IDC_WIZ_PROFILE 1078
#define IDC_WIZ_LOGIN 1087
#define IDC_WIZ_USE_DIALER 1089
#define IDC_WIZ_ADVANCED 1090
#define IDC_WIZ_PROFILE_LABEL 1600
#define IDC_WIZ_LOGIN_LABEL 1601
#define IDC_WIZ_PASSWORD_LABEL 1602

// ISP dialing options (309): Yes and No of each question
#define IDC_WIZ_ONE_STOP_YES 1156
#define IDC_WIZ_ONE_STOP_NO 1157
#define IDC_WIZ_PROMPT_DIAL_YES 1158
#define IDC_WIZ_PROMPT_DIAL_NO 1159
#define IDC_WIZ_PROMPT_HANGUP_YES 1160
#define IDC_WIZ_PROMPT_HANGUP_NO 1161
#define IDC_WIZ_RECONNECT_YES 1162
#define IDC_WIZ_RECONNECT_NO 1163
#define IDC_WIZ_DIAL_STARTUP_YES 1169
#define IDC_WIZ_DIAL_STARTUP_NO 1170

// ISP properties (313); the radios, fields and their labels as in the config page
#define IDC_WIZ_BETWEEN_UNIT 1612
#define IDC_WIZ_AND_UNIT 1613
#define IDC_WIZ_FIXED_UNIT 1614

// AOL/CS2000 browser (310)
#define IDC_WIZ_CLIENT_PATH 1003
#define IDC_WIZ_CLIENT_PATH_LABEL 1107
#define IDC_WIZ_LAUNCH_YES 1176
#define IDC_WIZ_LAUNCH_NO 1177
#define IDC_WIZ_CLIENT_BROWSE 1178
#define IDC_WIZ_REDIAL_YES 1179
#define IDC_WIZ_REDIAL_NO 1180
#define IDC_WIZ_CLIENT_STARTUP_YES 1181
#define IDC_WIZ_CLIENT_STARTUP_NO 1182
#define IDC_WIZ_LAUNCH_QUESTION 1212
#define IDC_WIZ_REDIAL_QUESTION 1213
#define IDC_WIZ_CLIENT_STARTUP_QUESTION 1214

// AOL/CS2000 screen names (314); the combo and its button as in the config pages
#define IDC_WIZ_SIGNON_YES 1179
#define IDC_WIZ_SIGNON_NO 1180
#define IDC_WIZ_SIGNON_QUESTION 1216
#define IDC_WIZ_NAMES_LABEL 1611

// AOL/CS2000 gadgets (318); the six boxes as in the config gadget pages
#define IDC_WIZ_GADGETS_TEXT 1215

// NetZero (316); version, path and Browse as in the config NetZero page
#define IDC_WIZ_NZ_DIALER_YES 1169
#define IDC_WIZ_NZ_DIALER_NO 1170
#define IDC_WIZ_NZ_TRAY_YES 1173
#define IDC_WIZ_NZ_TRAY_NO 1174
#define IDC_WIZ_NZ_REDIAL_YES 1176
#define IDC_WIZ_NZ_REDIAL_NO 1177
#define IDC_WIZ_NZ_STARTUP_YES 1179
#define IDC_WIZ_NZ_STARTUP_NO 1180
#define IDC_WIZ_NZ_TRAY_QUESTION 1603
#define IDC_WIZ_NZ_STARTUP_QUESTION 1604
#define IDC_WIZ_NZ_PATH_LABEL 1605

// MSN (360)
#define IDC_WIZ_MSN_SERVER 1058
#define IDC_WIZ_MSN_POP3_YES 1223
#define IDC_WIZ_MSN_POP3_NO 1225
#define IDC_WIZ_MSN_INTERVAL 1226
#define IDC_WIZ_MSN_LOGIN 1227     // hidden: carries the stored login through
#define IDC_WIZ_MSN_PASSWORD 1228  // hidden: carries the stored password through
#define IDC_WIZ_MSN_SERVER_LABEL 1606
#define IDC_WIZ_MSN_INTERVAL_LABEL 1607
#define IDC_WIZ_MSN_INTERVAL_UNIT 1608

// Finish (315)
#define IDC_WIZ_FINISH_TEXT 1609
#define IDC_WIZ_MAIL 1610
