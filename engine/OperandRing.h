#pragma once

// The evaluation stack of a formula: a ring of ten extended values that is never cleared.
// Pushing an eleventh operand overwrites the oldest one instead of failing, so formulas that
// keep more than ten operands pending at once evaluate with those operands replaced; stored
// graph sets depend on that result, so the ring keeps it.
class TOperandRing {
public:
  static constexpr int Size = 10;

  void Push(long double value) {
    Entries[Top] = value;
    Top = Top + 1 == Size ? 0 : Top + 1;
  }
  long double Pop() {
    Top = Top == 0 ? Size - 1 : Top - 1;
    return Entries[Top];
  }
  long double Peek() const { return Entries[Top == 0 ? Size - 1 : Top - 1]; }

  long double Entries[Size] = {};
  int Top = 0;  // index of the next free slot
};
