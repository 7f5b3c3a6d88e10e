// Numbers of the test program's own resources and of the separate resource library.
#pragma once
#define IDD_PLAIN        200
#define IDD_EXCHANGE     201
#define IDD_LIBRARY_ONLY 202

#define IDC_EDIT           1030
#define IDC_CHECK          1001
#define IDC_TRISTATE       1002
#define IDC_GROUP_A_FIRST  1010
#define IDC_GROUP_A_LABEL  1015
#define IDC_GROUP_A_SECOND 1011
#define IDC_GROUP_A_THIRD  1012
#define IDC_GROUP_B_FIRST  1020
#define IDC_GROUP_B_SECOND 1021
#define IDC_NAME           1031

#define IDS_GREETING 300
#define IDS_TWICE    301
#define IDS_PLAIN    302
#define IDS_LONG     303
#define IDS_ACCENTED 304
#define IDS_MISSING  399
