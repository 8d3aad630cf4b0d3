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

#endif
