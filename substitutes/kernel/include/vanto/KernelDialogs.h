/* The kernel's dialogs as a program (or a test) that answers them sees them: their titles, their
   control IDs and their templates in VantoKernel.dll. Every dialog is modal on the calling thread;
   IDOK and IDCANCEL are its buttons. This header is read by the resource compiler as well. */
#pragma once

/* Dialog templates. */
#define IDD_VANTO_ADDWORD 100
#define IDD_VANTO_NEWDICTIONARY 101
#define IDD_VANTO_NEWMEMORY 102
#define IDD_VANTO_MESSAGE 103
#define IDD_VANTO_ERROR 104
#define IDD_VANTO_ABOUT 105
#define IDD_VANTO_PROFILES 106

/* Add word: the word (read-only unless the entry view was asked for), its translation (pre-filled
   with the word), the kind of entry (combo box; its index is the dialog entry) and the dictionary's
   name. IDOK is "Add". */
#define IDC_VANTO_WORD 1001
#define IDC_VANTO_TRANSLATION 1002
#define IDC_VANTO_ENTRY_KIND 1003
#define IDC_VANTO_DICTIONARY 1004

/* New dictionary, new translation memory: the name, and the direction it is made for. An empty name
   or one the direction already has keeps the dialog open. */
#define IDC_VANTO_NAME 1101
#define IDC_VANTO_DIRECTION 1102

/* Message, error and About: the icon and the text (in the message window a SysLink control). */
#define IDC_VANTO_ICON 1201
#define IDC_VANTO_TEXT 1202

/* Profiles: the list of the current direction's profiles, the current one selected. */
#define IDC_VANTO_PROFILE_LIST 1301

#ifndef RC_INVOKED
/* The titles (the message window's title is the caption it is given, or kVantoMessageTitle). */
inline constexpr wchar_t kVantoAddWordTitle[] = L"VANTO Kernel - Add Word";
inline constexpr wchar_t kVantoNewDictionaryTitle[] = L"VANTO Kernel - New Dictionary";
inline constexpr wchar_t kVantoNewMemoryTitle[] = L"VANTO Kernel - New Translation Memory";
inline constexpr wchar_t kVantoErrorTitle[] = L"VANTO Kernel - Error";
inline constexpr wchar_t kVantoAboutTitle[] = L"VANTO Kernel - About";
inline constexpr wchar_t kVantoProfilesTitle[] = L"VANTO Kernel - Profiles";
inline constexpr wchar_t kVantoMessageTitle[] = L"VANTO Kernel - Message";
#endif
