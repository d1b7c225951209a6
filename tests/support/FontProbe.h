// The question a test puts to the font probe, a small library it loads into the program under test:
// a font handle is only meaningful inside the program that made it, so it is read there.
#pragma once

#include <windows.h>

namespace test {

inline constexpr wchar_t kFontProbeLibrary[] = L"StartdeckFontProbe.dll";
inline constexpr char kFontProbeEntry[] = "ReadFont";

// Filled in by the probe's thread: `window` is the control asked about, `font` what it answers
// WM_GETFONT with (asked from inside its program, where the answer is meant to be read) and
// `answer` what GetObject says of that font. The thread's exit code is GetObject's result: 0 when
// the control answers no font.
struct FontQuestion {
  unsigned long long window;
  unsigned long long font;
  LOGFONTW answer;
};

}  // namespace test
