#pragma once

// The commands of the `pak` tool, as functions of their arguments and output streams so that
// tests can call them.  Each returns the process exit status: 0 success, 1 failure of the
// archive, 2 wrong usage.

#include <ostream>
#include <string>
#include <vector>

// pak create OUT.pak [--level none|fastest|default|max] [--save-paths] [--recurse] FILES...
// Packs FILES (folders only with --recurse) into OUT.pak, which must not exist yet.  Prints
// every member left out and the outcome; status 1 when the archive was not written or a
// member was left out.
int PakCreate(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

// pak list FILE.pak: one line per member: name, folder, size, stored size, method, level,
// CRC, offset.
int PakList(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

// pak verify FILE.pak: checks the archive's CRC and directory as the editor does, then that
// every data block lies in the member area and that every member inflates to its size and
// CRC.  Prints "OK: N members" or the first fault, with status 1.
int PakVerify(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);
