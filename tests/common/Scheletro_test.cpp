#include <gtest/gtest.h>
#include "TestSupport.h"
TEST(Scheletro, FileMancanteDaVuoto) { EXPECT_TRUE(test::leggiFile("/nonexistent/x").isEmpty()); }
