#pragma once

// Resource and command numbers of the desktop program, shared by the
// resource script and the code. Do not renumber: they are the program's
// published command and control numbers.

#define IDM_DECOMPILE 40001
#define IDM_EXIT 40002
#define IDM_ABOUT 40003
#define IDM_COMPILE 40004
#define IDM_OPEN_REPORT 40005
#define IDM_NEXT_ERROR 40006
#define IDM_PREVIOUS_ERROR 40007
#define IDM_COPY 40008
#define IDM_SELECT_ALL 40009

#define IDC_INPUT 1000
#define IDC_OUTPUT 1001
#define IDC_COMPARE 1002
#define IDC_REPORT 1003
#define IDC_BASE 1004
#define IDC_COMPILE_OUTPUT 1005
// Each Browse... button is its field's number plus this.
#define IDC_BROWSE_OFFSET 100
#define IDC_INPUT_BROWSE 1100
#define IDC_OUTPUT_BROWSE 1101
#define IDC_REPORT_BROWSE 1103
#define IDC_BASE_BROWSE 1104
#define IDC_COMPILE_OUTPUT_BROWSE 1105

// The string table of start-up errors.
#define IDS_PREVIOUS_INSTANCE 1
#define IDS_INIT_ERROR 2
#define IDS_CLASS_ERROR 3
#define IDS_WINDOW_ERROR 4
#define IDS_MEMORY_ERROR 5

// The settings editor's commands and controls.
#define IDM_EDIT_SET_FILE 40010
#define IDM_OPEN_SET_FILE 40011
#define IDM_SAVE 40012
#define IDM_SAVE_AS 40013
#define IDM_COMPARE_WITH 40014
#define IDM_CLOSE 40015
#define IDM_UNDO 40016
#define IDM_REDO 40017
#define IDM_EDIT_VALUE 40018
#define IDM_TAKE_OTHER 40019
#define IDM_FIND 40020
#define IDM_FIND_NEXT 40021
#define IDM_FIND_PREVIOUS 40022
#define IDM_NEXT_DIFFERENCE 40023
#define IDM_PREVIOUS_DIFFERENCE 40024
#define IDM_CHANGED_ONLY 40025

#define IDC_SETTINGS_TREE 1200
#define IDC_VALUE_EDIT 1201
#define IDC_VALUE_CHOICE 1202
#define IDC_VALUE_PROBLEM 1203
#define IDC_FIND 1204
#define IDC_VALUE_STEPS 1205
#define IDC_VALUE_COMMANDS 1206
