#include <gtest/gtest.h>
#include "engine/engine.h"
using namespace heliomark;
TEST(Primitives, Placeholder) { EXPECT_EQ(FloorMod(-10, 360), 350); }
