#include "support/WindowLayout.h"

#include <tlhelp32.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cwchar>
#include <fstream>
#include <map>
#include <sstream>

#include "SkinScales.h"
#include "support/FontProbe.h"
#include "win/Handle.h"
#include "win/Scale.h"

namespace test {

namespace {

constexpr DWORD kThreadTimeoutMs = 10000;

// Siblings that overlap on purpose. Each row names the two by their last "class:id" (without the
// "#n" of shared names), in either order, with the reason.
struct AllowedOverlap {
  const wchar_t* first;
  const wchar_t* second;
  const wchar_t* reason;
};
constexpr AllowedOverlap kAllowedOverlaps[] = {
    {L"StartdeckMenuButton:319", L"StartdeckMenuButton:310",
     L"the close button's picture overlaps the minimise button's by one design pixel"},
    {L"Static:1044", L"StartdeckMenuButton:319",
     L"the product caption's box runs under the close button; its "
     L"text is left-aligned and ends before it"},
    {L"Static:1044", L"StartdeckMenuButton:310", L"the same under the minimise button"},
    {L"StartdeckMenuButton:374", L"StartdeckCheckbox:379",
     L"the dictionary-updates box's text runs under Home, shown beside it while a message is up; the text "
     L"ends before it"},
    {L"Static:1007", L"Edit:1011",
     L"a panel's first label spans the panel's width above its fields; its text "
     L"ends before the document field"},
    {L"Static:1007", L"Static:1013", L"the same beside the application label"},
    {L"Static:1007", L"StartdeckComboBox:383", L"the same beside the list of applications"},
    {L"Static:1008", L"Static:1010", L"a panel's second label lies on the steps' picture it explains"},
    {L"Static:1008", L"Static:1016", L"the same on the outcome's picture"},
};
// Controls that reach out of their parent's client area on purpose, by their last "class:id".
struct AllowedOverhang {
  const wchar_t* control;
  const wchar_t* reason;
};
constexpr AllowedOverhang kAllowedOverhangs[] = {
    {L"Static:1044",
     L"the product caption's box runs past the window's right edge; its text is left-aligned "
     L"and ends well before it"},
};

// Runs the font probe inside another program: the library is loaded there once, by a thread that
// starts at LoadLibraryW (kernel32 lies at the same address in every process), and each question is
// a thread that starts at the probe's entry, found at the same offset from the library's base as
// in this program's copy.
class FontReader {
 public:
  explicit FontReader(DWORD processId) {
    process_.reset(::OpenProcess(PROCESS_CREATE_THREAD | PROCESS_QUERY_INFORMATION | PROCESS_VM_OPERATION |
                                     PROCESS_VM_READ | PROCESS_VM_WRITE,
                                 FALSE, processId));
    if (!process_) return;
    const std::wstring probe = ProbePath();
    const HMODULE local = ::LoadLibraryW(probe.c_str());
    if (!local) return;
    const auto entry = reinterpret_cast<ULONG_PTR>(::GetProcAddress(local, kFontProbeEntry));
    if (!entry) return;
    const ULONG_PTR offset = entry - reinterpret_cast<ULONG_PTR>(local);
    ULONG_PTR remote = RemoteBase(processId);
    if (!remote) {
      const auto loadLibrary = reinterpret_cast<LPTHREAD_START_ROUTINE>(
          reinterpret_cast<void*>(::GetProcAddress(::GetModuleHandleW(L"kernel32.dll"), "LoadLibraryW")));
      const size_t bytes = (probe.size() + 1) * sizeof(wchar_t);
      void* path = ::VirtualAllocEx(process_.get(), nullptr, bytes, MEM_COMMIT, PAGE_READWRITE);
      if (!path) return;
      if (::WriteProcessMemory(process_.get(), path, probe.c_str(), bytes, nullptr))
        RunThread(loadLibrary, path);
      ::VirtualFreeEx(process_.get(), path, 0, MEM_RELEASE);
      remote = RemoteBase(processId);
    }
    if (remote) entry_ = reinterpret_cast<LPTHREAD_START_ROUTINE>(remote + offset);
  }
  FontReader(const FontReader&) = delete;
  FontReader& operator=(const FontReader&) = delete;
  ~FontReader() {
    if (question_) ::VirtualFreeEx(process_.get(), question_, 0, MEM_RELEASE);
  }

  [[nodiscard]] bool Ready() const noexcept { return entry_ != nullptr; }

  // The font `control` draws its text with; nothing when it answers none.
  [[nodiscard]] std::optional<LOGFONTW> Read(HWND control) {
    if (!entry_) return std::nullopt;
    if (!question_)
      question_ = ::VirtualAllocEx(process_.get(), nullptr, sizeof(FontQuestion), MEM_COMMIT, PAGE_READWRITE);
    FontQuestion asked{reinterpret_cast<ULONG_PTR>(control), 0, {}};
    if (!question_ || !::WriteProcessMemory(process_.get(), question_, &asked, sizeof(asked), nullptr) ||
        RunThread(entry_, question_) < static_cast<DWORD>(sizeof(LOGFONTW)) ||
        !::ReadProcessMemory(process_.get(), question_, &asked, sizeof(asked), nullptr))
      return std::nullopt;
    return asked.answer;
  }

 private:
  static std::wstring ProbePath() {
    std::wstring path(MAX_PATH, L'\0');
    path.resize(::GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size())));
    return path.substr(0, path.find_last_of(L"\\/") + 1) + kFontProbeLibrary;
  }
  static ULONG_PTR RemoteBase(DWORD processId) {
    win::UniqueHandle snapshot(::CreateToolhelp32Snapshot(TH32CS_SNAPMODULE, processId));
    if (!snapshot) return 0;
    MODULEENTRY32W module{};
    module.dwSize = sizeof(module);
    for (BOOL more = ::Module32FirstW(snapshot.get(), &module); more;
         more = ::Module32NextW(snapshot.get(), &module))
      if (_wcsicmp(module.szModule, kFontProbeLibrary) == 0)
        return reinterpret_cast<ULONG_PTR>(module.modBaseAddr);
    return 0;
  }
  // The thread's exit code; 0 when it could not run or did not end.
  DWORD RunThread(LPTHREAD_START_ROUTINE start, void* parameter) const {
    win::UniqueHandle thread(::CreateRemoteThread(process_.get(), nullptr, 0, start, parameter, 0, nullptr));
    DWORD code = 0;
    if (!thread || ::WaitForSingleObject(thread.get(), kThreadTimeoutMs) != WAIT_OBJECT_0 ||
        !::GetExitCodeThread(thread.get(), &code))
      return 0;
    return code;
  }

  win::UniqueHandle process_;
  LPTHREAD_START_ROUTINE entry_ = nullptr;
  void* question_ = nullptr;
};

std::wstring ClassNameOf(HWND window) {
  wchar_t name[256] = {};
  ::GetClassNameW(window, name, 256);
  return name;
}

void RecordChildren(HWND parent, const std::wstring& parentPath, FontReader& fonts, WindowLayout& layout) {
  RECT client{};
  ::GetClientRect(parent, &client);
  std::map<std::wstring, int> seen;
  for (HWND child = ::GetWindow(parent, GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT)) {
    if (!::IsWindowVisible(child)) continue;
    std::wstring name = ClassNameOf(child) + L":" + std::to_wstring(::GetDlgCtrlID(child));
    const int index = seen[name]++;
    if (index > 0) name += L"#" + std::to_wstring(index);
    ControlPlace place;
    place.path = parentPath + L"/" + name;
    ::GetWindowRect(child, &place.rect);
    ::MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&place.rect), 2);
    place.parentClient = {client.right, client.bottom};
    if (const auto logFont = fonts.Read(child)) {
      place.font = logFont->lfHeight;
      place.hasFont = true;
    }
    const std::wstring path = place.path;
    layout.controls.push_back(std::move(place));
    RecordChildren(child, path, fonts, layout);
  }
}

// The name of a control without the "#n" of shared names: the last step of its path.
std::wstring LastName(const std::wstring& path) {
  std::wstring name = path.substr(path.find_last_of(L'/') + 1);
  return name.substr(0, name.find(L'#', 1));  // a class name may begin with '#' (#32770)
}

std::wstring ParentOf(const std::wstring& path) {
  return path.substr(0, path.find_last_of(L'/'));
}

bool Allowed(const ControlPlace& a, const ControlPlace& b) {
  const std::wstring first = LastName(a.path), second = LastName(b.path);
  return std::any_of(
      std::begin(kAllowedOverlaps), std::end(kAllowedOverlaps), [&](const AllowedOverlap& row) {
        return (first == row.first && second == row.second) || (first == row.second && second == row.first);
      });
}

std::wstring Describe(const RECT& r) {
  return L"(" + std::to_wstring(r.left) + L"," + std::to_wstring(r.top) + L")-(" + std::to_wstring(r.right) +
         L"," + std::to_wstring(r.bottom) + L")";
}

}  // namespace

WindowLayout RecordLayout(HWND window) {
  WindowLayout layout;
  layout.dpi = win::SystemDpi();
  ::GetWindowRect(window, &layout.window);
  DWORD processId = 0;
  ::GetWindowThreadProcessId(window, &processId);
  FontReader fonts(processId);
  if (!fonts.Ready()) std::fwprintf(stderr, L"the fonts of process %lu cannot be read\n", processId);
  RecordChildren(window, ClassNameOf(window), fonts, layout);
  return layout;
}

std::wstring FormatLayout(const WindowLayout& layout) {
  std::wostringstream out;
  out << L"dpi " << layout.dpi << L"\nwindow " << layout.window.left << L' ' << layout.window.top << L' '
      << layout.window.right << L' ' << layout.window.bottom << L'\n';
  for (const ControlPlace& c : layout.controls) {
    out << L"control " << c.rect.left << L' ' << c.rect.top << L' ' << c.rect.right << L' ' << c.rect.bottom
        << L' ' << c.parentClient.cx << L' ' << c.parentClient.cy << L' ';
    if (c.hasFont)
      out << c.font;
    else
      out << L'-';
    out << L' ' << c.path << L'\n';
  }
  return out.str();
}

std::optional<WindowLayout> ParseLayout(const std::wstring& text) {
  WindowLayout layout;
  std::wistringstream in(text);
  std::wstring word;
  if (!(in >> word) || word != L"dpi" || !(in >> layout.dpi)) return std::nullopt;
  if (!(in >> word) || word != L"window" ||
      !(in >> layout.window.left >> layout.window.top >> layout.window.right >> layout.window.bottom))
    return std::nullopt;
  while (in >> word) {
    if (word != L"control") return std::nullopt;
    ControlPlace c;
    std::wstring font;
    if (!(in >> c.rect.left >> c.rect.top >> c.rect.right >> c.rect.bottom >> c.parentClient.cx >>
          c.parentClient.cy >> font))
      return std::nullopt;
    if (font != L"-") {
      wchar_t* end = nullptr;
      c.font = static_cast<int>(std::wcstol(font.c_str(), &end, 10));
      if (!end || *end) return std::nullopt;
      c.hasFont = true;
    }
    in.get();  // the space before the path, which may hold spaces of its own
    if (!std::getline(in, c.path) || c.path.empty()) return std::nullopt;
    layout.controls.push_back(std::move(c));
  }
  return layout;
}

bool SaveLayout(const WindowLayout& layout, const std::filesystem::path& file) {
  std::filesystem::path temporary = file;
  temporary += L".tmp";
  {
    std::wofstream out(temporary);
    out << FormatLayout(layout);
    if (!out.flush()) return false;
  }
  std::error_code error;
  std::filesystem::rename(temporary, file, error);
  return !error;
}

std::optional<WindowLayout> LoadLayout(const std::filesystem::path& file) {
  std::wifstream in(file);
  if (!in) return std::nullopt;
  std::wstringstream text;
  text << in.rdbuf();
  return ParseLayout(text.str());
}

bool IsScaledFontHeight(int design, int actual, int dpi) {
  if (actual == skinscale::Px(design, dpi)) return true;
  const int points = ::MulDiv(kStockFontPoints, dpi, 72);
  return std::abs(design) == kStockFontHeight && (design < 0 ? -points : points) == actual;
}

std::vector<std::wstring> PlacementFaults(const WindowLayout& layout) {
  std::vector<std::wstring> faults;
  for (const ControlPlace& c : layout.controls) {
    const RECT& r = c.rect;
    const std::wstring name = LastName(c.path);
    const bool allowed = std::any_of(std::begin(kAllowedOverhangs), std::end(kAllowedOverhangs),
                                     [&](const AllowedOverhang& row) { return name == row.control; });
    if (!allowed && (r.left < 0 || r.top < 0 || r.right > c.parentClient.cx || r.bottom > c.parentClient.cy))
      faults.push_back(c.path + L" " + Describe(r) + L" is cut off by its parent's client area of " +
                       std::to_wstring(c.parentClient.cx) + L"x" + std::to_wstring(c.parentClient.cy));
  }
  for (size_t i = 0; i < layout.controls.size(); ++i)
    for (size_t j = i + 1; j < layout.controls.size(); ++j) {
      const ControlPlace &a = layout.controls[i], &b = layout.controls[j];
      RECT overlap{};
      if (ParentOf(a.path) != ParentOf(b.path) || !::IntersectRect(&overlap, &a.rect, &b.rect) ||
          Allowed(a, b))
        continue;
      faults.push_back(a.path + L" " + Describe(a.rect) + L" overlaps its sibling " + LastName(b.path) +
                       L" " + Describe(b.rect));
    }
  return faults;
}

std::vector<std::wstring> ScaleFaults(const WindowLayout& design, const WindowLayout& scaled) {
  std::vector<std::wstring> faults;
  if (design.dpi != skinscale::kDesignDpi)
    faults.push_back(L"the design layout was taken at " + std::to_wstring(design.dpi) + L" DPI, not at 96");
  const int dpi = skinscale::SkinDpiFor(scaled.dpi);
  // One pixel of slack for each edge.
  const auto withinSlack = [](int actual, int expected) {
    return actual >= expected - 2 && actual <= expected + 2;
  };
  const int width = design.window.right - design.window.left,
            height = design.window.bottom - design.window.top;
  const int scaledWidth = scaled.window.right - scaled.window.left,
            scaledHeight = scaled.window.bottom - scaled.window.top;
  if (!withinSlack(scaledWidth, skinscale::Px(width, dpi)) ||
      !withinSlack(scaledHeight, skinscale::Px(height, dpi)))
    faults.push_back(L"the window is " + std::to_wstring(scaledWidth) + L"x" + std::to_wstring(scaledHeight) +
                     L", not " + std::to_wstring(skinscale::Px(width, dpi)) + L"x" +
                     std::to_wstring(skinscale::Px(height, dpi)) + L" (" + std::to_wstring(width) + L"x" +
                     std::to_wstring(height) + L" at 96 DPI)");
  std::map<std::wstring, const ControlPlace*> byPath;
  for (const ControlPlace& c : scaled.controls) byPath[c.path] = &c;
  for (const ControlPlace& c : design.controls) {
    const auto found = byPath.find(c.path);
    if (found == byPath.end()) {
      faults.push_back(c.path + L" is not shown");
      continue;
    }
    const ControlPlace& s = *found->second;
    byPath.erase(found);
    if (!c.hasFont) continue;
    if (std::find(std::begin(kDesignFontHeights), std::end(kDesignFontHeights), std::abs(c.font)) ==
        std::end(kDesignFontHeights))
      faults.push_back(c.path + L" draws with a font of height " + std::to_wstring(c.font) +
                       L" at 96 DPI, none of the program's design heights");
    const int expected = skinscale::Px(c.font, dpi);
    if (!s.hasFont)
      faults.push_back(c.path + L" answers no font (at 96 DPI: height " + std::to_wstring(c.font) + L")");
    else if (!IsScaledFontHeight(c.font, s.font, dpi))
      faults.push_back(c.path + L" draws with a font of height " + std::to_wstring(s.font) + L", not " +
                       std::to_wstring(expected) + L" (" + std::to_wstring(c.font) + L" at 96 DPI)");
  }
  for (const auto& [path, control] : byPath) faults.push_back(path + L" is shown only at this scale");
  return faults;
}

}  // namespace test
