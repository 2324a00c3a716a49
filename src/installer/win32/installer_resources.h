// Resource ids of the installer and of svremove.exe. The dialog templates,
// their controls and the icon keep the numbers that setup programs of this
// kind have always used.
#pragma once

#define IDI_SETUP 128
#define IDB_WIZARD 131
#define IDS_ABOUTBOX 101

// Dialog templates.
#define IDD_ABOUTBOX 100
#define IDD_SETUP_DIALOG 102
#define IDD_WIZARD_PAGE 129
#define IDD_PROGRESS 133
#define IDD_EXIT_SETUP 134
#define IDD_PREPARE 135

// Wizard page controls.
#define IDC_BACK 1000
#define IDC_NEXT 1001
#define IDC_CANCEL 1002
#define IDC_DIRECTORY 1006
#define IDC_BROWSE 1007
#define IDC_DIRECTORY_GROUP 1008
#define IDC_LAUNCH 1009
#define IDC_WIZARD_PICTURE 1011
#define IDC_WIZARD_LINE 1013

// Progress window and start-up box.
#define IDC_PROGRESS_TEXT 1010
#define IDC_PROGRESS_BAR 1012
#define IDC_PREPARE_PERCENT 1018

// The system menu's entry for the about box.
#define IDM_ABOUTBOX 0x0010
