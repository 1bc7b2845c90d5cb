#include "widgets/MRUComboBox.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QFile>
#include <QIcon>
#include <QKeyEvent>
#include <QLineEdit>
#include <QToolButton>

#include "library/ComponentTools.h"
#include "platform/core/classes/ScopeExit.h"
#include "platform/core/classes/UpdateScope.h"
#include "platform/core/resources/ModuleResources.h"
#include "platform/core/system/SysUtils.h"
#include "platform/core/typinfo/ClassBuilder.h"
#include "platform/ui/Graphics.h"

namespace dravik {

// The field and its button inside one widget, laid out whenever it is resized.
class TMRUWidget : public QWidget {
 public:
  TMRUWidget(TCustomMRUComboBox* box, QWidget* parent) : QWidget(parent), fBox(box) {}

 protected:
  void resizeEvent(QResizeEvent* event) override {
    QWidget::resizeEvent(event);
    fBox->LayoutParts();
  }

 private:
  TCustomMRUComboBox* fBox;
};

// Leaving the field and its Enter and Escape keys.
class TMRUEventFilter : public QObject {
 public:
  TMRUEventFilter(TCustomMRUComboBox* box, QObject* parent) : QObject(parent), fBox(box) {}

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() == QEvent::FocusOut) fBox->Commit();
    if (event->type() == QEvent::KeyPress &&
        fBox->KeyPressed(static_cast<QKeyEvent*>(event)->key()))
      return true;
    return QObject::eventFilter(watched, event);
  }

 private:
  TCustomMRUComboBox* fBox;
};

const TClassRecord& TCustomMRUComboBox::StaticClass() {
  using T = TCustomMRUComboBox;
  static const TClassRecord& record =
      TClassBuilder<T, TWinControl>("TCustomMRUComboBox", "MRUComboBox")
          .Property("ButtonCaption", &T::ButtonCaption, &T::SetButtonCaption)
          .Property("ButtonGlyph", &T::ButtonGlyph, &T::SetButtonGlyph)
          .Property("ButtonHint", &T::ButtonHint, &T::SetButtonHint)
          .Property("ButtonNumGlyphs", &T::ButtonNumGlyphs, &T::SetButtonNumGlyphs)
          .Default(1)
          .Property("ButtonTabStop", &T::ButtonTabStop, &T::SetButtonTabStop)
          .Default(false)
          .Property("ButtonVisible", &T::ButtonVisible, &T::SetButtonVisible)
          .Default(true)
          .Property("DefaultHeight", &T::DefaultHeight, &T::SetDefaultHeight)
          .Default(23)
          .Property("DropDownCount", &T::DropDownCount, &T::SetDropDownCount)
          .Default(8)
          .Property("HistoryListCount", &T::HistoryListCount, &T::SetHistoryListCount)
          .Default(10)
          .Property("HistoryList", &T::HistoryList, &T::SetHistoryList)
          .Property("History", &T::History, &T::SetHistory)
          .NotStored()
          .Property("Text", &T::Text, &T::SetText)
          .Event("OnChanged", &T::OnChanged)
          .Event("OnValidate", &T::OnValidate)
          .Build();
  return record;
}

const TClassRecord& TMRUComboBox::StaticClass() {
  static const TClassRecord& record =
      TClassBuilder<TMRUComboBox, TCustomMRUComboBox>("TMRUComboBox", "MRUComboBox").Build();
  return record;
}
static const TClassRegistration kRegistration(TMRUComboBox::StaticClass());

TCustomMRUComboBox::TCustomMRUComboBox(TComponent* owner)
    : TWinControl(owner), fHistory(std::make_unique<TStringList>()) {
  SetBounds(0, 0, 185, fDefaultHeight);
}

QComboBox* TCustomMRUComboBox::ComboWidget() const {
  return Widget() ? Widget()->findChild<QComboBox*>() : nullptr;
}

QToolButton* TCustomMRUComboBox::ButtonWidget() const {
  return Widget() ? Widget()->findChild<QToolButton*>() : nullptr;
}

QWidget* TCustomMRUComboBox::CreateWidget(QWidget* parentWidget) {
  auto* widget = new TMRUWidget(this, parentWidget);
  auto* combo = new QComboBox(widget);
  combo->setEditable(true);
  combo->setInsertPolicy(QComboBox::NoInsert);
  combo->setCompleter(nullptr);  // the field shows what was typed, not a guess
  auto* filter = new TMRUEventFilter(this, combo);
  combo->installEventFilter(filter);
  combo->lineEdit()->installEventFilter(filter);
  QObject::connect(combo->lineEdit(), &QLineEdit::textEdited, [this](const QString& text) {
    auto fromWidget = SetForScope(fFromWidget, true);
    SetCaption(text.toStdString());
  });
  QObject::connect(combo, QOverload<int>::of(&QComboBox::activated), [this, combo](int) {
    {
      auto fromWidget = SetForScope(fFromWidget, true);
      SetCaption(combo->currentText().toStdString());
    }
    Commit();
  });
  auto* button = new QToolButton(widget);
  QObject::connect(button, &QToolButton::clicked, [this] { ButtonClick(); });
  return widget;
}

void TCustomMRUComboBox::InitWidget() {
  TWinControl::InitWidget();
  QToolButton* button = ButtonWidget();
  button->setText(QText(fButtonCaption));
  button->setToolTip(QText(fButtonHint));
  button->setVisible(fButtonVisible);
  button->setFocusPolicy(fButtonTabStop ? Qt::TabFocus : Qt::NoFocus);
  SetButtonGlyph(fButtonGlyph);
  ListToWidget();
  LayoutParts();
}

void TCustomMRUComboBox::LayoutParts() {
  QWidget* widget = Widget();
  if (!widget) return;
  const int height = widget->height();
  const int button = fButtonVisible ? height : 0;  // square, as wide as the field is high
  ComboWidget()->setGeometry(0, 0, std::max(0, widget->width() - button), height);
  ButtonWidget()->setGeometry(widget->width() - button, 0, button, height);
}

void TCustomMRUComboBox::SetBounds(int32_t left, int32_t top, int32_t width, int32_t height) {
  TWinControl::SetBounds(left, top, width, height);
  LayoutParts();
}

void TCustomMRUComboBox::ListToWidget() {
  QComboBox* combo = ComboWidget();
  if (!combo) return;
  const QSignalBlocker blocker(combo);
  combo->clear();
  for (int i = 0; i < fHistory->Count(); ++i) combo->addItem(QText(fHistory->Strings(i)));
  combo->setMaxVisibleItems(fDropDownCount);
  combo->setCurrentIndex(fHistory->Count() > 0 && fHistory->Strings(0) == Text() ? 0 : -1);
  combo->setEditText(QText(Text()));
}

void TCustomMRUComboBox::TextChanged() {
  if (fFromWidget) return;
  if (QComboBox* combo = ComboWidget()) combo->setEditText(QText(Text()));
  Commit();
}

bool TCustomMRUComboBox::HasFocus() const {
  const QWidget* widget = Widget();
  const QWidget* focus = QApplication::focusWidget();
  return widget && focus && (focus == widget || widget->isAncestorOf(focus));
}

void TCustomMRUComboBox::Commit() {
  if (IsLoading() || fReentry > 0) return;
  ++fReentry;
  TScopeExit leave([this] { --fReentry; });

  std::string text = Trim(Text());
  if (text == fLastCommitted) {
    SetCaption(text);
    return;
  }
  bool valid = IsDesigning() || !text.empty();
  OnValidate(this, text, valid);
  QComboBox* combo = ComboWidget();
  if (!valid) {
    if (!HasFocus()) {
      SetCaption(fLastCommitted);
    } else {
      SetCaption(text);
      if (combo) combo->lineEdit()->end(false);
    }
    return;
  }
  const std::string previous = fLastCommitted;
  fLastCommitted = text;
  int found = -1;
  for (int i = 0; i < fHistory->Count() && found < 0; ++i)
    if (SameText(fHistory->Strings(i), text)) found = i;
  {
    TUpdateScope update(*fHistory);
    if (found >= 0) fHistory->Delete(found);
    fHistory->Insert(0, text);
    if (found < 0) TrimList();
  }
  SetCaption(text);
  ListToWidget();
  if (combo && HasFocus()) combo->lineEdit()->selectAll();
  if (!SameText(text, previous)) {
    fHistoryChanged = true;
    OnChanged(this);
  }
}

void TCustomMRUComboBox::TrimList() {
  while (fHistory->Count() > HistoryListCount()) fHistory->Delete(fHistory->Count() - 1);
}

bool TCustomMRUComboBox::KeyPressed(int key) {
  QComboBox* combo = ComboWidget();
  const bool open = combo && combo->view()->isVisible();
  if (key == Qt::Key_Return || key == Qt::Key_Enter) {
    if (open) combo->hidePopup();
    Commit();
    return true;
  }
  if (key == Qt::Key_Escape) {
    SetCaption(fLastCommitted);
    if (combo) combo->lineEdit()->selectAll();
    return !open;  // an open list still closes
  }
  return false;
}

std::string TCustomMRUComboBox::History() const {
  std::string text;
  for (int i = 0; i < fHistory->Count(); ++i) text += fHistory->Strings(i) + ";";
  return text;
}

void TCustomMRUComboBox::SetHistory(const std::string& value) {
  {
    TUpdateScope update(*fHistory);
    fHistory->Clear();
    for (std::size_t start = 0; start <= value.size();) {
      const std::size_t end = std::min(value.find(';', start), value.size());
      if (end > start) fHistory->Add(value.substr(start, end - start));
      start = end + 1;
    }
    TrimList();
  }
  // The first entry becomes the text and is committed.
  fLastCommitted.clear();
  {
    ++fReentry;
    TScopeExit leave([this] { --fReentry; });
    SetCaption(fHistory->Count() > 0 ? fHistory->Strings(0) : "");
  }
  ListToWidget();
  Commit();
}

void TCustomMRUComboBox::SetHistoryList(TStrings* value) {
  fHistory->Assign(value);
  TrimList();
  ListToWidget();
}

void TCustomMRUComboBox::SetHistoryListCount(int32_t value) {
  fHistoryListCount = value;
  TrimList();
  ListToWidget();
}

void TCustomMRUComboBox::SetDropDownCount(int32_t value) {
  fDropDownCount = value;
  ListToWidget();
}

void TCustomMRUComboBox::SetButtonCaption(const std::string& value) {
  fButtonCaption = value;
  if (QToolButton* button = ButtonWidget()) button->setText(QText(value));
}

void TCustomMRUComboBox::SetButtonGlyph(const std::string& value) {
  fButtonGlyph = value;
  QToolButton* button = ButtonWidget();
  if (!button) return;
  QPixmap picture;
  if (auto data = FindModuleResource(value)) {
    picture.loadFromData(reinterpret_cast<const uchar*>(data->data()),
                         static_cast<uint>(data->size()));
  } else if (!value.empty()) {
    picture.load(QText(value));
  }
  button->setIcon(QIcon(picture));
}

void TCustomMRUComboBox::SetButtonHint(const std::string& value) {
  fButtonHint = value;
  if (QToolButton* button = ButtonWidget()) button->setToolTip(QText(value));
}

void TCustomMRUComboBox::SetButtonTabStop(bool value) {
  if (!IsDesigning() && !IsLoading())
    Error(ClassName() + ".ButtonTabStop can only be changed at designing time");
  fButtonTabStop = value;
}

void TCustomMRUComboBox::SetButtonVisible(bool value) {
  fButtonVisible = value;
  if (QToolButton* button = ButtonWidget()) button->setVisible(value);
  LayoutParts();
}

void TCustomMRUComboBox::SetDefaultHeight(int32_t value) {
  fDefaultHeight = value;
  SetHeight(value);
}

void TCustomMRUComboBox::Loaded() {
  TWinControl::Loaded();
  Commit();  // the text read is the one committed
}

}  // namespace dravik
