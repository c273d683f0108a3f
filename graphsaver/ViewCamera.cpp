#include <cmath>

#include "Projection.h"

namespace {
constexpr long double Pi = 3.14159265358979323846264338327950288L;
}

TProjection MakeProjection(const TView& view, int width) {
  // An angle of pi/12 (15 degrees) off the line of sight lands half the width from the
  // centre: the field of view is 30 degrees across the image, the same scale vertically.
  return {view.CameraEye,
          Normalize(Cross(view.CameraUp, view.CameraForward)),
          Normalize(view.CameraForward),
          Normalize(view.CameraUp),
          view.CameraForward,
          12 * (width / 2) / Pi,
          view.CentreX,
          view.CentreY};
}

TScreenPoint Project(const TProjection& p, const TVector3& point) {
  const TVector3 d = Sub(point, p.eye);
  const long double a = Dot(d, p.right), depth = Dot(d, p.forward), b = Dot(d, p.up);
  if (depth == 0) return ToScreenPoint(p.centreX, p.centreY);
  // Points behind the eye are not clipped.
  return ToScreenPoint(p.centreX - std::atan(a / depth) * p.scale,
                       p.centreY - std::atan(b / depth) * p.scale);
}

void TView::SetupCamera() {
  if (graph_->Kind == gkCurve2D) {
    WindowXMin = graph_->XMin;
    WindowXMax = graph_->XMax;
    WindowYMin = graph_->YMin;
    WindowYMax = graph_->YMax;
    return;
  }
  if (!graph_->AutoCamera) {
    CameraEye = graph_->Eye;
    CameraForward = graph_->ViewDir;
    CameraUp = graph_->ViewUp;
    return;
  }
  // Look from the eye at the origin with the world's +z axis up.
  CameraEye = graph_->Eye;
  if (Length(CameraEye) == 0) {
    CameraForward = {1, 0, 0};
    CameraUp = {0, 0, 1};
    return;
  }
  CameraForward = Normalize(Scale(-1, CameraEye));
  const TVector3 side = Cross({0, 0, 1}, CameraForward);
  CameraUp = Length(side) == 0 ? TVector3{0, 1, 0} : Normalize(Cross(CameraForward, side));
}

TScreenPoint TView::ProjectPoint(const TVector3& point, int width) const {
  return Project(MakeProjection(*this, width), point);
}
