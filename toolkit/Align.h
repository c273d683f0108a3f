#pragma once

// How a control (or a picture inside one) follows the area it lies in: not at all, along one
// edge, or filling all of it.  Portable, for the views that draw without a window too.
enum TAlign { alNone, alTop, alBottom, alLeft, alRight, alClient };
