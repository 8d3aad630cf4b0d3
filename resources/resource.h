/* Identifiers shared by the program and the resource script. Bitmaps, the icon, the cursor and the
   dialog templates are named by strings (IDB_..., IDI_ICON, IDC_CURSOR, IDD_...), so they are not
   defined here. */
#ifndef KALEIDRA_RESOURCE_H
#define KALEIDRA_RESOURCE_H

/* Title menu */
#define IDM_RULES 1001
#define IDM_START 1002
#define IDM_QUIT 1003

/* Game menu */
#define IDM_CANCEL 2001
#define IDM_PATTERN 2002
#define IDM_END_GAME 2003

/* Rule dialog */
#define IDC_RULE_COLUMNS 10011
#define IDC_RULE_ROWS 10012
#define IDC_RULE_TOTAL 10013
#define IDC_RULE_PERCENTAGE 10021
#define IDC_RULE_RANDOM 10031
#define IDC_RULE_FILE 10041
#define IDC_RULE_PATH 10042
#define IDC_RULE_BROWSE 10043

/* Pattern dialog: the radio of pattern type t is IDC_TYPE_A + t */
#define IDC_TYPE_A 20011
#define IDC_TYPE_B 20012
#define IDC_TYPE_C 20013
#define IDC_TYPE_D 20014
#define IDC_TYPE_E 20015
#define IDC_TYPE_F 20016
#define IDC_TYPE_G 20017

/* Result dialog: the mark and the count of colour k are IDC_RESULT_MARK_RED + k and
   IDC_RESULT_COUNT_RED + k */
#define IDC_RESULT_COLUMNS 30001
#define IDC_RESULT_ROWS 30002
#define IDC_RESULT_TOTAL 30003
#define IDC_RESULT_CLEAR_TERMS 30011
#define IDC_RESULT_TIME 30021
#define IDC_RESULT_OPERATIONS 30022
#define IDC_RESULT_MARK_RED 30031
#define IDC_RESULT_MARK_YELLOW 30032
#define IDC_RESULT_MARK_GREEN 30033
#define IDC_RESULT_MARK_LIGHT_BLUE 30034
#define IDC_RESULT_MARK_PURPLE 30035
#define IDC_RESULT_COUNT_RED 30041
#define IDC_RESULT_COUNT_YELLOW 30042
#define IDC_RESULT_COUNT_GREEN 30043
#define IDC_RESULT_COUNT_LIGHT_BLUE 30044
#define IDC_RESULT_COUNT_PURPLE 30045
#define IDC_RESULT_PICTURE 30051

#endif
