// The ebank command-line tool: the library's operations from a shell.
#include <cstdio>
#include <cstring>

#include "ebank/ebank.h"

namespace {

void PrintUsage() {
  std::printf(
      "ebank %s - support library of the online-banking module\n"
      "\n"
      "usage: ebank [--version] [--help]\n"
      "\n"
      "commands:\n"
      "  --version   print the library version\n"
      "  --help      print this text\n",
      ebank::LibraryVersion());
}

}  // namespace

int main(int argc, char** argv) {
  if (argc == 2 && std::strcmp(argv[1], "--version") == 0) {
    std::printf("ebank %s\n", ebank::LibraryVersion());
    return 0;
  }
  if (argc == 1 || (argc == 2 && std::strcmp(argv[1], "--help") == 0)) {
    PrintUsage();
    return 0;
  }
  std::fprintf(stderr, "ebank: unknown command '%s'; see 'ebank --help'\n", argv[1]);
  return 2;
}
