#include <gtest/gtest.h>

#include "shell/shell.h"

TEST(Placeholder, Builds) { SUCCEED(); }
