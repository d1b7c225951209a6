// Writes a complete demo installation of the suite: the program files in an installation folder,
// the product's .inf packed with infpack, the machine-wide registry records, the translation
// kernel, registered, and the suite's applications (copies of the SuiteApp substitute; see
// DemoApps.h and README.md) with the journal they write to, the host programs and the Microsoft
// Office installations with the suite's add-ins, Acrobat, the browsers and OpenOffice.org (DemoHosts.h),
// and, as the product's package, Explorer's verb on the documents the tasks take and the Send To
// shortcut (DemoExplorer.h).
// Run it under Wine (or on Windows) from the build's bin folder:
//
//   DemoInstall.exe FOLDER [--product NAME] [--title FILE_TITLE] [--language LANGID] [--no-inf]
//   [--hosts-only]
//
// --hosts-only leaves the product itself to its Windows Installer package (packaging/) and writes only
// what the package does not: the host programs with the suite's add-ins and the journal.
#include <windows.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "DemoApps.h"
#include "DemoDocuments.h"
#include "DemoExplorer.h"
#include "DemoHosts.h"
#include "StartdeckFiles.h"
#include "core/RegistryKey.h"
#include "win/Handle.h"
#include "win/Module.h"

namespace {

namespace fs = std::filesystem;

struct Options {
  fs::path folder;
  std::wstring product = L"VANTO Translator Home";
  std::wstring title = L"Startdeck";
  DWORD language = demo::kDemoLanguage;
  bool writeInf = true;
  bool hostsOnly = false;  // the product comes from its package; only the hosts and add-ins here
};

int Fail(const std::wstring& message) {
  std::fwprintf(stderr, L"DemoInstall: %ls\n", message.c_str());
  return 1;
}

fs::path ProgramFolder() {
  return fs::path(win::ModulePath()).parent_path();
}

std::string Utf8(const std::wstring& text) {
  if (text.empty()) return {};
  const int n = ::WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0,
                                      nullptr, nullptr);
  std::string out(static_cast<size_t>(n), '\0');
  ::WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), out.data(), n, nullptr,
                        nullptr);
  return out;
}

std::string JsonEscaped(const std::string& text) {
  std::string out;
  for (char c : text) {
    if (c == '"' || c == '\\') out += '\\';
    out += c;
  }
  return out;
}

void ReplaceAll(std::string& text, const std::string& from, const std::string& to) {
  for (size_t at = text.find(from); at != std::string::npos; at = text.find(from, at + to.size()))
    text.replace(at, from.size(), to);
}

bool ParseOptions(int argc, wchar_t** argv, Options& options) {
  if (argc < 2) return false;
  options.folder = argv[1];
  for (int i = 2; i < argc; ++i) {
    const std::wstring arg = argv[i];
    const bool hasValue = i + 1 < argc;
    if (arg == L"--product" && hasValue)
      options.product = argv[++i];
    else if (arg == L"--title" && hasValue)
      options.title = argv[++i];
    else if (arg == L"--language" && hasValue)
      options.language = static_cast<DWORD>(std::wcstoul(argv[++i], nullptr, 0));
    else if (arg == L"--no-inf")
      options.writeInf = false;
    else if (arg == L"--hosts-only")
      options.hostsOnly = true;
    else
      return false;
  }
  return true;
}

// Runs a program and waits for it; its exit code, or -1 when it could not start.
int Run(std::wstring command) {
  STARTUPINFOW startup{};
  startup.cb = sizeof(startup);
  PROCESS_INFORMATION process{};
  if (!::CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                        &process))
    return -1;
  win::UniqueHandle processHandle(process.hProcess);
  win::UniqueHandle threadHandle(process.hThread);
  ::WaitForSingleObject(processHandle.get(), INFINITE);
  DWORD code = 1;
  ::GetExitCodeProcess(processHandle.get(), &code);
  return static_cast<int>(code);
}

bool CopyProgramFiles(const fs::path& from, const Options& options) {
  std::error_code ec;
  // The Startdeck component's files of the installation folder (those of Apps go in with the
  // applications, DemoApps.cpp). The program and its help file are named by the program's title
  // (the Help button looks for "<title>.chm" beside the program), and both must be there.
  for (const demo::StartdeckFile& file : demo::kStartdeckFiles) {
    if (file.inApps) continue;
    const fs::path name(file.name);
    const bool titled = name.stem() == L"Startdeck";
    const fs::path target = titled ? fs::path(options.title + name.extension().wstring()) : name;
    if (!titled && !fs::exists(from / name)) continue;
    fs::copy_file(from / name, options.folder / target, fs::copy_options::overwrite_existing, ec);
    if (ec) return false;
  }
  // The product's outside components.
  for (const wchar_t* name : {L"VantoKernel.dll", L"VantoWebService.exe"}) {
    if (fs::exists(from / name))
      fs::copy_file(from / name, options.folder / name, fs::copy_options::overwrite_existing, ec);
    if (ec) return false;
  }
  return true;
}

bool WriteInf(const fs::path& from, const Options& options) {
  std::ifstream in(from / L"DemoProduct.json", std::ios::binary);
  std::string json((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  if (json.empty()) return false;
  ReplaceAll(json, "{{PRODUCT_NAME}}", JsonEscaped(Utf8(options.product)));
  ReplaceAll(json, "{{FILE_TITLE}}", JsonEscaped(Utf8(options.title)));
  const fs::path config = options.folder / (options.title + L".json");
  {
    std::ofstream out(config, std::ios::binary | std::ios::trunc);
    out << json;
    if (!out) return false;
  }
  const fs::path inf = options.folder / (options.title + L".inf");
  const int rc = Run(L"\"" + (from / L"infpack.exe").wstring() + L"\" pack \"" + config.wstring() + L"\" \"" +
                     inf.wstring() + L"\"");
  std::error_code ec;
  fs::remove(config, ec);
  return rc == 0;
}

bool WriteRegistry(const Options& options) {
  app::RegistryKey root;
  if (!root.Create(HKEY_LOCAL_MACHINE, reg::kProductRoot) ||
      !root.WriteNumber(reg::kLanguageIdValue, options.language))
    return false;

  app::RegistryKey folders;
  if (!folders.Create(HKEY_LOCAL_MACHINE, reg::kFolders)) return false;
  const fs::path shared = options.folder / L"Shared";
  fs::create_directories(shared);
  if (!folders.WriteString(reg::kSharedRootValue, shared.wstring())) return false;

  const fs::path docs = options.folder / L"Docs";
  fs::create_directories(docs);
  for (const demo::DemoDocument& doc : demo::kDemoDocuments) {
    const fs::path file = docs / doc.file;
    std::ofstream(file, std::ios::binary | std::ios::trunc)
        << demo::MinimalPdf(demo::Ascii(doc.shortDescription));
    app::RegistryKey key;
    if (!key.Create(HKEY_LOCAL_MACHINE, std::wstring(reg::kDocs) + L"\\" + std::wstring(doc.id)) ||
        !key.WriteString(L"Path", file.wstring()) ||
        !key.WriteString(L"ShortDescription", std::wstring(doc.shortDescription)) ||
        !key.WriteString(L"FullDescription", std::wstring(doc.fullDescription)))
      return false;
  }

  app::RegistryKey activity;
  return activity.Create(HKEY_LOCAL_MACHINE, reg::kVantoActivity) &&
         activity.WriteString(L"Url", std::wstring(demo::kDemoActivityUrl));
}

// Registers the kernel the way an installer would.
bool RegisterKernel(const Options& options) {
  const fs::path dll = options.folder / L"VantoKernel.dll";
  if (!fs::exists(dll)) return true;  // builds without the kernel still install the rest
  return demo::RegisterServer(dll);
}

// Registers the web-service component (and its type library) through its own /RegServer.
bool RegisterWebService(const Options& options) {
  const fs::path server = options.folder / L"VantoWebService.exe";
  if (!fs::exists(server)) return true;
  return Run(L"\"" + server.wstring() + L"\" /RegServer") == 0;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  Options options;
  if (!ParseOptions(argc, argv, options))
    return Fail(
        L"usage: DemoInstall FOLDER [--product NAME] [--title FILE_TITLE] [--language LANGID] [--no-inf] "
        L"[--hosts-only]");
  options.folder = fs::absolute(options.folder);
  std::error_code ec;
  fs::create_directories(options.folder, ec);
  if (ec) return Fail(L"cannot create " + options.folder.wstring());

  const fs::path from = ProgramFolder();
  if (!options.hostsOnly) {
    if (!CopyProgramFiles(from, options))
      return Fail(L"cannot copy the program files from " + from.wstring());
    if (options.writeInf && !WriteInf(from, options)) return Fail(L"cannot pack the product's .inf");
    if (!WriteRegistry(options)) return Fail(L"cannot write the installation's registry records");
    if (!RegisterKernel(options)) return Fail(L"cannot register the translation kernel");
    if (!RegisterWebService(options)) return Fail(L"cannot register the web-service component");
    if (!demo::InstallDemoApps(from, options.folder)) return Fail(L"cannot install the suite's applications");
    const fs::path program = options.folder / (options.title + L".exe");
    if (!demo::InstallExplorerVerb(program, options.language))
      return Fail(L"cannot add \"Translate with VANTO\" to Explorer");
    if (!demo::InstallSendToShortcut(program)) return Fail(L"cannot add the Send To shortcut");
  }
  if (!demo::InstallDemoHosts(from, options.folder)) return Fail(L"cannot install the host programs");
  if (!demo::InstallDemoOffice(from, options.folder))
    return Fail(L"cannot install Microsoft Office and its add-ins");
  if (!demo::InstallDemoAcrobat(from, options.folder))
    return Fail(L"cannot install Adobe Acrobat and Reader");
  if (!demo::InstallDemoBrowsers(from, options.folder))
    return Fail(L"cannot install the browsers and their add-ons");
  if (!demo::InstallDemoOpenOffice(from, options.folder))
    return Fail(L"cannot install OpenOffice.org and its integration");
  if (!demo::InstallDemoPdfViewer(from, options.folder)) return Fail(L"cannot install the PDF viewer");
  if (!demo::InstallDemoMessengers(from, options.folder))
    return Fail(L"cannot install the messengers and their add-ins");
  const fs::path journal = demo::InstallJournal(options.folder);
  if (journal.empty()) return Fail(L"cannot point the applications' journal at the installation");

  std::wprintf(L"Installed \"%ls\" in %ls\n", options.product.c_str(), options.folder.c_str());
  std::wprintf(L"Journal of the started applications: %ls\n", journal.c_str());
  return 0;
}
