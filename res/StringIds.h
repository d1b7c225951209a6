// Every string-table ID of the program, named once. Included by the .rc files and the code.
#pragma once

// Plug-in switches: failure messages and add-in descriptions.
#define IDS_SW_EMBED_FAILED 133      // "Unable to embed/disable ... in " CR LF and a quote
#define IDS_SW_QUOTE 134             // a single double quote
#define IDS_SW_RELAUNCH_HOST 135     // "... Please relaunch the %s application."
#define IDS_SW_CAPTION 136           // "VANTO Plug-ins Manager"
#define IDS_SW_NO_ADMIN 137          // administrator privileges missing
#define IDS_SW_CONTACT_SUPPORT 138   // contact technical support
#define IDS_SW_ADDIN_DESCRIPTION 139 // "Translation functions in Microsoft"
#define IDS_NEED_ADMIN_SOME_APPS 366 // administrator rights needed in some applications

// Start-up.
#define IDS_CANNOT_LOAD_INF 159      // "Cannot load external resource file."
#define IDS_RICHEDIT_FAILED 174      // " Error occurred while initializing RICHEDIT." (leading blank)
#define IDS_INF_WRONG_PRODUCT 255    // "The resource file does not match the product."
#define IDS_OTHER_PRODUCTS 268       // available in other products, with a link to the maker's site

// Main window.
#define IDS_EXIT 376                 // "Exit"
