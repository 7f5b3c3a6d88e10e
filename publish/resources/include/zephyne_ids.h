#pragma once
// Resource numbers of Zephyne.exe: its icon, its two dialog templates with
// their controls, and its string table. Included by the resource script, so
// plain #defines only.

#define IDI_ZEPHYNE 128

#define IDD_SAVE_COMPLETED        466
#define IDC_SAVE_MESSAGE          1004
#define IDC_SAVE_LINK_PLACEHOLDER 1000
#define IDC_SAVE_GROUP            1001
#define IDC_SAVE_LINK             1400

#define IDD_MISSING_COMPONENT 1507
#define IDC_MISSING_MESSAGE   1468
#define IDC_MISSING_LINK      1463

#define IDS_PRODUCT_KEY       1
#define IDS_MISSING_COMPONENT 2
#define IDS_ONE               3
#define IDS_ZERO              4
#define IDS_MAKER             5
#define IDS_COMPONENTS_URL    6
#define IDS_COMPONENTS_LINK   7
