// The archive tool's command line: list, extract and pack.
#include <cstdio>
#include <string>

#include "Commands.h"

namespace {

constexpr const char* kUsage =
    "usage: brinecast-dxg list FILE\n"
    "       brinecast-dxg extract FILE DIR\n"
    "       brinecast-dxg pack MANIFEST OUT\n";

int Usage(const char* problem) {
  std::fprintf(stderr, "brinecast-dxg: %s\n%s", problem, kUsage);
  return 2;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) return Usage("no command given");
  const std::string command = argv[1];
  const int operands = argc - 2;
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
