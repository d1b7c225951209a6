// The VANTO translation kernel's COM interfaces, as the in-process server VantoKernel.dll offers them.
// Automation types only, so that the interfaces could be described in a type library unchanged.
// Every object aggregates the free-threaded marshaler: an interface marshalled to another
// apartment arrives as the same pointer.
#pragma once

#include <objbase.h>
#include <oaidl.h>
#include <oleauto.h>

// ---- Classes ------------------------------------------------------------------------------------

// Message component: the first object a client creates (IVantoMessages).
inline constexpr CLSID CLSID_VantoMessages = {
    0xB9C7589A, 0x463E, 0x490E, {0x8A, 0xCC, 0xE9, 0xBB, 0x65, 0xDD, 0xB5, 0x0D}};
// Network kernel (IVantoNetworkKernel): its class is there only on a network client, and it connects
// only when the client's translation server answers.
inline constexpr CLSID CLSID_VantoNetworkKernel = {
    0xDEF33D5F, 0x398E, 0x41DC, {0x82, 0x71, 0x02, 0x4C, 0xED, 0x2B, 0x60, 0xAB}};
// Local kernel (IVantoLocalKernel, then IVantoKernel). Its class key's default value is a number:
// the add-word dialog's default entry.
inline constexpr CLSID CLSID_VantoLocalKernel = {
    0x5A3C7E10, 0x2B4D, 0x4F61, {0x9C, 0x8A, 0x0D, 0x1E, 0x2F, 0x3A, 0x4B, 0x5C}};
// Text object (IVantoText), the carrier of IVantoTextTranslator::TranslateText.
inline constexpr CLSID CLSID_VantoText = {
    0x23A33311, 0x5B98, 0x430C, {0xBE, 0x9A, 0x38, 0xDC, 0x1B, 0xE4, 0xE4, 0x2E}};

// ---- Constants ----------------------------------------------------------------------------------

inline constexpr LONG kVantoDictionaryKindGeneral = 700;  // the bundled word list of a direction
inline constexpr LONG kVantoDictionaryKindUser = 708;     // a user dictionary

// IVantoMemory::GetProperty numbers.
inline constexpr LONG kVantoMemoryName = 1;        // display name
inline constexpr LONG kVantoMemoryDirection = 4;   // display name of the memory's direction
inline constexpr LONG kVantoMemorySegments = 5;    // number of segments, decimal
inline constexpr LONG kVantoMemoryIdentifier = 6;  // full path of the memory's file

// Translation refused: the licence's or the server's translation limit is reached.
inline constexpr HRESULT VANTO_E_TRANSLATION_LIMIT = static_cast<HRESULT>(0x800F0021);
// The network kernel has no translation server to connect to.
inline constexpr HRESULT VANTO_E_NO_SERVER = static_cast<HRESULT>(0x80040201);

// ---- Interfaces ---------------------------------------------------------------------------------

struct IVantoKernel;
struct IVantoDirections;
struct IVantoProfiles;
struct IVantoSettings;
struct IVantoTextTranslator;
struct IVantoText;
struct IVantoAddWord;
struct IVantoDictionaries;
struct IVantoDictionary;
struct IVantoMemories;
struct IVantoMemory;
struct IVantoProfileEditor;

// Owner windows travel as LONGLONG (the HWND sign-extended); 0 means no owner.

// clang-format off

MIDL_INTERFACE("A0E1DD42-9411-4955-BDA3-A7D327299A5F")
IVantoMessages : public IUnknown {
  // Start-up calls Setup(3, 0), then Start with the product name shown in the About box.
  virtual HRESULT STDMETHODCALLTYPE Setup(LONG mode, LONG flags) = 0;
  virtual HRESULT STDMETHODCALLTYPE Start(BSTR productName) = 0;
  // Shutdown; harmless when called again.
  virtual HRESULT STDMETHODCALLTYPE Finish() = 0;
  // Told the outcome of connecting. *accepted = VARIANT_FALSE asks the client to release the kernel
  // (refused when Setup was not called, or after Finish).
  virtual HRESULT STDMETHODCALLTYPE ReportConnection(VARIANT_BOOL connected, BSTR serverName,
                                                     VARIANT_BOOL* accepted) = 0;
  // Modal About box.
  virtual HRESULT STDMETHODCALLTYPE ShowAbout(LONGLONG ownerHwnd) = 0;
  // Modal message window: `text` may hold one link <a href="URL">text</a>, opened when clicked;
  // flags are MB_ICON* values; *result is the button pressed (IDOK).
  virtual HRESULT STDMETHODCALLTYPE ShowMessage(LONGLONG ownerHwnd, BSTR text, BSTR caption, LONG flags,
                                                LONG* result) = 0;
  // The error reporter: a modal box naming the error `code` met by `applicationName`.
  virtual HRESULT STDMETHODCALLTYPE ReportError(LONGLONG ownerHwnd, LONG code, BSTR applicationName) = 0;
};

MIDL_INTERFACE("93ED768D-5490-43B6-B4A4-3F713909698D")
IVantoNetworkKernel : public IUnknown {
  // Fails with VANTO_E_NO_SERVER (outputs null) unless a translation server is configured.
  virtual HRESULT STDMETHODCALLTYPE Connect(BSTR clientName, IVantoKernel** kernel, BSTR* serverName,
                                            VARIANT_BOOL* isLocal) = 0;
  // The error reporter is a message component; any client may ask for one here.
  virtual HRESULT STDMETHODCALLTYPE GetErrorReporter(IVantoMessages** reporter) = 0;
  // The name of the server this client works with now; it may change while the client runs. Fails
  // with VANTO_E_NO_SERVER (output null) when no server answers.
  virtual HRESULT STDMETHODCALLTYPE GetServerName(BSTR* serverName) = 0;
};

MIDL_INTERFACE("07D572F9-20AC-4583-BD1C-A5AE2CB71D29")
IVantoLocalKernel : public IUnknown {
  // Reads the data folder and loads the user's dictionaries and memories; then the object answers
  // IVantoKernel. A second call fails.
  virtual HRESULT STDMETHODCALLTYPE Initialize(BSTR clientName) = 0;
};

MIDL_INTERFACE("034EE8B7-83F4-4B6B-BCF4-EBB63405278F")
IVantoKernel : public IUnknown {
  virtual HRESULT STDMETHODCALLTYPE GetDirections(IVantoDirections** directions) = 0;
  // The direction that GetSettings and the profile editor work on.
  virtual HRESULT STDMETHODCALLTYPE SetCurrentDirection(SHORT index) = 0;
  virtual HRESULT STDMETHODCALLTYPE GetSettings(IVantoSettings** settings) = 0;
  virtual HRESULT STDMETHODCALLTYPE CommitSettings(LONG* status) = 0;  // status 0: committed
  virtual HRESULT STDMETHODCALLTYPE GetProfileEditor(IVantoProfileEditor** editor) = 0;
};

MIDL_INTERFACE("09DCE5E6-CA67-4813-8AFB-1D9ECE74686F")
IVantoDirections : public IUnknown {
  virtual HRESULT STDMETHODCALLTYPE GetCount(LONG* count) = 0;
  // Either output may be null.
  virtual HRESULT STDMETHODCALLTYPE GetItem(LONG index, LONG* id, BSTR* name) = 0;
  virtual HRESULT STDMETHODCALLTYPE GetProfiles(LONG index, IVantoProfiles** profiles) = 0;
  virtual HRESULT STDMETHODCALLTYPE GetDictionaries(LONG index, IVantoDictionaries** dictionaries) = 0;
  virtual HRESULT STDMETHODCALLTYPE GetMemories(LONG index, IVantoMemories** memories) = 0;
};

MIDL_INTERFACE("1510E329-4B69-46CD-9752-9A334CC6F4D6")
IVantoProfiles : public IUnknown {
  virtual HRESULT STDMETHODCALLTYPE GetCount(LONG* count) = 0;
  virtual HRESULT STDMETHODCALLTYPE GetName(LONG index, BSTR* name) = 0;
};

// The settings of the current direction (the one current when GetSettings was called).
MIDL_INTERFACE("E0E1408E-CBA3-4F97-8A9B-B5990143A412")
IVantoSettings : public IUnknown {
  virtual HRESULT STDMETHODCALLTYPE GetProfiles(IVantoProfiles** profiles) = 0;
  // E_INVALIDARG for a name the direction does not have.
  virtual HRESULT STDMETHODCALLTYPE SetCurrentProfile(BSTR name) = 0;
  // Fails with VANTO_E_TRANSLATION_LIMIT when translation is refused.
  virtual HRESULT STDMETHODCALLTYPE Translate(BSTR text, BSTR* result) = 0;
  // S_OK with the translator, or S_FALSE with null when text objects are not offered.
  virtual HRESULT STDMETHODCALLTYPE GetTextTranslator(IVantoTextTranslator** translator) = 0;
  virtual HRESULT STDMETHODCALLTYPE GetAddWord(IVantoAddWord** addWord) = 0;
};

MIDL_INTERFACE("61134636-2C2A-452F-B66C-5C19D9C84B65")
IVantoTextTranslator : public IUnknown {
  // Translates source's text into result's; fails like IVantoSettings::Translate.
  virtual HRESULT STDMETHODCALLTYPE TranslateText(IVantoText* source, IVantoText* result) = 0;
};

MIDL_INTERFACE("624CF28C-8E26-41A9-9355-8A5DE927F7E5")
IVantoText : public IUnknown {
  virtual HRESULT STDMETHODCALLTYPE SetText(BSTR text) = 0;
  virtual HRESULT STDMETHODCALLTYPE GetText(BSTR* text) = 0;
};

MIDL_INTERFACE("90565788-C88F-489F-9C53-F0B6A9DFBF78")
IVantoAddWord : public IUnknown {
  // The dialog entry: which kind of entry the add-word dialog starts with (0 word, 1 noun, 2 verb,
  // 3 adjective, 4 adverb, 5 phrase); the dialog reports the user's last choice back here.
  virtual HRESULT STDMETHODCALLTYPE SetDialogEntry(LONG entry) = 0;
  virtual HRESULT STDMETHODCALLTYPE GetDialogEntry(LONG* entry) = 0;
  // Modal add-word dialog for `word` into `dictionary` (a user dictionary of this kernel).
  // entryView = VARIANT_TRUE lets the user edit the word itself as well. S_OK when a translation was
  // added, S_FALSE when the user cancelled.
  virtual HRESULT STDMETHODCALLTYPE ShowDialog(VARIANT_BOOL entryView, IVantoDictionary* dictionary,
                                               BSTR word) = 0;
};

MIDL_INTERFACE("FDF0E185-D6AA-40D8-853B-6CB0999925C7")
IVantoDictionaries : public IUnknown {
  // Item 0 is the direction's general dictionary (kind 700); user dictionaries (708) follow.
  virtual HRESULT STDMETHODCALLTYPE GetCount(LONG* count) = 0;
  virtual HRESULT STDMETHODCALLTYPE GetItem(LONG index, IVantoDictionary** dictionary) = 0;
  // A dictionary switched off takes no part in this kernel's translations; all start switched on.
  virtual HRESULT STDMETHODCALLTYPE Select(SHORT index, VARIANT_BOOL on) = 0;
  // Modal dialog asking the new user dictionary's name; *created is null (S_FALSE) when cancelled.
  virtual HRESULT STDMETHODCALLTYPE CreateNew(LONGLONG ownerHwnd, IVantoDictionary** created) = 0;
};

MIDL_INTERFACE("CB9862B5-797E-4BBB-9718-D6F1AE1F2A89")
IVantoDictionary : public IUnknown {
  virtual HRESULT STDMETHODCALLTYPE GetKind(LONG* kind) = 0;
  virtual HRESULT STDMETHODCALLTYPE GetName(BSTR* name) = 0;
  // Adds or replaces an entry without a dialog and saves the dictionary; E_ACCESSDENIED on the
  // general dictionary.
  virtual HRESULT STDMETHODCALLTYPE AddEntry(BSTR source, BSTR target) = 0;
};

MIDL_INTERFACE("9D778C34-353B-4CEC-A2C2-0103C076C832")
IVantoMemories : public IUnknown {
  virtual HRESULT STDMETHODCALLTYPE GetCount(LONG* count) = 0;
  virtual HRESULT STDMETHODCALLTYPE GetItem(LONG index, IVantoMemory** memory) = 0;
  // Modal dialog asking the new database's name; the four optionals are passed missing
  // (VT_ERROR, DISP_E_PARAMNOTFOUND) and ignored. *created is null (S_FALSE) when cancelled.
  virtual HRESULT STDMETHODCALLTYPE CreateNew(LONGLONG ownerHwnd, VARIANT optional1, VARIANT optional2,
                                              VARIANT optional3, VARIANT optional4,
                                              IVantoMemory** created) = 0;
};

MIDL_INTERFACE("A35139A5-BADF-4B46-A4D8-D7E23F1A25B2")
IVantoMemory : public IUnknown {
  // Properties kVantoMemoryName (1), kVantoMemoryDirection (4), kVantoMemorySegments (5) and
  // kVantoMemoryIdentifier (6); E_INVALIDARG for others.
  virtual HRESULT STDMETHODCALLTYPE GetProperty(LONG number, BSTR* value) = 0;
  // Adds or replaces a segment (source sentence -> its translation) and saves the database.
  virtual HRESULT STDMETHODCALLTYPE AddSegment(BSTR source, BSTR target) = 0;
};

MIDL_INTERFACE("E87EC17B-0DFC-4C7F-BA2F-37F7FB6779B3")
IVantoProfileEditor : public IUnknown {
  // Modal profile dialog for the current direction. owner: an integer window handle or 0;
  // *inOutFlag comes in as 1 and goes out as VT_I4 1 (OK, the chosen profile is current) or 0.
  virtual HRESULT STDMETHODCALLTYPE ShowModal(VARIANT owner, VARIANT* inOutFlag, VARIANT optional1,
                                              VARIANT optional2) = 0;
};

  // clang-format on

#ifdef __CRT_UUID_DECL
__CRT_UUID_DECL(IVantoMessages, 0xA0E1DD42, 0x9411, 0x4955, 0xBD, 0xA3, 0xA7, 0xD3, 0x27, 0x29, 0x9A, 0x5F)
__CRT_UUID_DECL(IVantoNetworkKernel, 0x93ED768D, 0x5490, 0x43B6, 0xB4, 0xA4, 0x3F, 0x71, 0x39, 0x09, 0x69,
                0x8D)
__CRT_UUID_DECL(IVantoLocalKernel, 0x07D572F9, 0x20AC, 0x4583, 0xBD, 0x1C, 0xA5, 0xAE, 0x2C, 0xB7, 0x1D, 0x29)
__CRT_UUID_DECL(IVantoKernel, 0x034EE8B7, 0x83F4, 0x4B6B, 0xBC, 0xF4, 0xEB, 0xB6, 0x34, 0x05, 0x27, 0x8F)
__CRT_UUID_DECL(IVantoDirections, 0x09DCE5E6, 0xCA67, 0x4813, 0x8A, 0xFB, 0x1D, 0x9E, 0xCE, 0x74, 0x68, 0x6F)
__CRT_UUID_DECL(IVantoProfiles, 0x1510E329, 0x4B69, 0x46CD, 0x97, 0x52, 0x9A, 0x33, 0x4C, 0xC6, 0xF4, 0xD6)
__CRT_UUID_DECL(IVantoSettings, 0xE0E1408E, 0xCBA3, 0x4F97, 0x8A, 0x9B, 0xB5, 0x99, 0x01, 0x43, 0xA4, 0x12)
__CRT_UUID_DECL(IVantoTextTranslator, 0x61134636, 0x2C2A, 0x452F, 0xB6, 0x6C, 0x5C, 0x19, 0xD9, 0xC8, 0x4B,
                0x65)
__CRT_UUID_DECL(IVantoText, 0x624CF28C, 0x8E26, 0x41A9, 0x93, 0x55, 0x8A, 0x5D, 0xE9, 0x27, 0xF7, 0xE5)
__CRT_UUID_DECL(IVantoAddWord, 0x90565788, 0xC88F, 0x489F, 0x9C, 0x53, 0xF0, 0xB6, 0xA9, 0xDF, 0xBF, 0x78)
__CRT_UUID_DECL(IVantoDictionaries, 0xFDF0E185, 0xD6AA, 0x40D8, 0x85, 0x3B, 0x6C, 0xB0, 0x99, 0x92, 0x5C,
                0xC7)
__CRT_UUID_DECL(IVantoDictionary, 0xCB9862B5, 0x797E, 0x4BBB, 0x97, 0x18, 0xD6, 0xF1, 0xAE, 0x1F, 0x2A, 0x89)
__CRT_UUID_DECL(IVantoMemories, 0x9D778C34, 0x353B, 0x4CEC, 0xA2, 0xC2, 0x01, 0x03, 0xC0, 0x76, 0xC8, 0x32)
__CRT_UUID_DECL(IVantoMemory, 0xA35139A5, 0xBADF, 0x4B46, 0xA4, 0xD8, 0xD7, 0xE2, 0x3F, 0x1A, 0x25, 0xB2)
__CRT_UUID_DECL(IVantoProfileEditor, 0xE87EC17B, 0x0DFC, 0x4C7F, 0xBA, 0x2F, 0x37, 0xF7, 0xFB, 0x67, 0x79,
                0xB3)
#endif
