// chmpack: compiles a help project into a compiled HTML help file.
//   chmpack PROJECT OUTPUT
// The project is a text file of sections, its page files named relative to its folder:
//   [OPTIONS]   Title=<title>  Default topic=<page>  Language=<LCID, e.g. 0x409>
//   [FILES]     one page a line
//   [CONTEXTS]  <number>=<page>: the topic a program opens by that number
// Blank lines and lines starting with ";" are ignored.
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <sstream>
#include <string>

#include "ChmWriter.h"

namespace {

std::string Trim(const std::string& text) {
  const size_t first = text.find_first_not_of(" \t\r");
  if (first == std::string::npos) return {};
  return text.substr(first, text.find_last_not_of(" \t\r") - first + 1);
}

bool ReadFile(const std::filesystem::path& path, std::string& text) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return false;
  std::ostringstream buffer;
  buffer << in.rdbuf();
  text = buffer.str();
  return true;
}

bool Fail(const std::string& why) {
  std::cerr << "chmpack: " << why << "\n";
  return false;
}

bool ReadProject(const std::filesystem::path& project, chm::HelpFile& help) {
  std::string text;
  if (!ReadFile(project, text)) return Fail("cannot read " + project.string());
  std::istringstream lines(text);
  std::string line;
  std::string section;
  int number = 0;
  while (std::getline(lines, line)) {
    ++number;
    line = Trim(line);
    if (line.empty() || line[0] == ';') continue;
    const std::string where = project.string() + ":" + std::to_string(number) + ": ";
    if (line.front() == '[' && line.back() == ']') {
      section = line.substr(1, line.size() - 2);
      continue;
    }
    const size_t equals = line.find('=');
    const std::string key = Trim(line.substr(0, equals));
    const std::string value = equals == std::string::npos ? std::string() : Trim(line.substr(equals + 1));
    if (section == "OPTIONS" && key == "Title") {
      help.title = value;
    } else if (section == "OPTIONS" && key == "Default topic") {
      help.defaultPage = value;
    } else if (section == "OPTIONS" && key == "Language") {
      help.language = static_cast<std::uint32_t>(std::stoul(value, nullptr, 0));
    } else if (section == "FILES") {
      chm::Page page{line, {}};
      if (!ReadFile(project.parent_path() / line, page.text))
        return Fail(where + "cannot read the page " + line);
      help.pages.push_back(std::move(page));
    } else if (section == "CONTEXTS" && equals != std::string::npos) {
      size_t used = 0;
      const unsigned long context = std::stoul(key, &used, 0);
      if (used != key.size()) return Fail(where + "not a number: " + key);
      help.topics.push_back({static_cast<std::uint32_t>(context), value});
    } else {
      return Fail(where + "not understood: " + line);
    }
  }
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) {
    std::cerr << "usage: chmpack PROJECT OUTPUT\n";
    return 2;
  }
  chm::HelpFile help;
  try {
    if (!ReadProject(argv[1], help)) return 1;
  } catch (const std::exception& e) {  // a number std::stoul refuses
    std::cerr << "chmpack: " << argv[1] << ": " << e.what() << "\n";
    return 1;
  }
  std::string error;
  const std::vector<std::uint8_t> bytes = chm::Write(help, error);
  if (bytes.empty()) {
    std::cerr << "chmpack: " << argv[1] << ": " << error << "\n";
    return 1;
  }
  // Written beside the target and renamed over it, so that a failed run leaves no half file.
  const std::filesystem::path target = argv[2];
  const std::filesystem::path temporary = target.string() + ".tmp";
  {
    std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    if (!out) {
      Fail("cannot write " + temporary.string());
      return 1;
    }
  }
  std::error_code ec;
  std::filesystem::rename(temporary, target, ec);
  if (ec) {
    Fail("cannot replace " + target.string() + ": " + ec.message());
    return 1;
  }
  return 0;
}
