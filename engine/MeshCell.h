#pragma once

#include <memory>
#include <vector>

#include "Geometry.h"
#include "Vector3.h"

// One quadrilateral of a sampled surface.  Corner 0 lies at (u, v), corner 1 at
// (u + UStep, v), corner 2 at (u + UStep, v + VStep), corner 3 at (u, v + VStep).
struct TMeshCell {
  TVector3 Corners[4];
  TScreenPoint Screen[4];  // the projected corners, drawn as one polygon
  double Depth = 0;        // distance from the eye to the centre: the sort key
  double Shade = 1.0;      // 0 (edge-on to the light) to 1 (facing it squarely)
  bool Visible = true;     // drawn only when set
  TMeshCell* Next = nullptr;
};

// Cells whose centre lies more than this angle (pi/3, 60 degrees) off the viewing direction
// are not drawn.
inline constexpr double VisibleConeAngle = 1.0471975511965976;

// Sets Depth, Shade and Visible of a cell whose four corners are known.  Visible is only ever
// cleared: a cell already marked invisible (say, for an evaluation error at a corner) stays so.
void UpdateCell(TMeshCell& cell, const TVector3& eye, const TVector3& light,
                const TVector3& viewDir);

// Reorders the list starting at head, farthest (largest Depth) first, and returns the new
// head.  Cells of equal depth keep their order; a NaN depth sorts as nearer than its pivot.
// The recursion depth stays logarithmic in the length of the list, whatever its order.
TMeshCell* SortCellsByDepth(TMeshCell* head);

// The cells of one frame, linked in the order they were made.  They live in blocks that stay
// in place as the list grows (the links point into them) and are kept for the next frame
// when the list is freed, so a renderer drawing frame after frame allocates only once.
class TCellList {
public:
  // A new cell (zero corners, Shade 1, Visible) linked behind the last one.
  TMeshCell& NewCell();
  // Unlinks and releases the last cell made; the list must still be in the order the cells
  // were made (not yet sorted).
  void DropLast();
  TMeshCell* Head() const { return head_; }
  void SortByDepth() { head_ = SortCellsByDepth(head_); }
  size_t Size() const { return size_; }

private:
  friend void FreeCells(TCellList& list);
  static constexpr size_t BlockSize = 4096;
  TMeshCell& At(size_t index) { return blocks_[index / BlockSize][index % BlockSize]; }

  std::vector<std::unique_ptr<TMeshCell[]>> blocks_;
  size_t size_ = 0;
  TMeshCell* head_ = nullptr;
};

// Releases every cell of the list.
void FreeCells(TCellList& list);
