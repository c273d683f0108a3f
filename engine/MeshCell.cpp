#include "MeshCell.h"

#include <cmath>
#include <utility>

void UpdateCell(TMeshCell& cell, const TVector3& eye, const TVector3& light,
                const TVector3& viewDir) {
  const TVector3 centre = Centre(cell.Corners[0], cell.Corners[1], cell.Corners[2], cell.Corners[3]);
  cell.Depth = static_cast<double>(Length(Sub(centre, eye)));
  const TVector3 toCell = Sub(centre, light);
  const TVector3 normal = Cross(Sub(centre, cell.Corners[1]), Sub(centre, cell.Corners[2]));
  // The sign of the normal does not matter: a cell lit from either side is shaded alike.
  const double d = static_cast<double>(Length(toCell) * Length(normal));
  cell.Shade = d == 0 ? 1.0 : static_cast<double>(std::fabs(Dot(normal, toCell) / d));
  if (cell.Visible) cell.Visible = Angle(Sub(centre, eye), viewDir) < VisibleConeAngle;
}

namespace {

struct TRun {
  TMeshCell* head = nullptr;
  TMeshCell* tail = nullptr;
  size_t size = 0;

  void Append(TMeshCell* cell) {
    (tail ? tail->Next : head) = cell;
    tail = cell;
    cell->Next = nullptr;
    ++size;
  }
  void Append(const TRun& other) {
    if (!other.head) return;
    (tail ? tail->Next : head) = other.head;
    tail = other.tail;
    size += other.size;
  }
  void Prepend(const TRun& other) {
    if (!other.head) return;
    other.tail->Next = head;
    head = other.head;
    if (!tail) tail = other.tail;
    size += other.size;
  }
};

TRun Chain(TMeshCell* head, bool& comparable) {
  TRun run;
  comparable = true;
  for (TMeshCell* cell = head; cell;) {
    TMeshCell* next = cell->Next;
    comparable = comparable && !std::isnan(cell->Depth);
    run.Append(cell);
    cell = next;
  }
  return run;
}

// The pivot quicksort: "sort(above), equal, sort(below)" with the first cell as pivot.  Only
// the smaller side is sorted by a recursive call; the larger one by the loop, between the
// finished front and back parts, so the stack holds at most log2(n) frames.  Its running time
// still grows with the square of the length on an ordered list.
TRun PivotSort(TRun list) {
  TRun front, back;
  while (list.head) {
    TMeshCell* pivot = list.head;
    TMeshCell* rest = pivot->Next;
    TRun above, equal, below;
    equal.Append(pivot);  // the first cell always belongs here, even with a NaN depth
    for (TMeshCell* cell = rest; cell;) {
      TMeshCell* next = cell->Next;
      if (cell->Depth > pivot->Depth) {
        above.Append(cell);
      } else if (cell->Depth == pivot->Depth) {
        equal.Append(cell);
      } else {  // below, and what compares with nothing, such as NaN
        below.Append(cell);
      }
      cell = next;
    }
    if (above.size < below.size) {
      front.Append(PivotSort(above));
      front.Append(equal);
      list = below;
    } else {
      TRun tail = equal;
      tail.Append(PivotSort(below));
      back.Prepend(tail);
      list = above;
    }
  }
  front.Append(back);
  return front;
}

// A bottom-up merge sort, farthest first, ties in list order.  When every depth compares, the
// stable order is the only one the pivot quicksort can produce, and this reaches it in
// n log n steps on any input.
TRun MergeSort(TRun list) {
  for (size_t width = 1; width < list.size; width *= 2) {
    TRun merged;
    TMeshCell* rest = list.head;
    while (rest) {
      // Cut two runs of at most `width` cells off the rest and merge them.
      TMeshCell* left = rest;
      size_t leftCount = 0;
      for (; leftCount < width && rest; ++leftCount) rest = rest->Next;
      TMeshCell* right = rest;
      size_t rightCount = 0;
      for (; rightCount < width && rest; ++rightCount) rest = rest->Next;
      const auto take = [&merged](TMeshCell*& from, size_t& count) {
        TMeshCell* next = from->Next;  // read before Append unlinks the cell
        merged.Append(from);
        from = next;
        --count;
      };
      while (leftCount > 0 && rightCount > 0) {
        if (right->Depth > left->Depth) {
          take(right, rightCount);
        } else {
          take(left, leftCount);
        }
      }
      while (leftCount > 0) take(left, leftCount);
      while (rightCount > 0) take(right, rightCount);
    }
    list = merged;
  }
  return list;
}

}  // namespace

TMeshCell* SortCellsByDepth(TMeshCell* head) {
  bool comparable = true;
  TRun list = Chain(head, comparable);
  return (comparable ? MergeSort(list) : PivotSort(list)).head;
}

TMeshCell& TCellList::NewCell() {
  if (size_ == blocks_.size() * BlockSize) blocks_.push_back(std::make_unique<TMeshCell[]>(BlockSize));
  TMeshCell& cell = At(size_);
  cell = TMeshCell();
  (size_ == 0 ? head_ : At(size_ - 1).Next) = &cell;
  ++size_;
  return cell;
}

void TCellList::DropLast() {
  if (size_ == 0) return;
  --size_;
  (size_ == 0 ? head_ : At(size_ - 1).Next) = nullptr;
}

void FreeCells(TCellList& list) {
  list.size_ = 0;
  list.head_ = nullptr;
}
