#include "GIFLzw.h"

#include <gtest/gtest.h>
