#include <gtest/gtest.h>

#include <cstdio>
#include <memory>

#include "platform/core/filer/Reader.h"
#include "platform/core/filer/Writer.h"
#include "platform/core/resources/ComponentRes.h"
#include "platform/core/resources/ModuleResources.h"
#include "platform/core/streams/StringStream.h"
#include "platform/core/system/Exceptions.h"
#include "platform/core/system/SystemInfo.h"
#include "tests/core/StreamingClasses.h"
#include "tests/support/TestFiles.h"

using namespace dravik;

namespace {

TComponentPtr<TTestRoot> SmallForm() {
  auto root = MakeComponent<TTestRoot>(nullptr);
  root->SetName("Form1");
  auto* w = Create<TTestWidget>(root.get());
  w->SetName("W");
  w->Caption = "Resource";
  return root;
}

// Throws while its properties are written, to interrupt a write half-way.
class TFailingWidget : public TTestWidget {
 public:
  using TTestWidget::TTestWidget;
  void DefineProperties(TFiler&) override { throw EWriteError("disk full"); }
};

}  // namespace

TEST(ComponentRes, ResourceFilesHoldTheStreamUnderTheClassName) {
  std::string file = GetTempPath() + "dravik_component_res_test.res";
  auto form = SmallForm();
  WriteComponentResFile(file, form.get());
  std::string bytes = ReadFileBytes(file);
  ASSERT_GT(bytes.size(), 20u);
  EXPECT_EQ(bytes.substr(0, 3), std::string("\xFF\x0A\x00", 3));
  EXPECT_EQ(bytes.substr(3, 10), std::string("TTESTROOT\0", 10));
  EXPECT_EQ(bytes.substr(13, 2), std::string("\x30\x10", 2));  // the memory flags
  EXPECT_EQ(bytes.substr(19, 4), "TPF0");

  auto copy = MakeComponent<TTestRoot>(nullptr);
  ReadComponentResFile(file, copy.get());
  EXPECT_EQ(static_cast<TTestWidget*>(copy->FindComponent("W"))->Caption, "Resource");
  TComponentPtr<TComponent> created(ReadComponentResFile(file, nullptr));
  EXPECT_EQ(created->ClassName(), "TTestRoot");

  // A write that fails half-way leaves the previous file as it was.
  auto broken = SmallForm();
  Create<TFailingWidget>(broken.get())->SetName("Broken");
  EXPECT_THROW(WriteComponentResFile(file, broken.get()), EWriteError);
  EXPECT_EQ(ReadFileBytes(file), bytes);
  EXPECT_THROW(WriteComponentResFile("/nonexistent/dir/x.res", form.get()), EStreamError);
  std::remove(file.c_str());
}

TEST(ComponentRes, ModuleResourcesHoldPlainStreamsOrResourceFiles) {
  auto form = SmallForm();
  TStringStream plain, res;
  WriteComponent(plain, form.get());
  WriteComponentRes(res, "TTestRoot", form.get());
  // Registered bytes must live as long as the process, as embedded data does.
  static const std::string plainBytes = plain.DataString(), resBytes = res.DataString();
  RegisterModuleResource("PLAINFORM", plainBytes);
  RegisterModuleResource("RESFORM", resBytes);
  for (const char* name : {"PLAINFORM", "resform"}) {
    auto copy = MakeComponent<TTestRoot>(nullptr);
    ReadComponentResource(name, copy.get());
    EXPECT_EQ(static_cast<TTestWidget*>(copy->FindComponent("W"))->Caption, "Resource") << name;
  }
  auto none = MakeComponent<TTestRoot>(nullptr);
  EXPECT_THROW(ReadComponentResource("MISSING", none.get()), EResNotFound);
}
