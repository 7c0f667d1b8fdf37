// Ids of the driver library's resources other than its messages: pictures,
// dialogs and their controls, and the property pages' texts.
#pragma once

#define IDB_TOOLBOX 101
#define IDB_LOGO 102
#define IDI_ZEW4400 201
#define IDCUR_HAND 4

// The About box.
#define IDD_ABOUT 110
#define IDC_ABOUT_VISA 203
#define IDC_ABOUT_TITLE 205
#define IDC_ABOUT_NO_VISA 207
#define IDC_ABOUT_MAIL 217
#define IDC_ABOUT_WEB 218

// Page General.
#define IDS_GENERAL_TITLE 111
#define IDS_GENERAL_HELPFILE 112
#define IDS_GENERAL_DOCSTRING 113
#define IDD_GENERAL 115
#define IDC_CURRENT 202
#define IDC_FREQUENCY 204
#define IDC_LIMITLOWER 206
#define IDC_LIMITUPPER 208
#define IDC_EXECTIME 209
#define IDC_CONTACTCHECKON 210
#define IDC_FAILMODEON 211
#define IDC_MOMENTARYON 213
#define IDC_OFFSETON 214

// Page Auto.
#define IDS_AUTO_TITLE 116
#define IDS_AUTO_HELPFILE 117
#define IDS_AUTO_DOCSTRING 118
#define IDD_AUTO 120
#define IDC_AUTOMONITORENABLED 215
#define IDC_AUTOMONITORINTERVAL 216
