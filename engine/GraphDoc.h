#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "Expression.h"
#include "Vector3.h"

// How a graph is drawn.  Stored as a signed 32-bit value; a file may hold any value, which is
// kept and written back.
enum TGraphKind : int32_t { gkCurve2D = 2, gkSurface3D = 3 };

// How the three function values become a point (see ToCartesian).  Any other value is
// Cartesian.
enum TCoordSystem : int32_t { csCartesian = 0, csCylindrical = 1, csSpherical = 2 };

// A Windows colour value, 0x00BBGGRR.
using TColor = uint32_t;

// The 31 texts of a graph document, in the order in which a graph set file stores them.
enum TGraphText : int {
  gtName, gtNote, gtFunc1, gtFunc2, gtFunc3,
  gtUMin, gtUMax, gtUDiv, gtVMin, gtVMax, gtVDiv, gtTMin, gtTMax,
  gtXMin, gtXMax, gtXGrid, gtYMin, gtYMax, gtYGrid,
  gtEyeX, gtEyeY, gtEyeZ, gtViewDirX, gtViewDirY, gtViewDirZ,
  gtViewUpX, gtViewUpY, gtViewUpZ, gtLightX, gtLightY, gtLightZ,
};
inline constexpr int GraphTextCount = 31;

// The buffer size of a text: it holds at most GraphTextCapacity(text) − 1 characters.
int GraphTextCapacity(TGraphText text);
// The field name of a text: "Name", "Note", "Func1Text", ..., "LightZText".
const char* GraphTextName(TGraphText text);

// One graph: formula texts, their compiled functions, the working values at the current t,
// options and colours.  Every number is kept as the text the user typed and as its value at
// the last EvaluateAt.  A new document holds the defaults of a new graph: an explicit surface
// z = f(x, y) with Func3Text still empty.
class TGraphDoc {
public:
  TGraphDoc();

  // The text; an embedded zero byte read from a file is kept as it stands.
  const std::string& Text(TGraphText text) const { return texts_[text]; }
  // Replaces a text.  Returns false, changing nothing, when it does not fit its buffer.
  bool SetText(TGraphText text, std::string_view value);

  // Refreshes the working values from the texts at parameter t: the u and v ranges and
  // steps, the t range (always at t = 0), the 2-D window and the camera and light vectors.
  // A text that does not compile or fails to evaluate contributes 0.  Throws EFloatError
  // when a step division fails, as for a count text that evaluates to 0.
  void EvaluateAt(double t);

  // True when the camera position or the 2-D window moves with t, so the camera has to be
  // set up again for every frame.
  bool ViewDependsOnT() const;

  // Compiled forms of the function texts; the renderers compile them.
  TExpression Func1, Func2, Func3;

  // Working values.  TMin and TMax are also stored in the file.
  long double UMin = 0, UMax = 0, UStep = 0;
  long double VMin = 0, VMax = 0, VStep = 0;
  long double TMin = 0, TMax = 0;
  long double XMin = 0, XMax = 0, XGrid = 0, YMin = 0, YMax = 0, YGrid = 0;
  TVector3 Eye, ViewDir, ViewUp, Light;

  TGraphKind Kind = gkSurface3D;
  TCoordSystem CoordSystem = csCartesian;
  int32_t FrameCount = 64;       // frames of one animation cycle
  int32_t FramesPerSecond = 20;
  TColor BackColor = 0x000000;

  // Options are bytes as the file stores them: 0 is off, any other value on (and kept).
  uint8_t ShowCurve = 1, ShowDerivative = 1, ShowAxes = 1, ShowGrid = 1, EqualScale = 1;
  TColor CurveColor = 0xFF0000, DerivativeColor = 0x00FF00, AxesColor = 0x800080,
         GridColor = 0x808080;
  uint8_t AutoCamera = 1, FillCells = 1, Shaded = 1, ShowMesh = 1;
  TColor FillColor1 = 0x800000, FillColor2 = 0xFF0000, MeshColor = 0x808080;

private:
  std::array<std::string, GraphTextCount> texts_;
};
