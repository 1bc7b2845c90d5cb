#pragma once
// The Qt application for the visual tests: one per test program, offscreen, made before the
// first test and kept to the end.

#include <gtest/gtest.h>

#include "platform/ui/UiApplication.h"

namespace dravik {

TUiApplication& UiApp();

class UiTest : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;
  std::vector<std::string> Shown;  // messages of the exception display
};

}  // namespace dravik
