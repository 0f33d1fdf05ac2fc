// The ids of the module's resources and of the controls in its dialogs.
// Read by the resource compiler as well as by C++: plain #defines only.
#pragma once

// Dialog templates.
#define IDD_ABOUT 100
#define IDD_MAIN 102
#define IDD_OPTIONS 129
#define IDD_EXAMPLE 302
#define IDD_ARCHIVE 303

// Icons (each with a 16 x 16 and a 32 x 32 image).
#define IDI_IMPORT 127
#define IDI_PROGRAM 128
#define IDI_EXPORT 133
#define IDI_DELETE_FIELD 301
#define IDI_OPTIONS 302

// Bitmaps: the about box picture, the host's menu bitmap (16 x 16, 16 colours).
#define IDB_ABOUT 143
#define IDB_HOST_MENU 201

#define IDR_MAIN_MENU 131
#define IDR_MAIN_ACCELERATORS 136

// About box (100).
#define IDC_ABOUT_PICTURE 1050
#define IDC_ABOUT_TITLE 1051
#define IDC_ABOUT_VERSION 1052
#define IDC_ABOUT_LINK 1053

// Main dialog (102) and its menu (131).
#define IDC_MAIN_USER 301
#define IDC_MAIN_FILTER_ON 1003
#define IDC_MAIN_FILTER_TYPE 1004
#define IDC_MAIN_FILTER_TEXT 1005
#define IDC_MAIN_COUNT_LINE 1014
#define IDC_MAIN_PROGRESS 1007
#define IDC_MAIN_IMPORT 1001
#define IDC_MAIN_EXPORT 1002
#define IDC_MAIN_OPTIONS 1027
#define IDC_MAIN_CLOSE 1033
#define IDM_ARCHIVE 32768
#define IDM_REMOVE_ALL 1013
#define IDM_OPTIONS 1027
#define IDM_CLOSE 1033
#define IDM_HELP 1026
// Shares its id with the filter type list; told apart by the notification code.
#define IDM_ABOUT 1004

// Options dialog (129).
#define IDC_OPT_SIMPLE_FORMAT 1030
#define IDC_OPT_FULL_FORMAT 1031
#define IDC_OPT_SPAN_FROM 1005
#define IDC_OPT_SPAN_TO 1006
#define IDC_OPT_EXCEPTION_SEPARATOR 1038
#define IDC_OPT_DATE_WITH_TIME 1000
#define IDC_OPT_NO_DUPLICATES 1009
#define IDC_OPT_IGNORE_ERRORS 1016
#define IDC_OPT_APPOINTMENT_LENGTH 1041
#define IDC_OPT_QUOTE 1021
#define IDC_OPT_SEPARATOR 1008
#define IDC_OPT_EXPORT_NO_CR 1029
#define IDC_OPT_SIMPLE_FIELDS 1034
#define IDC_OPT_ADD_FIELD 302
#define IDC_OPT_DELETE_FIELD 303
#define IDC_OPT_REPEAT_FIELDS 1035
#define IDC_OPT_RESTORE_DEFAULT 1040
#define IDC_OPT_VIEW_EXAMPLE 304
// The add-field menu's choices: 1000 + field number, and "(Ignored)".
#define IDM_ADD_FIELD_FIRST 1000
#define IDM_ADD_FIELD_IGNORED 1032
// Help context numbers of the options dialog: this base plus the control id.
#define HELP_CONTEXT_BASE 0x50000

// File format example (302).
#define IDC_EXAMPLE_TEXT 305

// Archive dialog (303).
#define IDC_ARC_INFORMATION 1005
#define IDC_ARC_CUTOFF 1001
#define IDC_ARC_ONLY_LARGER 1008
#define IDC_ARC_MIN_SIZE 1006
#define IDC_ARC_MIN_SIZE_SPIN 1007
