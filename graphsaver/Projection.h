#pragma once

#include "View.h"

// The angular projection of the view's camera for one image width, its axes normalised once
// per frame (internal to the view).
struct TProjection {
  TVector3 eye, right, forward, up;
  TVector3 viewDirection;  // the camera's forward vector as it stands, for UpdateCell
  long double scale;  // pixels per radian
  int centreX, centreY;
};

TProjection MakeProjection(const TView& view, int width);
TScreenPoint Project(const TProjection& projection, const TVector3& point);
