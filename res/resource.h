// Identifiers of the program's resources, commands and timers.
#pragma once

// Bitmaps, menu, icon
#define IDB_CARD_BACK 101
#define IDR_MAIN_MENU 102
#define IDI_MAIN 103

// Dialogs
#define IDD_ABOUT 104
#define IDD_DIFFICULTY 105
#define IDD_IMAGE_LIST 106
#define IDD_SOUND_LIST 108
#define IDD_HIGH_SCORE_NAME 109

// Strings
#define IDS_PICTURE_FILTER_NAME 201
#define IDS_PICTURE_TITLE 202
#define IDS_SOUND_FILTER_NAME 203
#define IDS_SOUND_TITLE 204
#define IDS_INPUT_ERROR_TEXT 205
#define IDS_INPUT_ERROR_TITLE 206
#define IDS_ALL_PICTURES_NAME 207
#define IDS_START_FAILED 208
#define IDS_NO_COM 209
#define IDS_NO_CONTROLS 210
#define IDS_NO_WINDOW 211
#define IDS_NO_DIRECTDRAW 212
#define IDS_NO_DECODER 213
#define IDS_NO_CARD_BACK 214
#define IDS_PAUSED 230
#define IDS_PICTURES_NOT_KEPT 231
#define IDS_SOUNDS_NOT_KEPT 232
#define IDS_PICTURE_FOLDER_TITLE 220
#define IDS_SOUND_FOLDER_TITLE 221

// Controls
#define IDC_COLUMNS_EDIT 1000
#define IDC_ROWS_EDIT 1001
#define IDC_COLUMNS_SPIN 1002
#define IDC_ROWS_SPIN 1003
#define IDC_DIFFICULT 1004
#define IDC_EASY 1005
// The list editors' Add and the name dialog's edit share a number, as they
// always have: control ids count within their own dialog.
#define IDC_ADD 1006
#define IDC_NAME_EDIT 1006
#define IDC_DELETE 1007
#define IDC_IMAGE_LIST 1008
#define IDC_SOUND_LIST 1009
#define IDC_ADD_FOLDER 1010

// Menu commands
#define IDM_CLOSE 40001
#define IDM_OPEN_FILE 40002
#define IDM_START 40003
#define IDM_ABOUT 40004
#define IDM_DIFFICULTY 40005
#define IDM_IMAGE_LIST_EDIT 40006
#define IDM_IMAGE_LIST_RELOAD 40007
#define IDM_NEXT_PICTURE 40008
#define IDM_SOUND_START 40009
#define IDM_SOUND_STOP 40010
#define IDM_SOUND_LIST_EDIT 40011
#define IDM_HIGH_SCORE 40012

// How to play
#define IDD_HOW_TO_PLAY 110
#define IDM_HOW_TO_PLAY 40013
#define IDS_HOW_TO_PLAY_RULES 240
#define IDS_HOW_TO_PLAY_KEYS 241
#define IDS_START_BAND 242
#define IDC_HOW_TO_PLAY_TEXT 1020
// Best times and the history of finished games
#define IDM_BEST_TIMES 40016
#define IDD_BEST_TIMES 111
#define IDS_COLUMN_SIZE 260
#define IDS_COLUMN_RULE 261
#define IDS_COLUMN_NAME 262
#define IDS_COLUMN_TIME 263
#define IDS_RULE_DIFFICULT 264
#define IDS_RULE_EASY 265
#define IDS_COLUMN_GAMES 266
#define IDS_COLUMN_BEST 267
#define IDS_COLUMN_AVERAGE 268
#define IDS_COLUMN_LAST 269
#define IDC_RECORD_LIST 1030
#define IDC_SHOW_ALL 1031
#define IDC_HISTORY_LIST 1032

// Timers of the main window
#define TIMER_REVEAL 1
#define TIMER_ANIMATION 2

// The read-out of the game in progress: its switch in the settings menu,
// the item at the right end of the menu bar, its timer and its words
#define IDM_READ_OUT 40014
#define IDM_READ_OUT_BAR 40015
#define TIMER_READ_OUT 3
#define IDS_READ_OUT_SEPARATOR 250
#define IDS_READ_OUT_SWAPS 251
#define IDS_READ_OUT_ONE_SWAP 252
#define IDS_READ_OUT_UNRANKED 253
#define IDS_READ_OUT_PAUSED 254
#define IDS_READ_OUT_RESUMED 255

// The music under the player's hand: the next tune and the volume's four
// steps, loudest first
#define IDM_NEXT_TUNE 40017
#define IDM_VOLUME_LOUD 40018
#define IDM_VOLUME_MEDIUM 40019
#define IDM_VOLUME_SOFT 40020
#define IDM_VOLUME_MUTE 40021

// Message the filter graph posts to the main window (WM_USER + 1)
#define WM_GRAPHNOTIFY 1025
