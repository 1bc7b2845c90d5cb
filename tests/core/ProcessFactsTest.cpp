#include <gtest/gtest.h>

#include <set>

#include "platform/core/forms/Application.h"
#include "platform/core/system/Debug.h"
#include "platform/core/system/Exceptions.h"
#include "platform/core/system/Guid.h"
#include "platform/core/system/SystemInfo.h"

using namespace dravik;

TEST(Application, HandleExceptionShowsAllButTheSilentAbort) {
  TApplicationScope application;
  std::vector<std::pair<TObject*, std::string>> shown;
  Application->SetExceptionDisplay([&](TObject* sender, const Exception& e) {
    shown.push_back({sender, e.Message()});
  });
  TObject sender;
  try {
    throw EReadError("Stream read error");
  } catch (...) {
    Application->HandleException(&sender);
  }
  try {
    Abort();
  } catch (...) {
    Application->HandleException(&sender);
  }
  try {
    throw std::runtime_error("plain");
  } catch (...) {
    Application->HandleException(nullptr);
  }
  ASSERT_EQ(shown.size(), 2u);
  EXPECT_EQ(shown[0].first, &sender);
  EXPECT_EQ(shown[0].second, "Stream read error");
  EXPECT_EQ(shown[1].second, "plain");

  int handled = 0;
  Application->OnException = [&](TObject*, const Exception&) { ++handled; };
  try {
    throw Exception("to the handler");
  } catch (...) {
    Application->HandleException(nullptr);
  }
  EXPECT_EQ(handled, 1);
  EXPECT_EQ(shown.size(), 2u);
  EXPECT_NE(Application->ExeName().find("test_core"), std::string::npos);
  EXPECT_EQ(Application->Title(), "test_core");
}

// A display that meets another exception while it shows one (a dialog whose own texts fail to
// load), or that fails itself, ends on the console instead of showing itself again.
TEST(Application, TheDisplayNeverShowsItselfAgain) {
  TApplicationScope application;
  int displayed = 0;
  Application->SetExceptionDisplay([&](TObject*, const Exception& e) {
    ++displayed;
    try {
      throw Exception("inside: " + e.Message());
    } catch (...) {
      Application->HandleException(nullptr);
    }
    if (e.Message() == "broken display") throw EInvalidOperation("cannot show");
  });
  testing::internal::CaptureStderr();
  for (const char* message : {"first", "broken display"}) {
    try {
      throw Exception(message);
    } catch (...) {
      Application->HandleException(nullptr);
    }
  }
  EXPECT_EQ(displayed, 2);
  EXPECT_EQ(testing::internal::GetCapturedStderr(),
            "inside: first.\ninside: broken display.\nbroken display.\ncannot show.\n");
}

TEST(Application, LivesForItsScopeAndIsTheOnlyOne) {
  EXPECT_EQ(Application, nullptr);
  {
    TApplicationScope application;
    EXPECT_EQ(Application, application.Get());
    try {
      TApplicationScope second;
      FAIL();
    } catch (const EComponentError& e) {
      EXPECT_EQ(e.Message(), "The program has an application object already");
    }
    EXPECT_EQ(Application, application.Get());
  }
  EXPECT_EQ(Application, nullptr);
}

TEST(Application, WithoutOneExceptionsAreShownOnTheConsole) {
  ASSERT_EQ(Application, nullptr);
  testing::internal::CaptureStderr();
  try {
    throw EReadError("Stream read error");
  } catch (...) {
    HandleException(nullptr);
  }
  try {
    Abort();
  } catch (...) {
    HandleException(nullptr);
  }
  EXPECT_EQ(testing::internal::GetCapturedStderr(), "Stream read error.\n");
}

TEST(DebugTrace, LinesReachAnAttachedSinkOnly) {
  DebugMsg("nobody listens");
  std::vector<std::string> lines;
  SetDebugSink([&](std::string_view line) { lines.emplace_back(line); });
  DebugMsg("hello");
  DebugVal("count", 3);
  {
    TDebug scope("Load");
    scope.Msg("inside");
  }
  SetDebugSink({});
  DebugMsg("gone again");
  EXPECT_EQ(lines,
            (std::vector<std::string>{"hello", "count = 3", "> Load", "Load: inside", "< Load"}));
}

TEST(Guid, RandomIdentifiersInRegistryForm) {
  std::set<std::string> seen;
  for (int i = 0; i < 100; ++i) {
    std::string text = GUIDToString(CreateGUID());
    ASSERT_EQ(text.size(), 38u);
    EXPECT_EQ(text[0], '{');
    EXPECT_EQ(text[15], '4');  // version 4
    EXPECT_EQ(StringToGUID(text), StringToGUID(text));
    EXPECT_EQ(GUIDToString(StringToGUID(text)), text);
    seen.insert(text);
  }
  EXPECT_EQ(seen.size(), 100u);
  EXPECT_EQ(GUIDToString(StringToGUID("{0123abcd-4567-89AB-cdef-0123456789AB}")),
            "{0123ABCD-4567-89AB-CDEF-0123456789AB}");
  EXPECT_THROW(StringToGUID("{0123ABCD-4567-89AB-CDEF-0123456789A}"), EConvertError);
  EXPECT_THROW(StringToGUID("(0123ABCD-4567-89AB-CDEF-0123456789AB)"), EConvertError);
  EXPECT_THROW(StringToGUID("{0123ABCD-4567-89AB-CDEF-0123456789AG}"), EConvertError);
}

TEST(SystemInfo, NamesAndTheTemporaryFolder) {
  EXPECT_FALSE(GetComputerName().empty());
  EXPECT_FALSE(GetUserName().empty());
  setenv("TMPDIR", "/var/tmp", 1);
  EXPECT_EQ(GetTempPath(), "/var/tmp/");
  unsetenv("TMPDIR");
  EXPECT_EQ(GetTempPath(), "/tmp/");
}
