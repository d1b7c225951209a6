// The hosts of the suite's add-ins, one row per add-in kind: every fact about a host lives here
// once (its kind bit, the switch that serves it, the programs the document hand-off opens, their
// tokens, Running values, verbs and display names, how each takes its document, the help texts).
// The switches, the plug-in table, the hand-off and the display names walk this table. Portable:
// no windows.h.
#pragma once

#include <span>
#include <string_view>
#include <vector>

#include "StringIds.h"

namespace suite {

// The add-in kinds: one bit each, unique over all switches (8 is not used).
enum Kind : int {
  kAcrobat = 1,
  kOffice2003Lite = 2,
  kOffice2003 = 4,
  kOffice2003Ed = 16,
  kOffice2007Lite = 32,
  kOffice2007 = 64,
  kOffice2007Ed = 128,
  kFirefox = 256,
  kInternetExplorer = 512,
  kOpenOffice = 1024,
  kLiveMessenger = 2048,
  kQipInfium = 4096,
  kSkype = 8192,
};

// The Office sub-applications: the position of an Office program among the Office hosts.
enum OfficeApplication : int {
  kNoOfficeApplication = -1,
  kWord = 0,
  kOutlook = 1,
  kExcel = 2,
  kPowerPoint = 3,
};

// The switch that serves a kind. The switches library builds one switch per family.
enum class SwitchFamily {
  kAcrobat,
  kOffice2003,
  kOffice2007,
  kFirefox,
  kInternetExplorer,
  kOpenOffice,
  kLiveMessenger,
  kQipInfium,
  kSkype,
};

// Which of a family's add-ins a row is: the full one, the Lite one or the ED Word templates. A
// switch reports its kinds in this order.
enum class AddinVariant { kFull, kLite, kEd };

// How the hand-off gives a host program its document: in double quotes; as an address the browser
// takes (a scheme as typed, "http://" before a bare one, a typed path as its file URL); or in
// double quotes after "-swriter", so that OpenOffice.org opens it in Writer.
enum class DocumentForm { kQuoted, kAddress, kWriter };

// Another edition of a host program, told by a word in the display name of the record detection
// found, that the hand-off starts instead of the program itself.
struct OtherEdition {
  std::wstring_view nameContains;  // empty for none
  std::wstring_view executable;
};

// Where a host program's path comes from: its file name alone, the text after the machine's Program
// Files folder, or the Skype path the suite's installer recorded (the text is then empty).
enum class HostPath { kFileName, kUnderProgramFiles, kSkypeRecord };

// A program the hand-off opens documents in.
struct HostProgram {
  std::wstring_view token;         // its ID in the tasks' application lists and the Apps records
  std::wstring_view runningValue;  // the Running value the hand-off writes for it
  std::wstring_view displayName;   // other makers' products keep their own names in every language
  std::wstring_view executable;
  HostPath path = HostPath::kFileName;
  std::wstring_view verb;  // the shell verb; empty for none
  int officeApplication = kNoOfficeApplication;
  DocumentForm documentForm = DocumentForm::kQuoted;
  OtherEdition otherEdition{};
  // The add-in is an activity inside the running messenger, which the hand-off opens through
  // Internet Explorer at the activity's address instead of starting the program.
  bool activityThroughBrowser = false;
  // The add-in reads its record from the copy of the Running key that protected mode lets the
  // browser see as its own (from Windows Vista on).
  bool protectedModeRecord = false;
};

struct HostDescriptor {
  int kind = 0;
  SwitchFamily family = SwitchFamily::kAcrobat;
  std::wstring_view switchKey;    // the plug-in table's key of the family's switch
  std::wstring_view productName;  // the suite product the add-in of this kind belongs to
  std::span<const HostProgram> programs;
  bool offered = true;           // wanted by the tokens of its programs (the ED Word templates are not)
  unsigned helpText = 0;         // what happens after Launch; 0 for no text
  unsigned outlookHelpText = 0;  // instead of helpText for Outlook; 0 when the same
  unsigned helpSteps = 0;        // the steps to take; 0 to leave the steps as they are
  AddinVariant variant = AddinVariant::kFull;
};

namespace host_programs {

inline constexpr HostProgram kAcrobat[] = {
    {.token = L"Acrobat",
     .runningValue = L"Acrobat",
     .displayName = L"Adobe Acrobat",
     .executable = L"Acrobat.exe",
     .verb = L"open",
     .otherEdition = {L"Reader", L"AcroRD32.exe"}},
};
inline constexpr HostProgram kOffice[] = {
    {L"Word", L"Word", L"Microsoft Word", L"winword.exe", HostPath::kFileName, L"open", kWord},
    {L"Outlook", L"Outlook", L"Microsoft Outlook", L"outlook.exe", HostPath::kFileName, {}, kOutlook},
    {L"Excel", L"Excel", L"Microsoft Excel", L"excel.exe", HostPath::kFileName, L"open", kExcel},
    {L"PowerPoint", L"PowerPoint", L"Microsoft PowerPoint", L"powerpnt.exe", HostPath::kFileName, L"open",
     kPowerPoint},
};
inline constexpr HostProgram kFirefox[] = {
    {L"FireFox", L"FireFox", L"Mozilla Firefox", L"firefox.exe", HostPath::kFileName, L"open",
     kNoOfficeApplication, DocumentForm::kAddress},
};
inline constexpr HostProgram kInternetExplorer[] = {
    {.token = L"VntoIE",
     .runningValue = L"VntoIE",
     .displayName = L"Microsoft Internet Explorer",
     .executable = L"iexplore.exe",
     .verb = L"open",
     .protectedModeRecord = true},
};
inline constexpr HostProgram kOpenOffice[] = {
    {L"OpenOffice", L"OpenOffice", L"OpenOffice", L"soffice.exe", HostPath::kFileName, L"open",
     kNoOfficeApplication, DocumentForm::kWriter},
};
inline constexpr HostProgram kLiveMessenger[] = {
    {.token = L"VantoMSN",
     .runningValue = L"VantoMSN",
     .displayName = L"MSN Live Messenger",
     .executable = L"msnmsgr.exe",
     .verb = {},
     .activityThroughBrowser = true},
};
// Composed whether or not QIP Infium is there.
inline constexpr HostProgram kQipInfium[] = {
    {L"VantoQIP", L"VantoQIP", L"QIP Infium", L"\\QIP Infium\\infium.exe", HostPath::kUnderProgramFiles, {}},
};
inline constexpr HostProgram kSkype[] = {
    {L"VantoSkype", L"VantoSkype", L"Skype", {}, HostPath::kSkypeRecord, {}},
};

}  // namespace host_programs

// In the order of the kinds; a kind's rows may stand anywhere, nothing counts on positions.
inline constexpr HostDescriptor kHosts[] = {
    {kAcrobat, SwitchFamily::kAcrobat, L"Acrobat", L"VANTO for Acrobat", host_programs::kAcrobat, true,
     IDS_HELP_ACROBAT, 0, IDS_HELP_ACROBAT_STEPS},
    {kOffice2003Lite, SwitchFamily::kOffice2003, L"Office2003", L"VANTO Lite for Microsoft Office",
     host_programs::kOffice, true, IDS_HELP_OFFICE2003, IDS_HELP_OUTLOOK2003, 0, AddinVariant::kLite},
    {kOffice2003, SwitchFamily::kOffice2003, L"Office2003", L"VANTO for Microsoft Office",
     host_programs::kOffice, true, IDS_HELP_OFFICE2003, IDS_HELP_OUTLOOK2003, 0},
    {kOffice2003Ed, SwitchFamily::kOffice2003, L"Office2003", L"VANTO ED for Microsoft Office",
     host_programs::kOffice, false, 0, 0, 0, AddinVariant::kEd},
    {kOffice2007Lite, SwitchFamily::kOffice2007, L"Office2007", L"VANTO Lite for Microsoft Office",
     host_programs::kOffice, true, IDS_HELP_OFFICE2007, IDS_HELP_OUTLOOK2007, 0, AddinVariant::kLite},
    {kOffice2007, SwitchFamily::kOffice2007, L"Office2007", L"VANTO for Microsoft Office",
     host_programs::kOffice, true, IDS_HELP_OFFICE2007, IDS_HELP_OUTLOOK2007, 0},
    {kOffice2007Ed, SwitchFamily::kOffice2007, L"Office2007", L"VANTO ED for Microsoft Office",
     host_programs::kOffice, false, 0, 0, 0, AddinVariant::kEd},
    {kFirefox, SwitchFamily::kFirefox, L"FireFox", L"", host_programs::kFirefox, true, IDS_HELP_BROWSER, 0,
     0},
    {kInternetExplorer, SwitchFamily::kInternetExplorer, L"VntoIE", L"VANTO for Internet Explorer",
     host_programs::kInternetExplorer, true, IDS_HELP_BROWSER, 0, 0},
    {kOpenOffice, SwitchFamily::kOpenOffice, L"OpenOffice", L"VANTO for OpenOffice",
     host_programs::kOpenOffice, true, IDS_HELP_OPENOFFICE, 0, 0},
    {kLiveMessenger, SwitchFamily::kLiveMessenger, L"VantoMSN", L"VANTO for Windows Live Messenger",
     host_programs::kLiveMessenger, true, IDS_HELP_MESSENGER, 0, IDS_HELP_MESSENGER_STEPS},
    {kQipInfium, SwitchFamily::kQipInfium, L"VantoQIP", L"VANTO for QIP Infium", host_programs::kQipInfium,
     true, IDS_HELP_QIP, 0, IDS_HELP_QIP_STEPS},
    {kSkype, SwitchFamily::kSkype, L"VantoSkype", L"VANTO for Skype", host_programs::kSkype, true,
     IDS_HELP_SKYPE, 0, IDS_HELP_SKYPE_STEPS},
};

// The row of a kind; null for a value that is no kind of the table.
[[nodiscard]] const HostDescriptor* HostOfKind(int kind) noexcept;

// The family's row of `variant`; null when the family has none.
[[nodiscard]] const HostDescriptor* HostOfFamily(SwitchFamily family, AddinVariant variant) noexcept;

// The kinds the switch of `family` serves: those of the family's rows, the full add-in's first,
// then the Lite one's, then the ED templates'.
[[nodiscard]] std::vector<int> KindsOfFamily(SwitchFamily family);

// The first host program with the token (compared without regard to case); null when none.
[[nodiscard]] const HostProgram* HostProgramOfToken(std::wstring_view token) noexcept;

// The host program started as `executable`: a row whose executable is that file name, compared
// without regard to case (a path names none). Null when none.
[[nodiscard]] const HostProgram* HostProgramOfExecutable(std::wstring_view executable) noexcept;

// The program of `host` that opens documents for `officeApplication`: a program that is no Office
// program serves any position, an Office program only its own. Null when there is none.
[[nodiscard]] const HostProgram* ProgramOfHost(const HostDescriptor& host, int officeApplication) noexcept;

// The Office program at `officeApplication`'s position; null for a position no program has.
[[nodiscard]] const HostProgram* OfficeProgram(int officeApplication) noexcept;

// The kinds offered under a token, in table order.
[[nodiscard]] std::vector<int> OfferedKindsOfToken(std::wstring_view token);

}  // namespace suite
