// Resource ids of the installer, shared by its resource script and its code.
#pragma once

#define IDS_BACKGROUND_TITLE 10
#define IDS_WELCOME_TITLE 100
#define IDS_WELCOME_TEXT 101
#define IDS_FINISH_TEXT 102
#define IDS_SETUP_COMPLETE 103
#define IDS_SETUP_ABORTED 104
#define IDS_CLOSE 105
#define IDS_INVALID_LIST 1001
#define IDS_NO_VISA 1002

#define IDD_WELCOME 106
#define IDD_FINISH 108
#define IDD_PROGRESS 131
#define IDB_WIZARD 132
#define IDI_SETUP 133

#define IDC_WELCOME_TEXT 1000
#define IDC_COPYRIGHT 1002
#define IDC_WELCOME_TITLE 1004
#define IDC_FINISH_TEXT 1007

#define IDC_LOG 1000
#define IDC_VIEW_HELP 1001
#define IDC_PROGRESS 1002
