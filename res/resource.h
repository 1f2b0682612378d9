// Identifiers of the program's resources and controls.
#pragma once

#include "framework/afxres.h"

#define IDD_MANUAL_DIALOG 100
#define IDS_ABOUTBOX 101
#define IDD_BATCHNAME_DIALOG 102
#define IDR_MAINFRAME 128

// Texts the user sees outside the dialog templates (string table).
#define IDS_COMPUTER 110
#define IDS_RENAME_CAPTION 111
#define IDS_RENAME_REPORT 112
#define IDS_REPORT_LINE 113
#define IDS_REPORT_MORE 114
#define IDS_NAME_REQUIRED 115
#define IDS_RENAME_ERROR_CAPTION 116
#define IDS_NAME_IN_USE 117
#define IDS_CANNOT_RENAME 118
#define IDS_SHIFTED_LINES_QUESTION 120
#define IDS_TOO_MANY_FILES 121
#define IDS_UNDO_RENAME 122
#define IDS_UNDO_RENAME_REPORT 123
#define IDS_REASON_NOW_FOLDER 124
#define IDS_REASON_FILE_CHANGED 125

// Long work: the progress window and its texts.
#define IDD_PROGRESS_DIALOG 133
#define IDS_STOPPING 180
#define IDS_REPORT_STOPPED 181
#define IDS_BUSY_REASON 182
#define IDC_PROGRESS_BAR 3201
#define IDC_PROGRESS_FILE 3202
#define IDC_PROGRESS_STOP 3203

// Main dialog controls.
#define IDC_TREE 1000
#define IDC_RENAME 1003
#define IDC_REPLACE 1007
#define IDC_FIND_COMBO 1008
#define IDC_REPLACE_COMBO 1009
#define IDC_NAMES_EDIT 1010
#define IDC_MANUAL_BUTTON 1011
#define IDC_FRONT_EDIT 1012
#define IDC_INSERT_FRONT 1013
#define IDC_UNDO 1014
#define IDC_CHANGE_EXTENSION 1018

// Manual dialog controls.
#define IDC_MANUAL_WARNING 1016
#define IDC_MANUAL_GROUP 1017

// The system-menu commands: the manual, taking back the last rename, and
// Explorer's menu entries.
// System-menu identifiers keep their low four bits clear.
#define IDM_ABOUTBOX 0x0010
#define IDM_UNDO_RENAME 0x0020
#define IDM_EXPLORER_MENU 0x0030

// Recovery at start of a rename that never ended: the question, a folder
// gone, and the report's reason for a file not found.
#define IDS_RECOVERY_QUESTION 210
#define IDS_RECOVERY_FOLDER_GONE 211
#define IDS_REASON_FILE_MOVED 212

// Opening a folder from outside: Explorer's menu entries, and what cannot
// be opened.
#define IDS_EXPLORER_MENU_ADD 220
#define IDS_EXPLORER_MENU_REMOVE 221
#define IDS_EXPLORER_MENU_TEXT 222
#define IDS_EXPLORER_MENU_FAILED 223
#define IDS_NETWORK_PATH 224
#define IDS_PATH_NOT_FOUND 225

// Names from numbers, tags and letter case: the name editor's menu, its two
// dialogs and their texts.
#define IDR_NAMES_MENU 130
#define IDD_NUMBER_DIALOG 131
#define IDD_TAG_NAME_DIALOG 132
#define IDS_NUMBER_START_RANGE 170
#define IDS_NUMBER_STEP_RANGE 171
#define IDS_NUMBER_DIGITS_RANGE 172
#define IDS_TAG_UNKNOWN_FIELD 173
#define IDS_TAG_FIELDS_MISSING 174
#define IDS_TAG_NO_CHANGE 175
#define IDS_PREVIEW_CHANGE 176
#define IDS_TAG_ONLINE_ONLY 200
// The menu's commands, reaching the dialog as WM_COMMAND; then its items of
// the edit control's own menu.
#define ID_NAMES_NUMBER 2001
#define ID_NAMES_FROM_TAGS 2002
#define ID_NAMES_LOWER_CASE 2003
#define ID_NAMES_UPPER_CASE 2004
#define ID_NAMES_WORD_CASE 2005
#define ID_NAMES_PREVIEW 2006
#define ID_NAMES_EDIT_UNDO 2011
#define ID_NAMES_EDIT_CUT 2012
#define ID_NAMES_EDIT_COPY 2013
#define ID_NAMES_EDIT_PASTE 2014
#define ID_NAMES_EDIT_DELETE 2015
#define ID_NAMES_EDIT_SELECT_ALL 2016
// The orders of the list, in the order of ListOrder.
#define ID_NAMES_ORDER_NAME 2021
#define ID_NAMES_ORDER_EXPLORER 2022
#define ID_NAMES_ORDER_MODIFIED 2023
#define ID_NAMES_ORDER_TAKEN 2024
#define ID_NAMES_ORDER_SIZE 2025
// Numbering dialog controls.
#define IDC_NUMBER_START 3001
#define IDC_NUMBER_DIGITS 3002
#define IDC_NUMBER_STEP 3003
#define IDC_NUMBER_IN_FRONT 3004
#define IDC_NUMBER_BEFORE_EXTENSION 3005
#define IDC_NUMBER_SEPARATOR 3006
#define IDC_NUMBER_PREVIEW 3007
// The preview of a rename: its dialog, controls and texts.
#define IDD_PREVIEW_DIALOG 134
#define IDC_PREVIEW_LIST 3301
#define IDC_PREVIEW_RENAME 3302
#define IDC_PREVIEW_SUMMARY 3303
#define IDS_PREVIEW_COUNT 190
#define IDS_PREVIEW_OLD_NAME 191
#define IDS_PREVIEW_NEW_NAME 192
#define IDS_PREVIEW_NOTE 193
// Names-from-tags dialog controls.
#define IDC_TAG_FORMAT 3101
#define IDC_TAG_PREVIEW 3102

#ifndef IDC_STATIC
#define IDC_STATIC (-1)
#endif
