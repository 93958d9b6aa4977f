// Resource and control numbers of the wizard and the removal dialogs, shared
// by their resource script and their code.
#pragma once

#define IDD_WAIT 132
#define IDD_COMPLETE 133
#define IDD_SELECT 134
#define IDD_CONFIRM 135
#define IDD_STATUS 136

#define IDB_CHECKBOXES 130
#define IDB_SIDE 131
#define IDB_OK 137
#define IDB_EXIT 138
#define IDB_BACK 139
#define IDB_NEXT 140

#define IDC_NO_RESTART 1001
#define IDC_PRINTER_NAME 1002
#define IDC_WAIT_MESSAGE 1003
#define IDC_COMPLETE_MESSAGE 1004
#define IDC_ERROR_MESSAGE 1006
#define IDC_FAILURES 1008
#define IDC_SELECT_HEADER 1010
#define IDC_CONFIRM_HEADER 1011
#define IDC_STATUS_TEXT 1012
#define IDC_PROGRESS 1013
#define IDC_WARNING 1014
#define IDC_SELECT_TREE 1027
#define IDC_RESTART 1027
#define IDC_CONFIRM_TREE 1028
