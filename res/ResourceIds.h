// Dialog templates, controls and other resource IDs besides strings and skin art.
#pragma once

// The mark of a module that carries Startdeck's resources (the executable and every language
// library): an RCDATA of two 32-bit numbers, the magic "SDCK" and the version of the resource set.
// Raise the version whenever a template or an ID changes meaning, so that a language library of
// another release is not taken for this one's.
#define IDR_RESOURCE_SET 1
#define RESOURCE_SET_MAGIC 0x4B434453L
#define RESOURCE_SET_VERSION 3L

// Dialog templates.
#define IDD_STARTDECK 102

// Main window controls.
#define IDC_MINIMIZE 310
#define IDC_EXIT 313
#define IDC_CLOSE 319
#define IDC_ABOUT 324
#define IDC_HELP_BUTTON 327
#define IDC_BACK 371
#define IDC_HOME 374
#define IDC_LAUNCH_INSTALL 396
#define IDC_SHOW_ALL_FEATURES 378
#define IDC_DICTIONARY_UPDATES 379
#define IDC_RIBBON 1234
#define IDC_WELCOME_TEXT 1004
#define IDC_PRODUCT_CAPTION 1044

// Icons.
#define IDI_STARTDECK 128

// Start page (a child of the main window at (9, 107)).
#define IDD_START_PAGE 213
#define IDC_START_TEXT 1005  // the page's one static text, drawn by the page itself
// Its buttons, one per tab (their commands to the main window).
#define IDC_START_TRANSLATE 316
#define IDC_START_CUSTOMIZE 291
#define IDC_START_DICTIONARIES 294
#define IDC_START_LAUNCH 297
#define IDC_START_GUIDE 307
#define IDC_START_NET 301
#define IDC_START_MY_VANTO 304

// The ribbon's tabs (their commands to the ribbon), one per tab.
#define IDC_TAB_TRANSLATION 335
#define IDC_TAB_SETUP 338
#define IDC_TAB_DICTIONARIES 348
#define IDC_TAB_LAUNCH 353
#define IDC_TAB_GUIDE 355
#define IDC_TAB_NET 342
#define IDC_TAB_MY_VANTO 345

// List panel (a child of the main window at (9, 146)): the heading in the help column; the list
// itself is made at run time with the identifier the main window gives it.
#define IDD_LIST_PANEL 236
#define IDC_LIST_HEADING 1006  // drawn by the panel itself
// The tabs' lists, made at run time; a list reports its clicks with its identifier.
#define IDC_LIST_TRANSLATION 1101
#define IDC_LIST_CUSTOMIZE 1102
#define IDC_LIST_LAUNCH 1104
#define IDC_LIST_GUIDE 1105
#define IDC_LIST_NET 1106
// The recent documents in the translation tab's panel, below its heading.
#define IDC_RECENT_DOCUMENTS 1107

// Task panel base (a child of the main window at (9, 146)): two labels the panels place; the title
// and the steps are made at run time in the help column.
#define IDD_TASK_PANEL 250
#define IDC_PANEL_LABEL1 1007
#define IDC_PANEL_LABEL2 1008
#define IDC_PANEL_TITLE 1009
#define IDC_PANEL_STEPS 1010

// The task panels' own controls, made at run time on the panel base. The application list and the
// action button share 383: the list tells its choice with CBN_SELCHANGE, the button with BN_CLICKED.
#define IDC_PANEL_DOCUMENT 1011
#define IDC_PANEL_DOCUMENT_LABEL 1012
#define IDC_PANEL_APPLICATION_LABEL 1013
#define IDC_PANEL_DIRECTION_LABEL 1014
#define IDC_PANEL_PROFILE_LABEL 1015
#define IDC_PANEL_OUTCOME 1016
#define IDC_PANEL_ACTION 383
#define IDC_PANEL_APPLICATIONS 383
#define IDC_PANEL_EDIT_PROFILES 386
#define IDC_PANEL_BROWSE 390
#define IDC_PANEL_DIRECTIONS 1052
#define IDC_PANEL_PROFILES 1053
#define IDC_PANEL_SINGLE_DIRECTIONS 154
// The user-dictionary and translation-memory panels. New Dictionary and Edit are 386, Add is 390,
// Create is 383; the labels and the word field are made at run time like the lists.
#define IDC_PANEL_DICTIONARIES 1032
#define IDC_PANEL_MEMORIES 304
#define IDC_PANEL_NEW_DICTIONARY 386
#define IDC_PANEL_ADD_WORD 390
#define IDC_PANEL_CREATE_MEMORY 383
#define IDC_PANEL_EDIT_MEMORY 386
#define IDC_PANEL_WORD 1017
#define IDC_PANEL_WORD_LABEL 1018
#define IDC_PANEL_DICTIONARY_LABEL 1019
#define IDC_PANEL_MEMORY_LABEL 1020
#define IDC_PANEL_NEW_MEMORY_LABEL 1021

// Drop-down list of the skinned combo box: a popup whose one control is the list view that holds
// the entries; the combo box places and sizes it.
#define IDD_COMBO_POPUP 237
#define IDC_COMBO_POPUP_LIST 1050

// Quick translation (task 9), made at run time on the panel base: the caption over the lists, the
// source and the target field (rich-edit controls), and the two buttons. The direction and the
// profile list are the panels' IDC_PANEL_DIRECTIONS and IDC_PANEL_PROFILES.
#define IDC_QUICK_CAPTION 1209
#define IDC_QUICK_SOURCE 1208
#define IDC_QUICK_TARGET 1207
#define IDC_QUICK_TRANSLATE 383
#define IDC_QUICK_CLEAR 379

// The text fields' keys and context menu. The accelerators turn Ctrl+V and Shift+Insert into the
// plain-text paste, which the panel carries out; the context menu "RButtonMenu" is in each
// language's own resources.
#define IDR_RICHEDIT_ACCELERATORS 244
#define IDM_PASTE_PLAIN 32771         // Ctrl+V
#define IDM_PASTE_PLAIN_INSERT 32772  // Shift+Insert
#define IDM_EDIT_CLEAR 0xE120
#define IDM_EDIT_COPY 0xE122
#define IDM_EDIT_CUT 0xE123
#define IDM_EDIT_PASTE 0xE125
#define IDM_EDIT_SELECT_ALL 0xE12A

// The documentation panel's note about the PDF viewer, under its list.
#define IDC_DOCS_NOTE 1049

// An HTML page of the main window (the dictionaries and web-service tabs): a child of the main
// window, sized to the panel background when it starts; the page's control is made at run time.
#define IDD_HTML_PAGE 105
// The pages (type HTML) in each language: the dictionaries tab's and the web-service tab's. Each
// page's window takes its page's ID as its own.
#define IDR_HTML_DICTIONARIES 200
#define IDR_HTML_MY_VANTO 189
