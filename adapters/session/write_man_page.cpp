// Writes the man page of flyback and flyback-gui at build time: the template
// with its synopsis, options and exit statuses filled in from the table that
// also gives both --help texts.
//   write_man_page TEMPLATE OUTPUT

#include <fstream>
#include <iostream>
#include <sstream>
#include <string>

#include "flyback_version.h"
#include "program_help.h"

namespace {

void Replace(std::string& text, const std::string& placeholder, const std::string& content) {
  const std::size_t at = text.find(placeholder + "\n");
  if (at == std::string::npos) {
    text.replace(text.find(placeholder), placeholder.size(), content);
  } else {
    text.replace(at, placeholder.size() + 1, content);
  }
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) {
    std::cerr << "usage: write_man_page TEMPLATE OUTPUT\n";
    return 2;
  }
  std::ifstream in(argv[1]);
  std::stringstream read;
  read << in.rdbuf();
  std::string page = read.str();
  for (const char* placeholder : {"@SYNOPSIS@", "@OPTIONS@", "@EXIT_STATUS@", "@VERSION@"}) {
    if (page.find(placeholder) == std::string::npos) {
      std::cerr << "write_man_page: " << argv[1] << " lacks " << placeholder << '\n';
      return 1;
    }
  }
  Replace(page, "@SYNOPSIS@", flyback::ManPageSynopsis());
  Replace(page, "@OPTIONS@", flyback::ManPageOptions());
  Replace(page, "@EXIT_STATUS@", flyback::ManPageExitStatus());
  Replace(page, "@VERSION@", flyback::kVersion);
  std::ofstream out(argv[2]);
  out << page;
  out.close();
  if (!out) {
    std::cerr << "write_man_page: cannot write " << argv[2] << '\n';
    return 1;
  }
  return 0;
}
