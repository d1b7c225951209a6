// Skin art: every bitmap (stored as PNG, see src/app/SkinImage.h) and the program icon, drawn by
// tools/skin (skingen) at build time.
// Plain #defines only: included by the .rc files, the program and the portable generator.
// Sizes and roles are listed in tools/skin/Catalogue.cpp; magenta RGB(255, 0, 255) is transparent.
#pragma once

#ifndef IDI_STARTDECK
#define IDI_STARTDECK 128  // program and window icon: 16, 32, 48, 256 px, 32-bit with alpha
#endif

// Main window.
#define IDB_MAIN_BACKGROUND 317  // 690 x 526, drawn at (0, 0); the window takes its size
#define IDB_CLOSE_NORMAL 156     // close: right half of the top-right button pair
#define IDB_CLOSE_HOVER 157
#define IDB_CLOSE_PRESSED 158
#define IDB_MINIMIZE_NORMAL 159  // minimise: left half, overlaps the close button by one pixel
#define IDB_MINIMIZE_HOVER 160
#define IDB_MINIMIZE_PRESSED 161
#define IDB_HELP_NORMAL 185      // round "?" picture button, left of the "Help" label
#define IDB_HELP_HOVER 186
#define IDB_HELP_PRESSED 187
#define IDB_EXIT_NORMAL 309      // bottom push buttons: white caption centred on the face
#define IDB_EXIT_HOVER 310
#define IDB_EXIT_PRESSED 311
#define IDB_ABOUT_NORMAL 322
#define IDB_ABOUT_HOVER 323
#define IDB_ABOUT_PRESSED 324
#define IDB_LAUNCH_NORMAL 395    // Launch / Install
#define IDB_LAUNCH_HOVER 396
#define IDB_LAUNCH_PRESSED 397
#define IDB_HOME_NORMAL 325      // Home and Back carry their glyph left of x = 19
#define IDB_HOME_HOVER 326
#define IDB_HOME_PRESSED 327
#define IDB_BACK_NORMAL 373
#define IDB_BACK_HOVER 374
#define IDB_BACK_PRESSED 418
#define IDB_SYSMENU_RESTORE 241  // system-menu item bitmaps (white is the menu's colour)
#define IDB_SYSMENU_MINIMIZE 242
#define IDB_SYSMENU_CLOSE 243

// Shared pieces of the panels, loaded once at start-up.
#define IDB_COMBO_DROP_NORMAL 357  // drop button of the combo box (the combo is 4 px taller)
#define IDB_COMBO_DROP_HOVER 358
#define IDB_COMBO_DROP_PRESSED 359
#define IDB_COMBO_DROP_DISABLED 360
#define IDB_SCROLL_DOWN_NORMAL 361  // scroll bar: the bottom 15 pixels
#define IDB_SCROLL_DOWN_HOVER 362
#define IDB_SCROLL_DOWN_PRESSED 363
#define IDB_SCROLL_TRACK 364        // stretched over the bar's height
#define IDB_SCROLL_UP_NORMAL 365    // scroll bar: the top 15 pixels
#define IDB_SCROLL_UP_HOVER 366
#define IDB_SCROLL_UP_PRESSED 367
#define IDB_SCROLL_THUMB_NORMAL 368 // 120 px thumb, drawn with the magenta key over the track
#define IDB_SCROLL_THUMB_HOVER 376
#define IDB_SCROLL_THUMB_PRESSED 377
#define IDB_PANEL_BACKGROUND 381    // every panel at (9, 146): help column left, content right
#define IDB_CHECK_OFF_NORMAL 385    // check box, unticked
#define IDB_CHECK_OFF_HOVER 386
#define IDB_CHECK_OFF_PRESSED 387
#define IDB_CHECK_ON_NORMAL 389     // check box, ticked
#define IDB_CHECK_ON_HOVER 390
#define IDB_CHECK_ON_PRESSED 391
#define IDB_LIST_ROWS 399           // list: five rows of 48 px, sliced per row
#define IDB_LIST_ROWS_HOT 400       // hovered row, scroll bar hidden (slice of the same row)
#define IDB_LIST_ROWS_HOT_SCROLL 419  // hovered row, scroll bar shown
#define IDB_PUSH_NORMAL 191         // panel push buttons (Translate, Browse..., Edit, Create, Add)
#define IDB_PUSH_HOVER 192
#define IDB_PUSH_PRESSED 193
#define IDB_PUSH_DISABLED 420

// Quick-translation panel: Translate and Clear.
#define IDB_QUICK_BUTTON_NORMAL 378
#define IDB_QUICK_BUTTON_HOVER 379
#define IDB_QUICK_BUTTON_PRESSED 380

// Start page (at (9, 107)): background, the large button and the six smaller ones.
#define IDB_START_BACKGROUND 321
#define IDB_START_TRANSLATE_NORMAL 316
#define IDB_START_TRANSLATE_HOVER 315
#define IDB_START_TRANSLATE_PRESSED 308
#define IDB_START_TRANSLATE_DISABLED 407
#define IDB_START_SETUP_NORMAL 291
#define IDB_START_SETUP_HOVER 290
#define IDB_START_SETUP_PRESSED 292
#define IDB_START_SETUP_DISABLED 408
#define IDB_START_DICTIONARIES_NORMAL 294
#define IDB_START_DICTIONARIES_HOVER 293
#define IDB_START_DICTIONARIES_PRESSED 295
#define IDB_START_DICTIONARIES_DISABLED 409
#define IDB_START_LAUNCH_NORMAL 297
#define IDB_START_LAUNCH_HOVER 296
#define IDB_START_LAUNCH_PRESSED 298
#define IDB_START_LAUNCH_DISABLED 410
#define IDB_START_NET_NORMAL 301
#define IDB_START_NET_HOVER 299
#define IDB_START_NET_PRESSED 302
#define IDB_START_NET_DISABLED 300
#define IDB_START_MYVANTO_NORMAL 304
#define IDB_START_MYVANTO_HOVER 303
#define IDB_START_MYVANTO_PRESSED 305
#define IDB_START_MYVANTO_DISABLED 411
#define IDB_START_GUIDE_NORMAL 307
#define IDB_START_GUIDE_HOVER 306
#define IDB_START_GUIDE_PRESSED 289
#define IDB_START_GUIDE_DISABLED 406

// Ribbon tabs (at (9, 52), left to right); "pressed" is also the selected tab.
#define IDB_TAB_TRANSLATION_NORMAL 335
#define IDB_TAB_TRANSLATION_HOVER 337
#define IDB_TAB_TRANSLATION_PRESSED 339
#define IDB_TAB_TRANSLATION_DISABLED 415
#define IDB_TAB_SETUP_NORMAL 338
#define IDB_TAB_SETUP_HOVER 334
#define IDB_TAB_SETUP_PRESSED 336
#define IDB_TAB_SETUP_DISABLED 414
#define IDB_TAB_DICTIONARIES_NORMAL 348
#define IDB_TAB_DICTIONARIES_HOVER 347
#define IDB_TAB_DICTIONARIES_PRESSED 349
#define IDB_TAB_DICTIONARIES_DISABLED 417
#define IDB_TAB_LAUNCH_NORMAL 353
#define IDB_TAB_LAUNCH_HOVER 350
#define IDB_TAB_LAUNCH_PRESSED 352
#define IDB_TAB_LAUNCH_DISABLED 412
#define IDB_TAB_NET_NORMAL 342
#define IDB_TAB_NET_HOVER 340
#define IDB_TAB_NET_PRESSED 343
#define IDB_TAB_NET_DISABLED 341
#define IDB_TAB_MYVANTO_NORMAL 345
#define IDB_TAB_MYVANTO_HOVER 354
#define IDB_TAB_MYVANTO_PRESSED 356
#define IDB_TAB_MYVANTO_DISABLED 413
#define IDB_TAB_GUIDE_NORMAL 355
#define IDB_TAB_GUIDE_HOVER 344
#define IDB_TAB_GUIDE_PRESSED 346
#define IDB_TAB_GUIDE_DISABLED 416

// List icons (ICON resources, 16 and 32 px, 32-bit with alpha): a white glyph on a blue tile.
// Commands of the translation tabs.
#define IDI_CMD_QUICK_TRANSLATE 353        // text bubble with "Aa"
#define IDI_CMD_TRANSLATE_WEB 354          // globe
#define IDI_CMD_TRANSLATE_WORD 355         // page with "W"
#define IDI_CMD_TRANSLATE_EXCEL 356        // page with "X"
#define IDI_CMD_TRANSLATE_EMAIL 357        // envelope
#define IDI_CMD_TRANSLATE_MESSENGERS 358   // two bubbles
#define IDI_CMD_TRANSLATE_POWERPOINT 359   // page with "P"
#define IDI_CMD_TRANSLATE_PDF 360          // page with "PDF"
#define IDI_CMD_TRANSLATE_OPENOFFICE 361   // page with a gull over a wave
#define IDI_CMD_EDIT_PROFILES 362          // sliders
// Programs of the suite, in the launch lists.
#define IDI_APP_DICTIONARY_INSTALLER 219   // box with an arrow down
#define IDI_APP_PLUGIN_MANAGER 220         // puzzle piece
#define IDI_APP_TRANSLATOR_LITE 221        // page with a small arrow
#define IDI_APP_DICTIONARY_EDITOR 222      // book with a pen
#define IDI_APP_TRANSLATOR 223             // two pages with arrows
#define IDI_APP_BATCH_TRANSLATOR 224       // stack of pages
#define IDI_APP_TM_MANAGER 225             // database cylinder
#define IDI_APP_XML_RULES 226              // angle brackets
#define IDI_APP_BACKUP 227                 // circular arrow round a disk
#define IDI_APP_DICTIONARY_MANAGER 228     // two books with a merge arrow
#define IDI_APP_PACKMAKER 229              // parcel
#define IDI_APP_TERMINOLOGY_MANAGER 230    // magnifier over text
#define IDI_APP_TRADOS 231                 // linked rings
#define IDI_APP_TERMINOLOGY_CONVERTER 232  // arrows between a sheet and a book
#define IDI_APP_ICQ 233                    // flower
#define IDI_APP_SERVER_LOGIN 234           // key
#define IDI_APP_SERVER_SETUP 235           // server with a gear
#define IDI_APP_SERVER 236                 // server (spare)
#define IDI_APP_USER_MANAGER 237           // two people
#define IDI_APP_LINGUIST 238               // person with a book
#define IDI_APP_SYNCHRONIZE 239            // two circular arrows
#define IDI_APP_QASTUDIO 433               // test tube
#define IDI_APP_QALAB 434                  // balance scale
#define IDI_APP_QAPROBE 435                // probe and tick
#define IDI_APP_UPDATER 436                // arrow up in a circle
