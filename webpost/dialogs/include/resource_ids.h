#pragma once
// Dialog templates and control identifiers of the library's own windows.

#define IDD_WP_PROGRESS 100
#define IDD_WP_WELCOME  101
#define IDD_WP_SOURCE   102
#define IDD_WP_SITE     103
#define IDD_WP_PROVIDER 104

#define IDC_WP_FILE        1001
#define IDC_WP_BAR         1002
#define IDC_WP_COUNT       1003
#define IDC_WP_BACK        1010
#define IDC_WP_NEXT        1011
#define IDC_WP_FINISH      1012
#define IDC_WP_PATHS       1020
#define IDC_WP_RECURSIVE   1021
#define IDC_WP_FULLPOST    1022
#define IDC_WP_SITENAME    1030
#define IDC_WP_URL         1031
#define IDC_WP_USER        1032
#define IDC_WP_KIND_FOLDER 1040
#define IDC_WP_KIND_WEBDAV 1041
#define IDC_WP_KIND_FTP    1042
#define IDC_WP_PASSWORD    1050
#define IDC_WP_REMEMBER    1051
