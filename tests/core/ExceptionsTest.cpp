#include <gtest/gtest.h>

#include "platform/core/system/Exceptions.h"

using namespace dravik;

TEST(Exceptions, ClassNamesFollowTheHierarchy) {
  try {
    throw EReadError("Stream read error");
  } catch (const EFilerError& e) {
    EXPECT_STREQ(e.ClassName(), "EReadError");
    EXPECT_EQ(e.Message(), "Stream read error");
  }
  EXPECT_THROW(Abort(), EAbort);
}
