// Every string-table ID of the program, named once. Included by the .rc files and the code.
#pragma once

// Plug-in switches: failure messages and add-in descriptions.
#define IDS_SW_EMBED_FAILED 133       // "Unable to embed/disable ... in " CR LF and a quote
#define IDS_SW_QUOTE 134              // a single double quote
#define IDS_SW_RELAUNCH_HOST 135      // "... Please relaunch the %s application."
#define IDS_SW_CAPTION 136            // "VANTO Plug-ins Manager"
#define IDS_SW_NO_ADMIN 137           // administrator privileges missing
#define IDS_SW_CONTACT_SUPPORT 138    // contact technical support
#define IDS_SW_ADDIN_DESCRIPTION 139  // "Translation functions in Microsoft"
#define IDS_SW_SWITCHING_BUSY 140     // another program is switching add-ins
#define IDS_NEED_ADMIN_SOME_APPS 366  // administrator rights needed in some applications

// Start-up.
#define IDS_CANNOT_LOAD_INF 159    // "Cannot load external resource file."
#define IDS_RICHEDIT_FAILED 174    // " Error occurred while initializing RICHEDIT." (leading blank)
#define IDS_INF_WRONG_PRODUCT 255  // "The resource file does not match the product."
#define IDS_OTHER_PRODUCTS 268     // available in other products, with a link to the maker's site

// Main window.
#define IDS_EXIT 376  // "Exit"

// Launching suite applications: messages.
#define IDS_REGISTRY_DAMAGED 156        // "Registry information is damaged."
#define IDS_LAUNCH_FAILED 157           // problem launching the selected application
#define IDS_APP_NOT_INSTALLED 270       // not installed: launch the installer
#define IDS_CLOSE_ALL_APPS 345          // close all VANTO applications; quit %s?
#define IDS_LAUNCH_AS_ADMIN 365         // "Launch this application with administrator rights?"
#define IDS_ADMIN_FOR_BACKUP 367        // rights for a backup of all users (ends in a line break)
#define IDS_ADMIN_FOR_DICTIONARIES 368  // rights to install dictionaries (ends in a line break)
#define IDS_NET_SERVER_ONLY 373         // "This application can only run on the VANTO NET server."
#define IDS_ADMIN_FOR_EXTENSIONS 374    // rights to enable translation extensions (ends in a line break)

// Names of the network applications: their display names, and the titles of the network tab's
// commands.
#define IDS_NET_USER_MANAGER 305      // "User Manager"
#define IDS_NET_LINGUISTIC_ADMIN 307  // "Linguistic Administrator"
#define IDS_NET_SERVER_LOGIN 311      // "Server Login"
#define IDS_NET_SYNC 314              // "Data Synchronization"
#define IDS_NET_BACKUP 315            // "VANTO Backup (network version)"
#define IDS_NET_SERVER_SETUP 317      // "Server Setup"
#define IDS_NET_DICT_INSTALLER 356    // "VANTO Dictionary Installer (network version)"
#define IDS_UPDATER 357               // "VANTO Updater"

// The application catalogue of the launch tab: names 2201-2222 and descriptions 2231-2252, by row.
#define IDS_APP_VNTO 2201        // "VANTO Translator"
#define IDS_APP_VNTOI 2202       // "VANTO Translator Pro"
#define IDS_APP_VNTOX 2203       // "VANTO Translator Lite"
#define IDS_APP_LEXA 2204        // "VANTO Dictionary Editor"
#define IDS_APP_LEXAI 2205       // "VANTO Dictionary Editor Pro"
#define IDS_APP_DICTKIT 2206     // "VANTO Dictionary Manager"
#define IDS_APP_DICTKITI 2207    // "VANTO Dictionary Manager Pro"
#define IDS_APP_TRADOS 2208      // "VANTO for TRADOS"
#define IDS_APP_SKIFF 2209       // "VANTO QA Lab"
#define IDS_APP_DICTINST 2210    // "VANTO Dictionary Installer"
#define IDS_APP_VNTOICQ 2211     // "VANTO for ICQ"
#define IDS_APP_BATCHER 2212     // "VANTO Batch Translator"
#define IDS_APP_VANTOEM 2213     // "VANTO Plug-ins Manager"
#define IDS_APP_GLOSSO 2214      // "VANTO Terminology Manager"
#define IDS_APP_GLOSSOL 2215     // "VANTO Terminology Manager Lite"
#define IDS_APP_TMD 2216         // "VANTO TM Manager"
#define IDS_APP_GLOSSOCONV 2217  // "VANTO Terminology Converter"
#define IDS_APP_XRE 2218         // "VANTO XML Rules Editor"
#define IDS_APP_UBACKUP 2219     // "VANTO Backup"
#define IDS_APP_PACKMAKER 2220   // "VANTO PackMaker"
#define IDS_APP_QASTUDIO 2221    // "QaStudio"
#define IDS_APP_QAPROBE 2222     // "QaProbe"
#define IDS_APP_VNTO_DESC 2231
#define IDS_APP_VNTOI_DESC 2232
#define IDS_APP_VNTOX_DESC 2233
#define IDS_APP_LEXA_DESC 2234
#define IDS_APP_LEXAI_DESC 2235  // ends in a blank
#define IDS_APP_DICTKIT_DESC 2236
#define IDS_APP_DICTKITI_DESC 2237
#define IDS_APP_TRADOS_DESC 2238
#define IDS_APP_SKIFF_DESC 2239  // Russian in every language
#define IDS_APP_DICTINST_DESC 2240
#define IDS_APP_VNTOICQ_DESC 2241
#define IDS_APP_BATCHER_DESC 2242
#define IDS_APP_VANTOEM_DESC 2243
#define IDS_APP_GLOSSO_DESC 2244
#define IDS_APP_GLOSSOL_DESC 2245  // the same text as IDS_APP_GLOSSO_DESC
#define IDS_APP_TMD_DESC 2246
#define IDS_APP_GLOSSOCONV_DESC 2247
#define IDS_APP_XRE_DESC 2248
#define IDS_APP_UBACKUP_DESC 2249
#define IDS_APP_PACKMAKER_DESC 2250
#define IDS_APP_QASTUDIO_DESC 2251  // Russian in every language
#define IDS_APP_QAPROBE_DESC 2252   // Russian in every language (opens with a Latin C)

// The tabs of the main window: start-page captions, ribbon captions, list headings and start-page
// texts.
#define IDS_TAB_TRANSLATE 145        // "TRANSLATE"
#define IDS_TAB_CUSTOMIZE 146        // "Customize Translation"
#define IDS_TAB_DICTIONARIES 147     // "VANTO Dictionaries"
#define IDS_TAB_LAUNCH 148           // "Launch Applications"
#define IDS_TAB_GUIDE 149            // "User's Guide"
#define IDS_TAB_NET 150              // "VANTO NET"
#define IDS_TAB_MY_VANTO 151         // "My VANTO"
#define IDS_RIBBON_TRANSLATION 179   // "Translation"
#define IDS_RIBBON_SETUP 180         // "Translation Setup"
#define IDS_RIBBON_DICTIONARIES 181  // "VANTO Dictionaries"
#define IDS_RIBBON_LAUNCH 182        // "Launching Applications"
#define IDS_RIBBON_GUIDE 183         // "User's Guide"
#define IDS_RIBBON_MY_VANTO 184      // "My VANTO"
#define IDS_RIBBON_NET 185           // "VANTO NET"
#define IDS_HEADING_TRANSLATION 298  // "Tasks of text translation"
#define IDS_HEADING_CUSTOMIZE 299    // customizing the translation system (two blanks in English)
#define IDS_HEADING_LAUNCH 192       // "Launching applications of the suite"
#define IDS_HEADING_GUIDE 206        // "See documentation to the product"
#define IDS_HEADING_NET 218          // administrating the network version
#define IDS_TEXT_DICTIONARIES 205    // "Installation of specialized dictionaries and profiles"
#define IDS_TEXT_MY_VANTO 217        // "User private area with access to online services"

// Commands of the translation tab: titles and descriptions (several end in a blank).
#define IDS_CMD_QUICK_TRANSLATE 239
#define IDS_CMD_TRANSLATE_MESSENGERS 241
#define IDS_CMD_TRANSLATE_WEB 244
#define IDS_CMD_TRANSLATE_WORD 245
#define IDS_CMD_TRANSLATE_OUTLOOK 246
#define IDS_CMD_TRANSLATE_PDF 247
#define IDS_CMD_TRANSLATE_OPENOFFICE 248
#define IDS_CMD_TRANSLATE_EXCEL 249
#define IDS_CMD_TRANSLATE_POWERPOINT 250
#define IDS_CMD_TRANSLATE_FILES 251
#define IDS_CMD_QUICK_TRANSLATE_DESC 267
#define IDS_CMD_TRANSLATE_MESSENGERS_DESC 269
#define IDS_CMD_TRANSLATE_WEB_DESC 271
#define IDS_CMD_TRANSLATE_WORD_DESC 272
#define IDS_CMD_TRANSLATE_OUTLOOK_DESC 273
#define IDS_CMD_TRANSLATE_PDF_DESC 274
#define IDS_CMD_TRANSLATE_OPENOFFICE_DESC 275
#define IDS_CMD_TRANSLATE_EXCEL_DESC 276
#define IDS_CMD_TRANSLATE_POWERPOINT_DESC 277
#define IDS_CMD_TRANSLATE_FILES_DESC 278

// Commands of the customisation tab.
#define IDS_CMD_TRADOS 243
#define IDS_CMD_EDIT_TEMPLATE 252
#define IDS_CMD_EDIT_DICTIONARY 253
#define IDS_CMD_EDIT_TM 254
#define IDS_CMD_XML_RULES_EDITOR 256
#define IDS_CMD_DICTIONARY_SERVICES 257
#define IDS_CMD_TERMINOLOGY_MANAGER 258
#define IDS_CMD_TERMINOLOGY_CONVERTER 259
#define IDS_CMD_EDIT_TEMPLATE_DESC 279
#define IDS_CMD_EDIT_DICTIONARY_DESC 280
#define IDS_CMD_EDIT_TM_DESC 281
#define IDS_CMD_XML_RULES_EDITOR_DESC 283
#define IDS_CMD_DICTIONARY_SERVICES_DESC 284
#define IDS_CMD_TERMINOLOGY_MANAGER_DESC 285
#define IDS_CMD_TERMINOLOGY_CONVERTER_DESC 286
#define IDS_CMD_TRADOS_DESC 287

// Commands of the network tab: the descriptions beside the application names above, and the Pro
// editions.
#define IDS_NET_USER_MANAGER_DESC 306
#define IDS_NET_LINGUISTIC_ADMIN_DESC 308
#define IDS_NET_SERVER_LOGIN_DESC 312
#define IDS_NET_SYNC_DESC 313
#define IDS_NET_BACKUP_DESC 316
#define IDS_NET_SERVER_SETUP_DESC 318
#define IDS_NET_DICT_INSTALLER_DESC 354
#define IDS_UPDATER_DESC 358
#define IDS_NET_LINGUISTIC_ADMIN_PRO_DESC 160  // two blanks before "Pro" in English
#define IDS_NET_LINGUISTIC_ADMIN_PRO 187
#define IDS_NET_USER_MANAGER_PRO_DESC 188
#define IDS_NET_USER_MANAGER_PRO 189

// Main window: buttons, check boxes, system menu and its messages.
#define IDS_LAUNCH 158
#define IDS_DICTIONARY_INSTALLER 229
#define IDS_ABOUT 240
#define IDS_INSTALL 346
#define IDS_SYSMENU_RESTORE 349
#define IDS_SYSMENU_MINIMIZE 350
#define IDS_SYSMENU_CLOSE 351
#define IDS_SYSMENU_MOVE 352
#define IDS_NO_APPLICATION_FOR_TASK 353
#define IDS_UPDATES_INSTALLING 375
#define IDS_HELP 377
#define IDS_HELP_FILE_MISSING 4471  // Help or F1 while the help file (%s) is missing
#define IDS_SHOW_ALL_FEATURES 378
#define IDS_DICTIONARY_UPDATES 379
#define IDS_HOME 380
#define IDS_BACK 381
#define IDS_WELCOME 423

// Handing documents to host applications: messages.
#define IDS_SELECT_DOCUMENT 4101        // "Select the document you wish to translate."
#define IDS_INSTALL_HOST_FIRST 4102     // "You must install %s to use this extension. " (trailing blank)
#define IDS_OTHER_PRODUCTS_PLAIN 4103   // the other-products message without its link, for help areas
#define IDS_DOCX_NEEDS_WORD2007 4104    // ".docx" documents only in Word 2007 or higher
#define IDS_MESSENGER_NEEDS_IE 4105     // Internet Explorer needed for the Messenger extension
#define IDS_MESSENGER_NOT_RUNNING 4106  // "Launch Windows Live Messenger, log in, and click Launch again."
#define IDS_HANDOFF_RECORD_FAILED 4107  // the document's record cannot be left for the %s application
#define IDS_LAUNCH_RECORD_FAILED 4108   // the %s application's record cannot be left: it is not started

// Handing documents to host applications: what happens after Launch, per host (the outcome) and,
// for some hosts, the steps to take.
#define IDS_HELP_ACROBAT 4111
#define IDS_HELP_ACROBAT_STEPS 4112
#define IDS_HELP_OFFICE2003 4113
#define IDS_HELP_OFFICE2007 4114
#define IDS_HELP_OUTLOOK2003 4115
#define IDS_HELP_OUTLOOK2007 4116
#define IDS_HELP_BROWSER 4117
#define IDS_HELP_OPENOFFICE 4118
#define IDS_HELP_MESSENGER 4119  // a blank before its first line break in English
#define IDS_HELP_MESSENGER_STEPS 4120
#define IDS_HELP_QIP 4121
#define IDS_HELP_QIP_STEPS 4122
#define IDS_HELP_SKYPE 4123
#define IDS_HELP_SKYPE_STEPS 4124
#define IDS_HELP_VNTO 4125
#define IDS_HELP_VNTOX 4126
#define IDS_HELP_BATCHER 4127
#define IDS_HELP_ICQ 4128
#define IDS_HELP_ICQ_STEPS 4129

// Open-file dialog filters of the task dialogs: each part is "description|patterns|" (the PDF part
// and "All files" end with "||"); the patterns are the same in every language.
#define IDS_FILTER_WORD2007 4141
#define IDS_FILTER_WORD2007_ALL 4142
#define IDS_FILTER_WORD 4143
#define IDS_FILTER_WORD_ALL 4144
#define IDS_FILTER_EXCEL 4145  // Excel 97-2003 and 2007 hosts alike
#define IDS_FILTER_EXCEL2007_ALL 4146
#define IDS_FILTER_EXCEL2007_XLSX 4147  // the batch translator's Excel filter
#define IDS_FILTER_EXCEL_ALL 4148
#define IDS_FILTER_POWERPOINT2007 4149  // 2007 hosts and the batch translator
#define IDS_FILTER_POWERPOINT2007_ALL 4150
#define IDS_FILTER_POWERPOINT 4151
#define IDS_FILTER_POWERPOINT_ALL 4152
#define IDS_FILTER_PDF 4153
#define IDS_FILTER_ALL_FILES 4154

// Task panels: titles, steps, labels and captions of the translate-document panel (document and
// web-page tasks) and the single-choice panel (e-mail, instant messages, profiles). Three titles
// end in a blank in English, as the suite's other programs show them.
#define IDS_PANEL_DEFAULT_STEPS 4201
#define IDS_PANEL_WEB_STEPS 4202
#define IDS_TITLE_WEB_PAGES 4203
#define IDS_TITLE_WORD 4204
#define IDS_TITLE_EXCEL 4205
#define IDS_TITLE_POWERPOINT 4206
#define IDS_TITLE_OPENOFFICE 4207  // trailing blank
#define IDS_TITLE_PDF 4208         // trailing blank
#define IDS_LABEL_DOCUMENT 4209
#define IDS_LABEL_WEB_PAGE 4210
#define IDS_LABEL_TRANSLATE_IN 4211
#define IDS_LABEL_DIRECTION 4212
#define IDS_LABEL_PROFILE 4213
#define IDS_BROWSE 4214
#define IDS_TRANSLATE 4215
#define IDS_EDIT 4216
#define IDS_TITLE_EMAIL 4217
#define IDS_STEPS_EMAIL 4218
#define IDS_TITLE_MESSAGES 4219
#define IDS_STEPS_MESSAGES 4220
#define IDS_TITLE_PROFILES 4221  // trailing blank
#define IDS_STEPS_PROFILES 4222
#define IDS_HELP_PROFILES 4223
// The document field's checks before a hand-off.
#define IDS_DOCUMENT_NOT_FOUND 4224  // %s: the path as typed (quoted by the message)
#define IDS_DOCUMENT_IS_FOLDER 4225  // %s: the path as typed (quoted by the message)
#define IDS_DOCUMENT_PATH_TOO_LONG 4226
// The kernel did not give the panel its translation directions.
#define IDS_PANEL_NO_DIRECTIONS 4227
// A file dropped onto the main window: what can be dropped (the kinds of the product's tasks, one a
// line, fill %s).
#define IDS_DROP_KINDS 4230
#define IDS_DROP_KIND_WORD 4231
#define IDS_DROP_KIND_EXCEL 4232
#define IDS_DROP_KIND_POWERPOINT 4233
#define IDS_DROP_KIND_PDF 4234
#define IDS_DROP_KIND_OPENOFFICE 4235
#define IDS_DROP_KIND_WEB_PAGE 4236
#define IDS_DROP_NOTHING 4237  // the product translates no dropped file at all
// A profile name the hand-off record cannot carry (%s: the name as it is; the text quotes it).
#define IDS_PROFILE_NAME_UNUSABLE 4238
// The user-dictionary panel (task 20).
#define IDS_TITLE_DICTIONARIES 4351
#define IDS_STEPS_DICTIONARIES 4352
#define IDS_HELP_DICTIONARIES 4353
#define IDS_LABEL_DICTIONARY 4354
#define IDS_LABEL_WORD 4355
#define IDS_NEW_DICTIONARY 4356
#define IDS_ADD 4357
#define IDS_ASK_CREATE_DICTIONARY 4358  // Yes/No: no user dictionary for the direction
// The translation-memory panel (task 23).
#define IDS_TITLE_MEMORIES 4359
#define IDS_STEPS_MEMORIES 4360
#define IDS_HELP_MEMORIES 4361
#define IDS_LABEL_MEMORY 4362
#define IDS_LABEL_NEW_MEMORY 4363
#define IDS_CREATE 4364
#define IDS_ASK_CREATE_MEMORY 4365  // Yes/No: no database for the direction

// Quick translation (task 9): the Clear button and the steps in the help column. The panel's title,
// caption and Translate button use IDS_CMD_QUICK_TRANSLATE, IDS_CMD_QUICK_TRANSLATE_DESC and
// IDS_TRANSLATE.
#define IDS_CLEAR 4301
#define IDS_QUICK_STEPS 4302
// The caption while a long text is translated: %1 the lines done, %2 the text's lines.
#define IDS_QUICK_PROGRESS 4303

// The documentation panel's note about the PDF viewer; its download address follows the text.
#define IDS_DOCS_PDF_VIEWER 384
// The tip of the dictionary-updates box once the web service reported an update: number, date.
#define IDS_UPDATE_INSTALLED 347
// Tab 7's Launch when the web-service component is registered but its program is missing: the path.
#define IDS_WEB_SERVICE_MISSING 4427
// Start-up's message when the translation kernel hangs or crashes while it connects.
#define IDS_KERNEL_START_FAILED 4391

// What screen readers hear: the default actions of the drawn controls, the scroll bar's name and
// the names of quick translation's two fields, which have no label of their own.
#define IDS_ACC_PRESS 4500
#define IDS_ACC_SWITCH 4501
#define IDS_ACC_CHECK 4502
#define IDS_ACC_UNCHECK 4503
#define IDS_ACC_OPEN 4504
#define IDS_ACC_CLOSE 4505
#define IDS_ACC_CHOOSE 4506
#define IDS_ACC_VERTICAL 4507
#define IDS_QUICK_SOURCE_NAME 4508
#define IDS_QUICK_TARGET_NAME 4509
#define IDS_CMDLINE_UNKNOWN 4510     // an argument the command line does not know
#define IDS_CMDLINE_NEEDS_FILE 4511  // /translate without a document
#define IDS_CMDLINE_NO_FILE 4512     // /translate with a document that is not there
#define IDS_RECENT_DOCUMENTS 4513    // the documents handed over last: the jump list's, the tab's list
#define IDS_RECENT_TRANSLATE 4514    // the recent documents' context menu: hand the document over again
#define IDS_RECENT_REMOVE 4515       // ... take it off the list
#define IDS_RECENT_CLEAR 4516        // ... take every document off the list
#define IDS_RECENT_GONE 4517         // a recent document's tip when its file is gone
#define IDS_RECENT_GONE_ASK 4518     // a gone recent document chosen: take it off the list?

// Explorer's verb on the documents the tasks take (src/tables/ExplorerVerb.h), and the command
// line's note when several documents come at once (Send To with a selection): %s the one opened.
#define IDS_SHELL_TRANSLATE 4520
#define IDS_CMDLINE_ONE_AT_A_TIME 4521
