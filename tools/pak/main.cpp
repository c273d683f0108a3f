// pak: packs, lists and checks slideshow archives from the command line.
#include <iostream>
#include <string>
#include <vector>

#include "PakCommands.h"

namespace {

const char* const Usage =
    "usage: pak COMMAND ...\n"
    "\n"
    "  pak create OUT.pak [--level none|fastest|default|max] [--save-paths] [--recurse] FILES...\n"
    "      Packs FILES into the new archive OUT.pak (it must not exist).  --level chooses the\n"
    "      compression (default: default); --save-paths stores each file's folder without its\n"
    "      drive; --recurse packs the files of folders named in FILES, otherwise folders are\n"
    "      left out.  Members that cannot be read are reported and left out (exit 1).\n"
    "\n"
    "  pak list FILE.pak\n"
    "      Lists the members: name, folder, size, stored size, method (0 zlib, 1 stored),\n"
    "      level, CRC-32 and offset.\n"
    "\n"
    "  pak verify FILE.pak\n"
    "      Checks the archive's CRC and directory, then every member's data.  Prints \"OK\" and\n"
    "      the member count, or the fault and exits 1.\n";

}  // namespace

int main(int argc, char** argv) {
  const std::vector<std::string> args(argv + 1, argv + argc);
  if (args.empty() || args[0] == "--help" || args[0] == "-h" || args[0] == "help") {
    std::cout << Usage;
    return args.empty() ? 2 : 0;
  }
  const std::vector<std::string> rest(args.begin() + 1, args.end());
  if (args[0] == "create") return PakCreate(rest, std::cout, std::cerr);
  if (args[0] == "list") return PakList(rest, std::cout, std::cerr);
  if (args[0] == "verify") return PakVerify(rest, std::cout, std::cerr);
  std::cerr << "pak: unknown command '" << args[0] << "' (pak --help lists the commands)\n";
  return 2;
}
