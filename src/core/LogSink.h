// The diagnostic log of the plug-in switches: one sink for the whole process, records appended to a
// UTF-16LE file that is opened and closed for every record. With no file path (the start centre's
// normal state) every record is formatted and then dropped.
#pragma once

#include <windows.h>

#include <string>
#include <string_view>
#include <utility>

namespace app {

class LogSink {
 public:
  // Where the stamps take their time from; tests give a fixed one.
  using Clock = SYSTEMTIME (*)();

  LogSink() noexcept;
  explicit LogSink(Clock clock) noexcept;
  LogSink(const LogSink&) = delete;
  LogSink& operator=(const LogSink&) = delete;

  // Source record: stamp, CR LF, "<sourceTag>(<line>):", CR LF, formatted text, CR LF.
  void Record(const wchar_t* sourceTag, int line, const wchar_t* format, ...) noexcept;
  // Stamped line: stamp, formatted text, CR LF.
  void Line(const wchar_t* format, ...) noexcept;

  // Puts `fileName` into the user's LocalLow application-data folder; before Vista into the
  // application-data folder, or the installation's CommonAppDataRoot before Windows 2000, or "c:\".
  void SetLogFile(std::wstring_view fileName);
  // Uses `path` exactly as given, with no location rule.
  void SetFilePath(std::wstring path) noexcept { path_ = std::move(path); }
  [[nodiscard]] const std::wstring& FilePath() const noexcept { return path_; }

  void SetEnabled(bool enabled) noexcept { enabled_ = enabled; }
  [[nodiscard]] bool Enabled() const noexcept { return enabled_; }

 private:
  void Write(const std::wstring& record) const noexcept;

  Clock clock_;
  std::wstring path_;
  bool enabled_ = true;
};

// The process-wide sink.
[[nodiscard]] LogSink& Log() noexcept;

// Gives `sink` the file named by the per-user value HKCU ...\Startdeck "LogFile" (REG_SZ) when that
// value exists and is not empty; otherwise leaves it alone, so nothing is ever written.
void ConfigureLogFromRegistry(LogSink& sink);
void ConfigureLogFromRegistry();

// Record layouts, for the sink and its tests.
[[nodiscard]] std::wstring FormatStamp(const SYSTEMTIME& time);  // "dd/mm/yyyy hh:mm:ss "
[[nodiscard]] std::wstring FormatSourceRecord(std::wstring_view stamp, std::wstring_view sourceTag, int line,
                                              std::wstring_view text);
[[nodiscard]] std::wstring FormatStampedLine(std::wstring_view stamp, std::wstring_view text);

}  // namespace app
