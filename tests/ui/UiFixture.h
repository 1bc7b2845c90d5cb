#pragma once
// The Qt application for the visual tests: one per test program, offscreen, made before the
// first test and kept to the end.

#include <gtest/gtest.h>

#include "platform/ui/UiApplication.h"
#include "runtime/Dravik.h"

namespace dravik {

TUiApplication& UiApp();

// A TDravik named Dravik on form with the languages English and Deutsch, English active.
TDravik* AddDravik(TComponent* form);
// Gives property of component (or of the collection item at itemPath, "Panels[1]") one value
// per language; the first is the live value.
void Translate(TDravik* dravik, TComponent* component, const std::string& property,
               const std::vector<std::string>& values, const std::string& itemPath = "");

// Reads a form file in the text form into instance, as a form class reads its own.
void ReadFormText(const std::string& text, TComponent* instance);

class UiTest : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;
  std::vector<std::string> Shown;  // messages of the exception display
};

}  // namespace dravik
