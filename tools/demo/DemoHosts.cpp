#include "DemoHosts.h"

#include <windows.h>
#include <shlobj.h>

#include <cstdio>
#include <fstream>
#include <string>

#include "core/RegistryKey.h"
#include "win/Handle.h"

namespace demo {
namespace {

namespace fs = std::filesystem;

constexpr wchar_t kAppPaths[] = L"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\App Paths\\";

struct OfficeVersion {
  const wchar_t* version;
  const wchar_t* folder;  // below <installation>\Hosts
};
constexpr OfficeVersion kOfficeVersions[] = {
    {L"11.0", L"Microsoft Office\\Office11"},
    {L"12.0", L"Microsoft Office\\Office12"},
};
constexpr const wchar_t* kOfficeApplications[] = {L"Word", L"Excel", L"Outlook", L"PowerPoint"};

// The add-in classes and the applications each is installed for ("ww" Word, "ot" Outlook, "ex"
// Excel, "pp" PowerPoint): the full add-ins for all four, the Lite ones for Word and Outlook.
struct AddinClass {
  const wchar_t* clsid;
  const wchar_t* codes[4];
};
constexpr AddinClass kAddinClasses[] = {
    {L"{F4061A2B-3C5D-4E7F-80A1-BC2D3E4F5061}", {L"ww", L"ot", L"ex", L"pp"}},  // Office 2003, full
    {L"{7C5E9A32-4D6F-4B83-9EAC-2F3A4B5C6D7E}", {L"ww", L"ot"}},                // Office 2003, Lite
    {L"{8D6FAB43-5E70-4C94-AFBD-3A4B5C6D7E8F}", {L"ww", L"ot", L"ex", L"pp"}},  // Office 2007, full
    {L"{9E70BC54-6F81-4DA5-B0CE-4B5C6D7E8F90}", {L"ww", L"ot"}},                // Office 2007, Lite
};

// Add-in files: found by name only, so placeholders do.
constexpr const wchar_t* kOfficeAddinFiles[] = {L"Quillet8.dll", L"EasyQuillet8.dll"};
constexpr const wchar_t* kOfficeXProgIds[] = {L"QuilletX.WordAddin",      L"QuilletX.OutlookAddin",
                                              L"QuilletX.ExcelAddin",     L"QuilletX.PowerPointAddin",
                                              L"QuilletX.Easy.WordAddin", L"QuilletX.Easy.OutlookAddin"};

// The Firefox installations: registry key name and folder below <installation>\Hosts.
struct FirefoxVersion {
  const wchar_t* keyName;
  const wchar_t* folder;
};
constexpr FirefoxVersion kFirefoxVersions[] = {
    {L"3.5 (en-US)", L"Mozilla Firefox"},
    {L"2.0 (en-US)", L"Mozilla Firefox 2.0"},
};
constexpr wchar_t kInternetExplorerVersion[] = L"8.0.6001.18702";
constexpr wchar_t kExtensionId[] = L"vanto9@korvelsoft.com";

bool WriteText(const fs::path& file, const std::string& text) {
  std::ofstream out(file, std::ios::binary | std::ios::trunc);
  out << text;
  return static_cast<bool>(out);
}

std::string Narrow(std::wstring_view text) {
  return std::string(text.begin(), text.end());  // ASCII names only
}

std::string Manifest(std::wstring_view progId) {
  return "<?xml version=\"1.0\" encoding=\"utf-8\"?>\r\n"
         "<assembly xmlns=\"urn:schemas-microsoft-com:asm.v1\" manifestVersion=\"1.0\">\r\n"
         "  <assemblyIdentity name=\"" +
         Narrow(progId) +
         "\" version=\"8.0.0.0\" />\r\n"
         "  <!-- VANTO demo installation: placeholder of the add-in's manifest -->\r\n"
         "</assembly>\r\n";
}

// A Folders value: the folder, created, with its closing separator.
bool WriteFolder(app::RegistryKey& folders, const wchar_t* name, const fs::path& folder) {
  std::error_code ec;
  fs::create_directories(folder, ec);
  return !ec && folders.WriteString(name, folder.wstring() + L"\\");
}

bool CopyFromBin(const fs::path& binFolder, const wchar_t* name, const fs::path& folder) {
  std::error_code ec;
  if (!fs::exists(binFolder / name)) {
    std::fwprintf(stderr, L"DemoInstall: no %ls in %ls\n", name, binFolder.c_str());
    return false;
  }
  fs::copy_file(binFolder / name, folder / name, fs::copy_options::overwrite_existing, ec);
  return !ec;
}

}  // namespace

bool RegisterServer(const fs::path& dll) {
  win::UniqueModule module(::LoadLibraryW(dll.c_str()));
  if (!module) return false;
  using RegisterFn = HRESULT(STDAPICALLTYPE*)();
  auto registerServer = reinterpret_cast<RegisterFn>(
      reinterpret_cast<void*>(::GetProcAddress(module.get(), "DllRegisterServer")));
  return registerServer && SUCCEEDED(registerServer());
}

bool InstallDemoHosts(const fs::path& binFolder, const fs::path& folder) {
  const fs::path substitute = binFolder / L"SuiteApp.exe";
  if (!fs::exists(substitute)) {
    std::fwprintf(stderr, L"DemoInstall: no %ls; host programs left out\n", substitute.c_str());
    return true;
  }
  for (const DemoHost& host : kDemoHosts) {
    const fs::path hostFolder = folder / L"Hosts" / host.folder;
    const fs::path program = hostFolder / host.executable;
    std::error_code ec;
    fs::create_directories(hostFolder, ec);
    if (ec || !fs::copy_file(substitute, program, fs::copy_options::overwrite_existing, ec) || ec)
      return false;
    if (!host.appPath) continue;
    app::RegistryKey key;
    if (!key.Create(HKEY_LOCAL_MACHINE, std::wstring(kAppPaths) + std::wstring(host.executable)) ||
        !key.WriteString(L"", program.wstring()) || !key.WriteString(L"Path", hostFolder.wstring()))
      return false;
  }
  return true;
}

bool InstallDemoOffice(const fs::path& binFolder, const fs::path& folder) {
  for (const OfficeVersion& office : kOfficeVersions) {
    const fs::path root = folder / L"Hosts" / office.folder;
    std::error_code ec;
    fs::create_directories(root, ec);
    if (ec) return false;
    for (const wchar_t* application : kOfficeApplications) {
      app::RegistryKey installRoot;
      if (!installRoot.Create(HKEY_LOCAL_MACHINE, std::wstring(L"Software\\Microsoft\\Office\\") +
                                                      office.version + L"\\" + application +
                                                      L"\\InstallRoot") ||
          !installRoot.WriteString(L"Path", root.wstring() + L"\\"))
        return false;
    }
  }

  for (const AddinClass& addin : kAddinClasses) {
    app::RegistryKey status;
    if (!status.Create(HKEY_LOCAL_MACHINE,
                       std::wstring(L"Software\\Classes\\CLSID\\") + addin.clsid + L"\\MiscStatus"))
      return false;
    for (const wchar_t* code : addin.codes)
      if (code && !status.WriteString(code, L"1")) return false;
  }

  app::RegistryKey folders;
  if (!folders.Create(HKEY_LOCAL_MACHINE, reg::kFolders)) return false;
  const fs::path office = folder / L"Office";
  const fs::path officeX = folder / L"OfficeX";
  const fs::path ed = folder / L"VNTOED";
  if (!WriteFolder(folders, L"Office", office) || !WriteFolder(folders, L"OfficeX", officeX) ||
      !WriteFolder(folders, L"VNTOED", ed))
    return false;
  for (const wchar_t* file : kOfficeAddinFiles)
    if (!WriteText(office / file, "VANTO demo installation: placeholder of an Office add-in\r\n"))
      return false;
  for (const wchar_t* progId : kOfficeXProgIds) {
    const std::wstring dll = std::wstring(progId) + L".dll";
    if (!WriteText(officeX / dll, "VANTO demo installation: placeholder of an Office add-in\r\n") ||
        !WriteText(officeX / (dll + L".manifest"), Manifest(progId)))
      return false;
  }
  return CopyFromBin(binFolder, L"edsetup.dll", ed) && CopyFromBin(binFolder, L"vntoed8.dot", ed) &&
         RegisterServer(ed / L"edsetup.dll");
}

bool InstallDemoBrowsers(const fs::path& binFolder, const fs::path& folder) {
  app::RegistryKey explorer;
  if (!explorer.Create(HKEY_LOCAL_MACHINE, L"SOFTWARE\\Microsoft\\Internet Explorer") ||
      !explorer.WriteString(L"Version", kInternetExplorerVersion))
    return false;

  // As Firefox's installer leaves it: one key per version with its Main folder, the newest current.
  const std::wstring firefoxKey = L"SOFTWARE\\Mozilla\\Mozilla Firefox";
  app::RegistryKey firefox;
  if (!firefox.Create(HKEY_LOCAL_MACHINE, firefoxKey) ||
      !firefox.WriteString(L"CurrentVersion", kFirefoxVersions[0].keyName))
    return false;
  for (const FirefoxVersion& version : kFirefoxVersions) {
    const fs::path root = folder / L"Hosts" / version.folder;
    std::error_code ec;
    fs::create_directories(root / L"extensions", ec);
    if (ec) return false;
    app::RegistryKey main;
    if (!main.Create(HKEY_LOCAL_MACHINE, firefoxKey + L"\\" + version.keyName + L"\\Main") ||
        !main.WriteString(L"Install Directory", root.wstring()) ||
        !main.WriteString(L"PathToExe", (root / L"firefox.exe").wstring()))
      return false;
  }

  app::RegistryKey folders;
  if (!folders.Create(HKEY_LOCAL_MACHINE, reg::kFolders)) return false;
  const fs::path ie = folder / L"VntoIE";
  const fs::path extension = folder / L"FireFox";
  if (!WriteFolder(folders, L"VntoIE", ie) || !WriteFolder(folders, L"FireFox", extension)) return false;
  std::error_code ec;
  fs::create_directories(extension / L"components", ec);
  if (ec) return false;
  const std::string installRdf =
      "<?xml version=\"1.0\"?>\r\n"
      "<RDF xmlns=\"http://www.w3.org/1999/02/22-rdf-syntax-ns#\"\r\n"
      "     xmlns:em=\"http://www.mozilla.org/2004/em-rdf#\">\r\n"
      "  <Description about=\"urn:mozilla:install-manifest\">\r\n"
      "    <em:id>" +
      Narrow(kExtensionId) +
      "</em:id>\r\n"
      "    <em:name>VANTO for Mozilla Firefox</em:name>\r\n"
      "    <em:version>9.0</em:version>\r\n"
      "    <em:targetApplication>\r\n"
      "      <Description>\r\n"
      "        <em:id>{ec8030f7-c20a-464f-9b0e-13a3a9e97384}</em:id>\r\n"
      "        <em:minVersion>1.5</em:minVersion>\r\n"
      "        <em:maxVersion>3.6.*</em:maxVersion>\r\n"
      "      </Description>\r\n"
      "    </em:targetApplication>\r\n"
      "  </Description>\r\n"
      "</RDF>\r\n";
  return CopyFromBin(binFolder, L"vntoie.dll", ie) &&
         CopyFromBin(binFolder, L"vantoff9.dll", extension / L"components") &&
         WriteText(extension / L"install.rdf", installRdf);
}

bool InstallDemoAcrobat(const fs::path& binFolder, const fs::path& folder) {
  struct AdobeInstallation {
    HKEY root;               // the per-machine or the per-user registry
    const wchar_t* product;  // below SOFTWARE\Adobe
    const wchar_t* version;
    const wchar_t* hostFolder;  // below <installation>\Hosts, where the host program lies
  };
  const AdobeInstallation kInstallations[] = {
      {HKEY_LOCAL_MACHINE, L"Adobe Acrobat", L"8.0", L"Adobe\\Acrobat 8.0\\Acrobat"},
      {HKEY_LOCAL_MACHINE, L"Acrobat Reader", L"9.0", L"Adobe\\Reader 9.0\\Reader"},
      {HKEY_CURRENT_USER, L"Acrobat Reader", L"9.0", L"Adobe\\Reader 9.0\\Reader"},
  };
  for (const AdobeInstallation& adobe : kInstallations) {
    const fs::path installPath = folder / L"Hosts" / adobe.hostFolder;
    std::error_code ec;
    fs::create_directories(installPath / L"plug_ins", ec);
    if (ec) return false;
    app::RegistryKey key;
    if (!key.Create(adobe.root, std::wstring(L"SOFTWARE\\Adobe\\") + adobe.product + L"\\" + adobe.version +
                                    L"\\InstallPath") ||
        !key.WriteString(L"", installPath.wstring()))
      return false;
  }

  app::RegistryKey folders;
  const fs::path plugin = folder / L"Acrobat";
  if (!folders.Create(HKEY_LOCAL_MACHINE, reg::kFolders) || !WriteFolder(folders, L"Acrobat", plugin) ||
      !CopyFromBin(binFolder, L"AcroXlat.API", plugin))
    return false;

  // The suite's folder in the common application data; the switch makes its Acrobat folder there.
  wchar_t common[MAX_PATH] = {};
  if (FAILED(::SHGetFolderPathW(nullptr, CSIDL_COMMON_APPDATA, nullptr, SHGFP_TYPE_CURRENT, common)))
    return false;
  std::error_code ec;
  fs::create_directories(fs::path(common) / L"Korvelsoft\\VNTO\\9.0", ec);
  return !ec;
}

bool InstallDemoPdfViewer(const fs::path& binFolder, const fs::path& folder) {
  const fs::path substitute = binFolder / L"PdfViewer.exe";
  if (!fs::exists(substitute)) return true;  // without the substitute nothing opens PDF files
  const fs::path viewer = folder / L"Viewer" / L"PdfViewer.exe";
  std::error_code ec;
  fs::create_directories(viewer.parent_path(), ec);
  if (ec || !fs::copy_file(substitute, viewer, fs::copy_options::overwrite_existing, ec) || ec) return false;

  constexpr wchar_t kClasses[] = L"SOFTWARE\\Classes\\";
  constexpr wchar_t kFileType[] = L"VantoDemo.PdfDocument";
  app::RegistryKey extension, type, icon, command;
  return extension.Create(HKEY_LOCAL_MACHINE, std::wstring(kClasses) + L".pdf") &&
         extension.WriteString(L"", kFileType) &&
         extension.WriteString(L"Content Type", L"application/pdf") &&
         type.Create(HKEY_LOCAL_MACHINE, std::wstring(kClasses) + kFileType) &&
         type.WriteString(L"", L"PDF Document") &&
         icon.Create(HKEY_LOCAL_MACHINE, std::wstring(kClasses) + kFileType + L"\\DefaultIcon") &&
         icon.WriteString(L"", viewer.wstring() + L",0") &&
         command.Create(HKEY_LOCAL_MACHINE, std::wstring(kClasses) + kFileType + L"\\shell\\open\\command") &&
         command.WriteString(L"", L"\"" + viewer.wstring() + L"\" \"%1\"");
}

}  // namespace demo

namespace demo {

bool InstallDemoMessengers(const fs::path& binFolder, const fs::path& folder) {
  struct InstalledProgram {
    HKEY root;
    const wchar_t* key;  // below ...\Uninstall
    const wchar_t* displayName;
    const wchar_t* version;
    const wchar_t* hostFolder;  // below <installation>\Hosts
    const wchar_t* program;
  };
  const InstalledProgram kPrograms[] = {
      {HKEY_CURRENT_USER, L"QIP Infium", L"QIP Infium", L"2.0.9034", L"QIP Infium", L"infium.exe"},
      {HKEY_LOCAL_MACHINE, L"{6D1221A1-3A5F-4E0E-9D2C-A1B3C5D7E9F0}", L"Skype 4.2", L"4.2.169", L"Skype",
       L"Phone\\Skype.exe"},
      {HKEY_LOCAL_MACHINE, L"{D103C4BA-F905-437A-8049-DB24763BBE36}", L"Skype Toolbars", L"4.2.4413",
       L"Skype\\Toolbars", nullptr},
  };
  for (const InstalledProgram& program : kPrograms) {
    const fs::path location = folder / L"Hosts" / program.hostFolder;
    std::error_code ec;
    fs::create_directories(location, ec);
    if (ec) return false;
    app::RegistryKey entry;
    if (!entry.Create(
            program.root,
            std::wstring(L"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\") + program.key) ||
        !entry.WriteString(L"DisplayName", program.displayName) ||
        !entry.WriteString(L"DisplayVersion", program.version) ||
        !entry.WriteString(L"InstallLocation", location.wstring() + L"\\") ||
        !entry.WriteString(L"Publisher",
                           program.root == HKEY_CURRENT_USER ? L"QIP.ru" : L"Skype Technologies S.A.") ||
        (program.program && !entry.WriteString(L"DisplayIcon", (location / program.program).wstring())))
      return false;
  }
  // QIP Infium's own plug-ins lie in its Plugins folder; the suite's goes beside them when switched on.
  std::error_code ec;
  fs::create_directories(folder / L"Hosts" / L"QIP Infium" / L"Plugins" / L"Smiles", ec);
  if (ec) return false;

  app::RegistryKey messenger;
  if (!messenger.Create(HKEY_CURRENT_USER, L"SOFTWARE\\Microsoft\\MSNMessenger") ||
      !messenger.WriteString(L"InstallationDirectory",
                             (folder / L"Hosts" / L"Windows Live\\Messenger").wstring()))
    return false;

  app::RegistryKey folders;
  const fs::path messengers = folder / L"Messengers";
  if (!folders.Create(HKEY_LOCAL_MACHINE, reg::kFolders) ||
      !WriteFolder(folders, L"VantoQIP", messengers / L"VantoQIP") ||
      !WriteFolder(folders, L"VantoSkype", messengers / L"VantoSkype") ||
      !WriteFolder(folders, L"VantoMSN", messengers / L"VantoMSN"))
    return false;
  for (const wchar_t* file : {L"VantoQIP.dll", L"VantoQIPResENU.dll", L"VantoQIPResDEU.dll",
                              L"VantoQIPResFRA.dll", L"VantoQIPResRUS.dll", L"VantoQIPResESN.dll"})
    if (!CopyFromBin(binFolder, file, messengers / L"VantoQIP")) return false;
  if (!CopyFromBin(binFolder, L"VantoSkype.exe", messengers / L"VantoSkype") ||
      !CopyFromBin(binFolder, L"VantoMSN.chm", messengers / L"VantoMSN"))
    return false;

  app::RegistryKey choices;
  return choices.Create(HKEY_CURRENT_USER, reg::kMessengers) && choices.WriteNumber(L"QIP Infium", 0) &&
         choices.WriteNumber(L"Skype", 1);
}

}  // namespace demo
