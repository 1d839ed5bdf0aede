/* Resource ids of ftplink: dialogs, their controls, strings, icon, bitmaps and help contexts.
 * Hand-written and shared by the resource script and the code; plain #defines so windres reads it. */
#ifndef FTPLINK_RESOURCE_H
#define FTPLINK_RESOURCE_H

/* Standard command ids used by every dialog (IDOK 1 and IDCANCEL 2 come from windows.h). */
#define IDC_HELP_BUTTON         9
#define IDC_STATIC_UNADDRESSED  (-1)

/* Dialog 129: the download dialog (DownloadDlgProc). */
#define IDD_DOWNLOAD            129
#define IDC_DL_CLOSE_WHEN_DONE  1000
#define IDC_DL_OPEN_FOLDER      1003
#define IDC_DL_SOURCE           1004
#define IDC_DL_OPEN             1005
#define IDC_DL_PROGRESS_TEXT    1008
#define IDC_DL_DESTINATION      1009
#define IDC_DL_RATE             1010
#define IDC_DL_STATE            1012
#define IDC_DL_BAR              1013
#define IDC_DL_PROGRESS_LABEL   1014

/* Dialog 130: the open-or-save question (ChoiceDlgProc). */
#define IDD_CHOICE              130
#define IDC_CH_OPEN             1001
#define IDC_CH_SAVE             1002
#define IDC_CH_SOURCE           1016

/* Dialog 132: the credentials dialog (LoginDlgProc). */
#define IDD_LOGIN               132
#define IDC_LG_USERID           1006
#define IDC_LG_PASSWORD         1007
#define IDC_LG_HOST             1011

/* Icon and bitmaps. */
#define IDB_CHOICE_SIDEBAR      136
#define IDI_APP                 137
#define IDB_POWERED_BY          202

/* Strings: Save As. */
#define IDS_SAVE_FILTER         200
#define IDS_SAVE_TITLE          201
/* Strings: source line. */
#define IDS_SOURCE_LINE         301
/* Strings: state line 1012 and the progress label 1014. */
#define IDS_STATE_DOWNLOADING   400
#define IDS_STATE_RETRIEVING    401
#define IDS_STATE_COMPLETED     402
#define IDS_LABEL_SUCCESS       403
#define IDS_STATE_FAILED        404
#define IDS_STATE_DIRECTORY     405
/* Strings: rates, progress and summary. */
#define IDS_RATE_KBITS          500
#define IDS_RATE_BITS           501
#define IDS_RATE_BPS            502
#define IDS_RATE_KBYTES         503
#define IDS_RATE_BYTES          504
#define IDS_SUMMARY             505
#define IDS_PROGRESS_OF         507
#define IDS_REMAINING           508
#define IDS_PROGRESS_BYTES      509
#define IDS_UNIT_BYTES          600
#define IDS_UNIT_KB             601
/* Strings: button captions, time units, labels. */
#define IDS_CLOSE               700
#define IDS_SEC                 701
#define IDS_SECS                702
#define IDS_HR                  703
#define IDS_HRS                 704
#define IDS_MIN                 705
#define IDS_MINS                706
#define IDS_LABEL_TIME_PERIOD   707
#define IDS_BAR_COMPLETE        708
/* Strings: failure messages and the browser integration question. */
#define IDS_FAILED_CONNECT      800
#define IDS_FILE_NOT_FOUND      801
#define IDS_ENGINE_FAILED_TEXT  802
#define IDS_ENGINE_FAILED_TITLE 803
/* Strings: a save that could not be moved into place (the file stays in the cache). */
#define IDS_SAVE_MOVE_FAILED    2001

/* Help contexts in skelmer.hlp. */
#define HELP_CONTEXT_CHOICE     9110
#define HELP_CONTEXT_DOWNLOAD   9115
#define HELP_CONTEXT_NOTHING    9120

#endif
