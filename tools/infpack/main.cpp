// infpack entry point. On Windows the arguments are taken as UTF-16 (wmain) so any file name
// works, and stdout/stderr are switched to binary mode so the UTF-8 output goes out byte-exact.

#include <cstdio>
#include <filesystem>
#include <vector>

#include "Infpack.h"

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>

int wmain(int argc, wchar_t** argv) {
  _setmode(_fileno(stdout), _O_BINARY);
  _setmode(_fileno(stderr), _O_BINARY);
#else
int main(int argc, char** argv) {
#endif
  std::vector<std::filesystem::path> args;
  for (int i = 1; i < argc; ++i) args.emplace_back(argv[i]);
  return RunInfpack(args, stdout, stderr);
}
