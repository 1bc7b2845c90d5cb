#pragma once
// Forms with a TDravik for the runtime tests: a test form with two captioned controls and a
// TDravik named Dravik, languages given as (name, sub-index) pairs, translated properties added
// with one value per language; the process-wide switch state reset around each test, with the
// exception display and the debug trace recorded.

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "platform/core/forms/Application.h"
#include "runtime/Dravik.h"
#include "tests/model/FormFixture.h"

namespace dravik {

struct TLang {
  std::string Name;
  int32_t SubIndex;
};

// Form1 (TTestForm) with Button1 and Label1 (TTestControl) and a TDravik named Dravik.
TComponentPtr<TTestForm> MakeDravikForm(const std::string& buttonCaption = "Hello",
                                        const std::string& labelCaption = "Name");
TDravik* DravikOf(TComponent* form);
void SetLanguages(TDravik* dravik, const std::vector<TLang>& languages);
// An entry for component.property whose slots hold values (slot 0 is the live property).
TInconsistentLangPropertyEntry* Translate(TDravik* dravik, TComponent* component,
                                          const std::string& property,
                                          const std::vector<Variant>& values);
TTestControl* Control(TComponent* form, const std::string& name);

std::string WriteForm(TComponent* form);  // the binary stream
TComponentPtr<TTestForm> ReadForm(const std::string& stream);

class DravikTest : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;
  TApplicationScope App;
  std::vector<std::string> Shown;  // messages of the exception display
  std::vector<std::string> Trace;
};

}  // namespace dravik
