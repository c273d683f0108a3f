#include <ostream>

#include "GraphFile.h"
#include "TwkCommands.h"

namespace {
const char* KindText(TGraphKind kind) {
  return kind == gkCurve2D ? "curve" : kind == gkSurface3D ? "surface" : "?";
}
const char* SystemText(TCoordSystem system) {
  switch (system) {
    case csCylindrical: return "cylindrical";
    case csSpherical: return "spherical";
    default: return "cartesian";
  }
}
}  // namespace

int TwkList(std::span<const std::string> args, std::ostream& out, std::ostream& err) {
  if (args.size() != 1) {
    err << "usage: twk list FILE\n";
    return 2;
  }
  try {
    const TGraphSet set = LoadGraphFile(args[0]);
    for (int i = 0; i < set.Count(); ++i) {
      const TGraphDoc& doc = set.Doc(i);
      out << i + 1 << "  " << doc.Text(gtName) << "  " << KindText(doc.Kind) << "  "
          << SystemText(doc.CoordSystem) << "  " << doc.Text(gtFunc1) << " | "
          << doc.Text(gtFunc2) << " | " << doc.Text(gtFunc3) << "\n";
    }
    return 0;
  } catch (const EFileError& e) {
    err << "twk list: " << e.what() << "\n";
    return 1;
  }
}
