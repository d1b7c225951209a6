// The demo installation's host applications: copies of the SuiteApp substitute under the hosts'
// executable names, registered so that the shell finds them by name, and the Microsoft Office
// installations with the suite's Office add-ins that the Office switch detects.
#pragma once

#include <filesystem>
#include <string_view>

namespace demo {

struct DemoHost {
  std::wstring_view folder;      // below <installation>\Hosts
  std::wstring_view executable;  // the host's own file name
  bool appPath;                  // registered under App Paths (one copy per name is)
};

inline constexpr DemoHost kDemoHosts[] = {
    // Office 2003 and Office 2007: the shell starts the 2007 programs.
    {L"Microsoft Office\\Office11", L"winword.exe", false},
    {L"Microsoft Office\\Office11", L"excel.exe", false},
    {L"Microsoft Office\\Office11", L"outlook.exe", false},
    {L"Microsoft Office\\Office11", L"powerpnt.exe", false},
    {L"Microsoft Office\\Office12", L"winword.exe", true},
    {L"Microsoft Office\\Office12", L"excel.exe", true},
    {L"Microsoft Office\\Office12", L"outlook.exe", true},
    {L"Microsoft Office\\Office12", L"powerpnt.exe", true},
    {L"Adobe\\Reader 9.0\\Reader", L"AcroRD32.exe", true},
    {L"Adobe\\Acrobat 8.0\\Acrobat", L"Acrobat.exe", true},
    {L"Mozilla Firefox", L"firefox.exe", true},
    {L"Mozilla Firefox 2.0", L"firefox.exe", false},
    {L"Internet Explorer", L"iexplore.exe", true},
    {L"OpenOffice.org 3\\program", L"soffice.exe", true},
    {L"QIP Infium", L"infium.exe", false},
    {L"Skype\\Phone", L"Skype.exe", false},
};

// Copies SuiteApp.exe from `binFolder` as every host program under <folder>\Hosts and registers
// each one marked for it under HKLM "SOFTWARE\Microsoft\Windows\CurrentVersion\App Paths\<exe>"
// (default value: the program, "Path": its folder). False when a copy or a key fails; without the
// substitute nothing is copied and true is returned.
[[nodiscard]] bool InstallDemoHosts(const std::filesystem::path& binFolder,
                                    const std::filesystem::path& folder);

// Office 2003 (11.0) and 2007 (12.0) with Word, Excel, Outlook and PowerPoint (their InstallRoot
// keys), the suite's Office add-in files under the Folders values "Office", "OfficeX" and "VNTOED",
// the applications each add-in class was installed for (MiscStatus), and the ED template installer
// edsetup.dll with its template, registered through its own DllRegisterServer.
[[nodiscard]] bool InstallDemoOffice(const std::filesystem::path& binFolder,
                                     const std::filesystem::path& folder);

// Adobe Acrobat 8.0 (per machine) and Adobe Reader 9.0 (per machine and per user, the same folder),
// each the host program's folder with a "plug_ins" folder, registered under the product's
// "SOFTWARE\Adobe\<product>\<version>\InstallPath"; the suite's plug-in AcroXlat.API under the
// Folders value "Acrobat"; and the suite's folder in the common application data, where the switch lists what
// it switched on.
[[nodiscard]] bool InstallDemoAcrobat(const std::filesystem::path& binFolder,
                                      const std::filesystem::path& folder);
// Internet Explorer's "Version", Firefox 3.5 and 2.0 (their "Main\Install Directory" naming the
// host folders, each with an "extensions" folder), and the suite's browser add-ons under the Folders
// values "VntoIE" (vntoie.dll, not registered: the add-on starts switched off) and "FireFox" (the
// extension folder with components\vantoff9.dll).
[[nodiscard]] bool InstallDemoBrowsers(const std::filesystem::path& binFolder,
                                       const std::filesystem::path& folder);

// OpenOffice.org 2.4 and 3.1 (HKLM "SOFTWARE\OpenOffice.org\OpenOffice.org\<version>") with the
// current user's profiles in the application-data folder (a profile the demo did not write is left
// alone), and the suite's Writer integration, WrtBridge.dll and its OOInst templates, under the
// Folders value "OpenOffice".
[[nodiscard]] bool InstallDemoOpenOffice(const std::filesystem::path& binFolder,
                                         const std::filesystem::path& folder);

// A PDF viewer: the substitute PdfViewer.exe (the suite application substitute with a document icon,
// which journals the document it is started with) as <folder>\Viewer\PdfViewer.exe, and the ".pdf"
// file type associated with it: its open command and its icon.
[[nodiscard]] bool InstallDemoPdfViewer(const std::filesystem::path& binFolder,
                                        const std::filesystem::path& folder);

// The messengers: QIP Infium registered only for the current user (its uninstall entry, its host
// folder with a Plugins folder), two Skype entries in the machine's list of installed programs,
// Windows Live Messenger's per-user key; the suite's integrations under the Folders values
// "VantoQIP" (VantoQIP.dll and its language libraries), "VantoSkype" (VantoSkype.exe) and
// "VantoMSN" (VantoMSN.chm), and the per-user choices: QIP Infium off, Skype on.
[[nodiscard]] bool InstallDemoMessengers(const std::filesystem::path& binFolder,
                                         const std::filesystem::path& folder);

// Registers an in-process COM server the way an installer does: through its own DllRegisterServer.
[[nodiscard]] bool RegisterServer(const std::filesystem::path& dll);

}  // namespace demo
