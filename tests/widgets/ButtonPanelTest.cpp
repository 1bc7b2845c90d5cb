// The button panel: its layout arithmetic, its relayout on changes, its clicks.

#include <QApplication>
#include <QBuffer>
#include <QImage>
#include <QPushButton>
#include <QTest>

#include "platform/core/filer/Reader.h"
#include "platform/core/streams/StringStream.h"
#include "platform/core/system/Designing.h"
#include "tests/ui/UiFixture.h"
#include "widgets/ButtonPanel.h"

using namespace dravik;

namespace {

struct TPlace {
  int32_t Left, Top, Width, Height;
  bool operator==(const TPlace&) const = default;
};

TPlace PlaceOf(const TButtonItem* item) {
  const TButton* b = item->Button();
  return {b->Left(), b->Top(), b->Width(), b->Height()};
}

class ButtonPanel : public UiTest {
 protected:
  void SetUp() override {
    UiTest::SetUp();
    form = MakeComponent<TForm>(nullptr);
    panel = Create<TButtonPanel>(form.get());
    panel->SetAlign(alNone);
  }
  TButtonItem* AddButton(TBitBtnKind kind) {
    TButtonItem* item = panel->Add();
    item->SetKind(kind);
    return item;
  }
  TComponentPtr<TForm> form;
  TButtonPanel* panel = nullptr;
};

}  // namespace

TEST_F(ButtonPanel, StartsEmptyWithItsDefaults) {
  EXPECT_EQ(panel->Buttons()->Count(), 0);
  EXPECT_EQ(panel->Width(), 136);
  EXPECT_EQ(panel->Height(), 40);
  EXPECT_EQ(panel->BevelOuter(), bvNone);
  EXPECT_EQ(MakeComponent<TButtonPanel>(nullptr)->Align(), alBottom);
}

TEST_F(ButtonPanel, TooNarrowForThreeButtonsSharesTheWidthWithoutGaps) {
  panel->SetBounds(0, 0, 300, 40);
  TButtonItem* a = AddButton(bkOK);
  TButtonItem* b = AddButton(bkCancel);
  TButtonItem* c = AddButton(bkHelp);
  // (300 - 3*128) div 4 is negative: no gaps, each button 300 div 3 wide, 32 high, centred.
  EXPECT_EQ(PlaceOf(a), (TPlace{0, 4, 100, 32}));
  EXPECT_EQ(PlaceOf(b), (TPlace{100, 4, 100, 32}));
  EXPECT_EQ(PlaceOf(c), (TPlace{200, 4, 100, 32}));
}

TEST_F(ButtonPanel, TwoButtonsInAWidePanelAreCentredWithTheirDistance) {
  panel->SetBounds(0, 0, 400, 40);
  TButtonItem* a = AddButton(bkYes);
  TButtonItem* b = AddButton(bkNo);
  EXPECT_EQ(PlaceOf(a), (TPlace{68, 4, 128, 32}));
  EXPECT_EQ(PlaceOf(b), (TPlace{204, 4, 128, 32}));
  panel->SetButtonAlignment(taLeftJustify);
  EXPECT_EQ(PlaceOf(a).Left, 8);
  panel->SetButtonAlignment(taRightJustify);
  EXPECT_EQ(PlaceOf(a).Left, 400 - 2 * 136);
  EXPECT_EQ(PlaceOf(b).Left, 400 - 136);
}

TEST_F(ButtonPanel, ANarrowGapShrinksTheDistanceBeforeTheButtons) {
  panel->SetBounds(0, 0, 270, 40);  // needs 8 + 2*136 = 280
  TButtonItem* a = AddButton(bkYes);
  TButtonItem* b = AddButton(bkNo);
  // dist = (270 - 256) div 3 = 4; centred start (4 + 270 - 2*132) div 2 = 5.
  EXPECT_EQ(PlaceOf(a), (TPlace{5, 4, 128, 32}));
  EXPECT_EQ(PlaceOf(b), (TPlace{137, 4, 128, 32}));
}

TEST_F(ButtonPanel, ATallPanelStacksItsButtons) {
  panel->SetBounds(0, 0, 100, 200);
  TButtonItem* a = AddButton(bkOK);
  TButtonItem* b = AddButton(bkCancel);
  // Main axis the height with size ButtonDimY; across, 128 is cut to the panel's 100.
  EXPECT_EQ(PlaceOf(a), (TPlace{0, 64, 100, 32}));
  EXPECT_EQ(PlaceOf(b), (TPlace{0, 104, 100, 32}));
}

TEST_F(ButtonPanel, HidingAnItemLaysOutTheOthersAtOnce) {
  panel->SetBounds(0, 0, 400, 40);
  TButtonItem* a = AddButton(bkYes);
  TButtonItem* b = AddButton(bkNo);
  TButtonItem* c = AddButton(bkCancel);
  b->SetVisible(false);
  EXPECT_FALSE(b->Button()->Visible());
  EXPECT_EQ(PlaceOf(a).Left, 68);
  EXPECT_EQ(PlaceOf(c).Left, 204);
  a->SetVisible(false);
  c->SetVisible(false);
  EXPECT_FALSE(a->Button()->Visible());
  EXPECT_FALSE(c->Button()->Visible());
  c->SetVisible(true);
  EXPECT_TRUE(c->Button()->Visible());
  EXPECT_EQ(PlaceOf(c).Left, (8 + 400 - 136) / 2);
}

TEST_F(ButtonPanel, LayoutWaitsForTheLastBracketAndFollowsResizing) {
  panel->SetBounds(0, 0, 400, 40);
  panel->BeginUpdateButtons();
  panel->BeginUpdateButtons();
  TButtonItem* a = AddButton(bkOK);
  panel->EndUpdateButtons();
  EXPECT_FALSE(a->Button()->Visible());
  panel->EndUpdateButtons();
  EXPECT_TRUE(a->Button()->Visible());
  EXPECT_EQ(PlaceOf(a).Left, (8 + 400 - 136) / 2);
  panel->SetBounds(0, 0, 200, 40);
  EXPECT_EQ(PlaceOf(a).Left, (8 + 200 - 136) / 2);
  // Deleting an item lays out the rest without it.
  TButtonItem* b = AddButton(bkCancel);
  panel->Buttons()->Delete(0);
  EXPECT_EQ(PlaceOf(b).Left, (8 + 200 - 136) / 2);
}

TEST_F(ButtonPanel, KindsGiveCaptionsAndDisplayNamesDropAccelerators) {
  TButtonItem* item = AddButton(bkAll);
  EXPECT_EQ(item->Caption(), "Al&l");
  EXPECT_EQ(item->DisplayName(), "All");
  item->SetCaption("  &Save as ");
  EXPECT_EQ(item->DisplayName(), "Save as");
  EXPECT_EQ(panel->Add()->Caption(), "Untitled");
}

namespace {
struct TClickLog : TObject {
  std::vector<std::string> Lines;
  void ItemClick(TObject* sender) {
    Lines.push_back("item " + static_cast<TComponent*>(sender)->ClassType().Name());
  }
  void Entered(TObject*) { Lines.push_back("enter"); }
  void KeyPressed(TObject*, char& key) { Lines.push_back(std::string("key ") + key); }
  void PanelClick(TObject*, TButtonItem* item) { Lines.push_back("panel " + item->DisplayName()); }
};
}  // namespace

TEST_F(ButtonPanel, AClickDoesTheButtonsWorkThenTellsThePanel) {
  panel->SetParent(form.get());
  panel->SetBounds(0, 0, 400, 40);
  TButtonItem* yes = AddButton(bkYes);
  yes->SetModalResult(mrYes);
  TClickLog log;
  yes->OnClick = TNotifyEvent::Of<&TClickLog::ItemClick>(&log);
  panel->OnButtonClick = TButtonClickNotify::Of<&TClickLog::PanelClick>(&log);
  form->Show();
  static_cast<QPushButton*>(yes->Button()->Widget())->click();
  EXPECT_EQ(form->ModalResult(), mrYes);
  EXPECT_EQ(log.Lines, (std::vector<std::string>{"item TBitBtn", "panel Yes"}));
}

TEST_F(ButtonPanel, APanelStoredWithoutButtonsIsReadBackWithout) {
  // In the designer a new panel starts with OK and Cancel.
  SetDesigningHost(true);
  auto designed = MakeComponent<TButtonPanel>(nullptr);
  auto empty = MakeComponent<TButtonPanel>(nullptr);
  SetDesigningHost(false);
  ASSERT_EQ(designed->Buttons()->Count(), 2);
  EXPECT_EQ(designed->Items(1)->Caption(), "&Cancel");
  empty->Buttons()->Clear();
  TStringStream stream;
  WriteComponent(stream, empty.get());
  EXPECT_NE(stream.DataString().find("ButtonsEmpty"), std::string::npos);
  stream.SetPosition(0);
  ReadComponent(stream, designed.get());
  EXPECT_EQ(designed->Buttons()->Count(), 0);

  // A panel with buttons writes no such marker and keeps them.
  TStringStream full;
  AddButton(bkOK);
  WriteComponent(full, panel);
  EXPECT_EQ(full.DataString().find("ButtonsEmpty"), std::string::npos);
}

// Two glyphs of 16 by 16 side by side, as a BMP file: red on a clear white, then blue.
std::string TwoGlyphs() {
  QImage image(32, 16, QImage::Format_RGB32);
  image.fill(Qt::white);
  for (int x = 4; x < 12; ++x)
    for (int y = 4; y < 12; ++y) {
      image.setPixel(x, y, qRgb(255, 0, 0));
      image.setPixel(x + 16, y, qRgb(0, 0, 255));
    }
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  image.save(&buffer, "BMP");
  return bytes.toStdString();
}

// An item's glyph and its events live on its bitmap button; the glyph is stored as a size and the
// image file, read back byte for byte, and a stored size that disagrees is a read error.
TEST_F(ButtonPanel, AnItemsGlyphAndEventsLiveOnItsButton) {
  panel->SetParent(form.get());
  panel->SetBounds(0, 0, 400, 40);
  TButtonItem* item = AddButton(bkOK);
  const std::string bmp = TwoGlyphs();
  TBitmap glyph;
  glyph.SetImageFile(bmp);
  item->SetGlyph(&glyph);
  item->SetNumGlyphs(2);
  TClickLog log;
  item->OnEnter = TNotifyEvent::Of<&TClickLog::Entered>(&log);
  item->OnKeyPress = TKeyPressEvent::Of<&TClickLog::KeyPressed>(&log);
  form->Show();
  auto* button = static_cast<QPushButton*>(item->Button()->Widget());
  EXPECT_EQ(button->iconSize(), QSize(16, 16));
  const QImage shown = button->icon().pixmap(16, 16).toImage();
  EXPECT_EQ(qAlpha(shown.pixel(0, 15)), 0) << "the bottom left colour is clear";
  EXPECT_EQ(shown.pixel(8, 8), qRgb(255, 0, 0)) << "the first glyph";
  QFocusEvent focusIn(QEvent::FocusIn);  // an offscreen window is never active to take it
  QApplication::sendEvent(button, &focusIn);
  QTest::keyClick(button, Qt::Key_X);
  EXPECT_EQ(log.Lines, (std::vector<std::string>{"enter", "key x"}));

  TStringStream stream;
  WriteComponent(stream, panel);
  const std::string stored = stream.DataString();
  const auto size = static_cast<int32_t>(bmp.size());
  const std::string data = std::string(reinterpret_cast<const char*>(&size), 4) + bmp;
  ASSERT_NE(stored.find(data), std::string::npos);
  auto copy = MakeComponent<TButtonPanel>(nullptr);
  stream.SetPosition(0);
  ReadComponent(stream, copy.get());
  ASSERT_EQ(copy->Buttons()->Count(), 1);
  EXPECT_EQ(copy->Items(0)->Glyph()->ImageFile(), bmp);
  EXPECT_EQ(copy->Items(0)->NumGlyphs(), 2);

  std::string damaged = stored;
  const int32_t wrong = size + 1;
  damaged.replace(damaged.find(data), 4, std::string(reinterpret_cast<const char*>(&wrong), 4));
  TStringStream bad(damaged);
  auto refused = MakeComponent<TButtonPanel>(nullptr);
  EXPECT_THROW(ReadComponent(bad, refused.get()), EReadError);
}
