#include "Examples/Brasmire/DriveCurve.h"
#include <gtest/gtest.h>
TEST(DriveCurve, Placeholder) { EXPECT_EQ(brasmire::DriveCurve::Evaluate(0.0), 0.0); }
