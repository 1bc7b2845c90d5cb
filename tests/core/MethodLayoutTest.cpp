#include <gtest/gtest.h>

#include "platform/core/filer/ObjectText.h"
#include "platform/core/filer/Reader.h"
#include "platform/core/filer/Writer.h"
#include "platform/core/streams/StringStream.h"
#include "tests/core/StreamingClasses.h"

using namespace dravik;

namespace {

// A second base class before the framework's: TObject does not sit at the start of the object.
struct TSecondBase {
  virtual ~TSecondBase() = default;
  int64_t Mark = 7;
};

class TMixedRoot : public TSecondBase, public TDataModule {
 public:
  using TDataModule::TDataModule;
  static const TClassRecord& StaticClass() {
    static const TClassRecord& record =
        TClassBuilder<TMixedRoot, TDataModule>("TMixedRoot", "Mixed")
            .Method<&TMixedRoot::WidgetClick>("WidgetClick")
            .Build();
    return record;
  }
  const TClassRecord& ClassType() const override { return StaticClass(); }
  void WidgetClick(TObject* sender) {
    ++Clicks;
    Sender = sender;
  }
  int Clicks = 0;
  TObject* Sender = nullptr;
};

}  // namespace

TEST(MethodLayout, HandlerOfAClassWithASecondBaseStreamsAndFires) {
  auto root = MakeComponent<TMixedRoot>(nullptr);
  root->SetName("Mixed");
  auto* w = Create<TTestWidget>(root.get());
  w->SetName("W");
  w->OnClick = TNotifyEvent::Of<&TMixedRoot::WidgetClick>(root.get());
  w->OnClick(w);
  EXPECT_EQ(root->Clicks, 1);
  EXPECT_EQ(root->Mark, 7);

  TStringStream stream;
  WriteComponent(stream, root.get());
  TStringStream in(stream.DataString()), text;
  ObjectBinaryToText(in, text);
  EXPECT_NE(text.DataString().find("OnClick = WidgetClick"), std::string::npos);

  auto copy = MakeComponent<TMixedRoot>(nullptr);
  TStringStream back(stream.DataString());
  ReadComponent(back, copy.get());
  auto* cw = dynamic_cast<TTestWidget*>(copy->FindComponent("W"));
  ASSERT_NE(cw, nullptr);
  cw->OnClick(cw);
  EXPECT_EQ(copy->Clicks, 1);
  EXPECT_EQ(copy->Sender, cw);
  EXPECT_EQ(copy->Mark, 7);
}
