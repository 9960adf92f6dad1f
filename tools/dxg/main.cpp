// The archive tool's command line: list, extract and pack, with help and version.
#include <cstdio>
#include <string>

#include "Commands.h"

namespace {

constexpr const char* kUsage =
    "usage: brinecast-dxg list FILE\n"
    "       brinecast-dxg extract FILE DIR\n"
    "       brinecast-dxg pack MANIFEST OUT\n"
    "       brinecast-dxg --help | --version\n";

constexpr const char* kHelp =
    "Lists, extracts and packs Brinecast's image archives (.dxg).\n"
    "\n"
    "  list FILE            one line per picture: index, name, size, pattern grid, key\n"
    "  extract FILE DIR     each picture as INDEX-NAME.png in DIR\n"
    "  pack MANIFEST OUT    the manifest's SVG or PNG pictures as one archive OUT\n"
    "  --help               show this help and exit\n"
    "  --version            show the version and exit\n"
    "\n"
    "A manifest line reads NAME SOURCE PATTERN_W PATTERN_H [SKIP_W SKIP_H [KEY [mirror]]];\n"
    "KEY is #RRGGBB or opaque; lines starting with ';' are comments. See brinecast-dxg(1).\n";

int Usage(const char* problem) {
  std::fprintf(stderr, "brinecast-dxg: %s\n%sTry 'brinecast-dxg --help' for more information.\n",
               problem, kUsage);
  return 2;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) return Usage("no command given");
  const std::string command = argv[1];
  const int operands = argc - 2;
  if (command == "--help" || command == "--version") {
    if (operands != 0) return Usage((command + " takes no operands").c_str());
    if (command == "--help")
      std::printf("%s\n%s", kUsage, kHelp);
    else
      std::printf("brinecast-dxg %s\n", BRINECAST_VERSION);
    return 0;
  }
  if (command == "list") {
    if (operands != 1) return Usage("list takes one archive");
    return brinecast::ListCommand(argv[2]);
  }
  if (command == "extract") {
    if (operands != 2) return Usage("extract takes an archive and a folder");
    return brinecast::ExtractCommand(argv[2], argv[3]);
  }
  if (command == "pack") {
    if (operands != 2) return Usage("pack takes a manifest and an output file");
    return brinecast::PackCommand(argv[2], argv[3]);
  }
  return Usage(("unknown command \"" + command + "\"").c_str());
}
