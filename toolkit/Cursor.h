#pragma once

// The hourglass for the length of a long command: while an object of this class lives, every
// window of the toolkit shows the hourglass cursor.  Objects may nest; the last one to go
// brings the normal cursors back.
class THourglass {
public:
  THourglass();
  ~THourglass();
  THourglass(const THourglass&) = delete;
  THourglass& operator=(const THourglass&) = delete;
};

// Whether an hourglass is showing.
bool ToolkitCursorOverridden();
