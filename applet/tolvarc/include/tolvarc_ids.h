/* Numbers of the resources in Tolvarc.dll, the applet's resource library.
 *
 * The applet loads every string, dialog template, menu and icon from that
 * library by number; this header is shared by the resource script and by the
 * applet code so that both sides use the same names. Plain #defines only: the
 * resource compiler reads this file too.
 */
#ifndef TOLVARC_IDS_H
#define TOLVARC_IDS_H

/* Icons */
#define IDI_APPLET 128 /* window class icon */
#define IDI_TRAY   147 /* notification area icon */

/* Menus */
#define IDR_TRAY_MENU 103 /* first submenu: the tray menu */

/* Tray menu commands */
#define ID_TRAY_START    32771 /* hand the camera to the imaging application */
#define ID_TRAY_CLOSE    32772 /* close the open camera task */
#define ID_TRAY_EXIT     32773 /* ask, then end the applet */
#define ID_TRAY_DOWNLOAD 32774 /* open the camera task for downloading */
#define ID_TRAY_ABOUT    32775 /* About dialog */
#define ID_TRAY_OPTIONS  32776 /* Options dialog */

/* Dialog templates */
#define IDD_ABOUT   100
#define IDD_APPLET  102 /* hidden main dialog, never seen */
#define IDD_NOTICE  148 /* shown while connecting to the host */
#define IDD_OPTIONS 149
#define IDD_ALBUM   297

/* Controls of IDD_ABOUT */
#define IDC_ABOUT_NAME 1006

/* Controls of IDD_OPTIONS */
#define IDC_SHOW_AT_START   1012 /* check box: ShowStartup */
#define IDC_DOWNLOAD_MANUAL 1013 /* radio 0 of AutoDownload, starts its group */
#define IDC_DOWNLOAD_AUTO   1014 /* radio 1 of AutoDownload */
#define IDC_RUN_FULL_APP    1018 /* radio 0 of RunOption, starts its group */
#define IDC_RUN_CAMERA_ONLY 1019 /* radio 1 of RunOption */
#define IDC_AUTO_RUN        1020 /* check box: EnableAutoRun */

/* Controls of IDD_ALBUM */
#define IDC_ALBUM_NAME     1016 /* edit: album name or full path */
#define IDC_ALBUM_BROWSE   1018 /* push button: folder picker */
#define IDC_ALBUM_LOCATION 1689 /* static: IDS_ALBUM_LOCATION with the folder */

/* Strings: applet and host */
#define IDS_OLE_INIT_FAILED    102
#define IDS_EXIT_QUESTION      104 /* %1 = IDS_APP_TITLE */
#define IDS_HOST_CREATE_FAILED 106 /* %1 = IDS_HOST_NAME */
#define IDS_HOST_CALL_FAILED   107
#define IDS_TASK_ALREADY_OPEN  999
#define IDS_APP_TITLE          57345
#define IDS_ABOUT_CAPTION      57346 /* %1 = IDS_APP_TITLE */
#define IDS_BUSY_TIP           57347 /* %1 = IDS_APP_TITLE */
#define IDS_HOST_NAME          57348

/* Strings: card test defaults */
#define IDS_DEFAULT_CARD_PATH 956 /* PCCardPath: folders separated by ';' */
#define IDS_DEFAULT_CARD_FILE 962 /* PCCardFile: name or pattern, "-" for none */

/* Strings: settings store */
#define IDS_PRODUCT_KEY 990 /* key name under Software\Orvo */

/* Strings: feature flag defaults ("true" turns the flag on) */
#define IDS_FLAG_CESYNC       277
#define IDS_FLAG_CAMERADIRECT 930
#define IDS_FLAG_CAMERASERIAL 931
#define IDS_FLAG_AUTODOWNLOAD 964
#define IDS_FLAG_AUDIO        970
#define IDS_FLAG_FLASHPATH    991
#define IDS_FLAG_TOSHIBAMODE  993

/* Strings: Options dialog, texts of IDC_DOWNLOAD_MANUAL / IDC_DOWNLOAD_AUTO
 * by connection kind */
#define IDS_OPTIONS_ANY_MANUAL   112 /* kinds 0, 3, 5 */
#define IDS_OPTIONS_ANY_AUTO     113
#define IDS_OPTIONS_CARD_MANUAL  115 /* kind 1: memory card */
#define IDS_OPTIONS_CARD_AUTO    116
#define IDS_OPTIONS_CABLE_MANUAL 124 /* kind 2: camera on the serial cable */
#define IDS_OPTIONS_CABLE_AUTO   125
#define IDS_OPTIONS_TWAIN_MANUAL 995 /* kind 4, no source name */
#define IDS_OPTIONS_TWAIN_NAMED  996 /* kind 4, %1 = LastTwainDev */
#define IDS_OPTIONS_TWAIN_AUTO   997 /* kind 4: shown disabled */

/* Strings: album dialog and folder picker */
#define IDS_ALBUM_CREATE_FAILED 202 /* %1 = the folder */
#define IDS_ALBUM_PICKER_TITLE  274
#define IDS_ALBUM_PICKER_OK     280
#define IDS_PICKER_TITLE        281
#define IDS_PICKER_LABEL        282
#define IDS_PICKER_OK           283
#define IDS_ALBUM_LOCATION      1669 /* %1 = the folder */

#endif /* TOLVARC_IDS_H */
