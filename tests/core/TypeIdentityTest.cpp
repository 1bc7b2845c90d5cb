// Each named type has one record, and colours, dates and currencies are known by their type.
#include <gtest/gtest.h>

#include <cmath>
#include <memory>

#include "platform/core/classes/Component.h"
#include "platform/core/filer/ObjectText.h"
#include "platform/core/filer/Reader.h"
#include "platform/core/filer/Writer.h"
#include "platform/core/graphics/Color.h"
#include "platform/core/streams/StringStream.h"
#include "platform/core/system/Exceptions.h"
#include "platform/core/typinfo/ClassBuilder.h"

using namespace dravik;

namespace {

class TSwatch : public TComponent {
 public:
  using TComponent::TComponent;
  static const TClassRecord& StaticClass();
  const TClassRecord& ClassType() const override { return StaticClass(); }
  TColor Fill = clBlack;
  TDateTime Stamp;
  double Ratio = 0;
  TCurrency Price;
};

const TClassRecord& TSwatch::StaticClass() {
  static const TClassRecord& record = TClassBuilder<TSwatch, TComponent>("TSwatch", "Swatches")
                                          .Property("Fill", &TSwatch::Fill)
                                          .Property("Stamp", &TSwatch::Stamp)
                                          .Property("Ratio", &TSwatch::Ratio)
                                          .Property("Price", &TSwatch::Price)
                                          .Build();
  return record;
}

// A component whose class is a record built at run time.
class TDescribed : public TComponent {
 public:
  TDescribed(TComponent* owner, const TClassRecord& record) : TComponent(owner), fRecord(record) {}
  const TClassRecord& ClassType() const override { return fRecord; }

 private:
  const TClassRecord& fRecord;
};

std::string TextOf(TComponent* root) {
  TStringStream binary;
  WriteComponent(binary, root);
  TStringStream in(binary.DataString()), text;
  ObjectBinaryToText(in, text);
  return text.DataString();
}

const TTypeInfo* TypeOf(const char* prop) {
  return TSwatch::StaticClass().FindProp(prop)->PropType;
}

}  // namespace

TEST(TypeIdentity, EachNamedTypeHasOneRecord) {
  const TTypeInfo& caption = MakeAliasType(TypeInfo<std::string>(), "TCaption");
  EXPECT_EQ(&MakeAliasType(TypeInfo<std::string>(), "TCaption"), &caption);
  EXPECT_EQ(&MakeAliasType(TypeInfo<std::string>(), "TCAPTION"), &caption) << "names ignore case";
  const TTypeInfo& percent = MakeSubrangeType("TPercent", 0, 100);
  EXPECT_EQ(&MakeSubrangeType("TPercent", 0, 100), &percent);
  try {
    MakeSubrangeType("TPercent", 1, 100);
    ADD_FAILURE() << "a name stands for one type";
  } catch (const EPropertyError& e) {
    EXPECT_EQ(e.Message(), "Type TPercent is already declared otherwise");
  }
  EXPECT_THROW(MakeAliasType(TypeInfo<int32_t>(), "TCaption"), EPropertyError);

  // Types with a C++ type of their own: declaring their name again finds the same record, and
  // a plain integer cannot pass for a colour.
  EXPECT_EQ(TypeOf("Fill"), &TypeInfo<TColor>());
  EXPECT_EQ(TypeOf("Stamp"), &TypeInfo<TDateTime>());
  EXPECT_EQ(&MakeAliasType(TypeInfo<double>(), "TDateTime"), &TypeInfo<TDateTime>());
  EXPECT_THROW(MakeAliasType(TypeInfo<int32_t>(), "TColor"), EPropertyError);
  EXPECT_EQ(&MakeAliasType(TypeInfo<int32_t>(), "Integer"), &TypeInfo<int32_t>());
  EXPECT_EQ(&MakeEnumType("Boolean", {"False", "True"}), &TypeInfo<bool>());
}

TEST(TypeIdentity, ColoursAndDatesStreamByTheirOwnType) {
  auto swatch = MakeComponent<TSwatch>(nullptr);
  swatch->SetName("Swatch1");
  swatch->Fill = clRed;
  swatch->Stamp = {45000.25};
  swatch->Ratio = 0.5;
  std::string text = TextOf(swatch.get());
  EXPECT_NE(text.find("  Fill = clRed\n"), std::string::npos) << text;
  EXPECT_NE(text.find("  Stamp = 45000.25d\n"), std::string::npos) << text;
  EXPECT_NE(text.find("  Ratio = 0.5\n"), std::string::npos) << text;

  TStringStream binary;
  WriteComponent(binary, swatch.get());
  binary.SetPosition(0);
  auto copy = MakeComponent<TSwatch>(nullptr);
  ReadComponent(binary, copy.get());
  EXPECT_EQ(copy->Fill, clRed);
  EXPECT_EQ(copy->Stamp, swatch->Stamp);

  swatch->Fill = TColor(0x123456);  // no identifier: the number
  EXPECT_NE(TextOf(swatch.get()).find("  Fill = 1193046\n"), std::string::npos);
  EXPECT_EQ(ColorToString(clBtnFace), "clBtnFace");
  EXPECT_EQ(StringToColor("$00123456"), TColor(0x123456));
}

TEST(TypeIdentity, CurrencyHasOneRangeEverywhere) {
  auto swatch = MakeComponent<TSwatch>(nullptr);
  const TPropInfo& price = *TSwatch::StaticClass().FindProp("Price");
  SetFloatProp(*swatch, price, -922337203685477.5808L);
  EXPECT_EQ(swatch->Price.Scaled, INT64_MIN);
  SetFloatProp(*swatch, price, 922337203685477.5807L);
  EXPECT_EQ(swatch->Price.Scaled, INT64_MAX);
  EXPECT_THROW(SetFloatProp(*swatch, price, 922337203685477.5808L), EConvertError);
  EXPECT_THROW(SetFloatProp(*swatch, price, NAN), EConvertError);
  EXPECT_EQ(Variant(922337203685477.0).AsCurrency().Scaled, 9223372036854770000);
  EXPECT_THROW(Variant(1e19).AsCurrency(), EVariantError);

  // A currency property that only has a float accessor streams rounded to four decimals, and a
  // value beyond the range is an error rather than a wrapped number.
  TClassRecord described("TLedger", "Described", &TComponent::StaticClass());
  long double amount = 1.23456L;
  TPropInfo prop("Amount", TypeInfo<TCurrency>());
  prop.Float.Get = [&](TObject&) { return amount; };
  prop.Float.Set = [&](TObject&, long double v) { amount = v; };
  described.AddProperty(std::move(prop));
  described.Seal();
  auto ledger = MakeComponent<TDescribed>(nullptr, described);
  EXPECT_NE(TextOf(ledger.get()).find("  Amount = 1.2346c\n"), std::string::npos)
      << TextOf(ledger.get());
  amount = 1e30L;
  try {
    TextOf(ledger.get());
    ADD_FAILURE() << "no error";
  } catch (const EWriteError& e) {
    EXPECT_EQ(e.Message(), "Currency value of Amount out of range");
  }
}
