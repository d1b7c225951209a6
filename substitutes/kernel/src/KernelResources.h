/* Resources of VantoKernel.dll besides the dialogs (KernelDialogs.h). Read by the resource compiler. */
#pragma once

/* Bundled word lists, UTF-8 (see Lexicon.h for the format). */
#define IDR_LIST_EN_DE 201
#define IDR_LIST_EN_RU 202
#define IDR_LIST_EN_FR 203
#define IDR_LIST_EN_ES 204
#define IDR_LIST_DE_RU 205

/* Strings. */
#define IDS_ENTRY_KIND_FIRST 300 /* 300..305: word, noun, verb, adjective, adverb, phrase */
#define IDS_ERROR_LIMIT 310
#define IDS_ERROR_OTHER 311
#define IDS_ABOUT_TEXT 312
#define IDS_GENERAL_DICTIONARY 313
