#include "platform/ui/StdCtrls.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QFontMetrics>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMouseEvent>
#include <QPainter>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTextEdit>

#include "platform/core/typinfo/ClassBuilder.h"
#include "platform/ui/Forms.h"
#include "platform/ui/Graphics.h"

namespace dravik {

namespace {

// The character a key press types for OnKeyPress (13 for Enter); 0 for none.
char TypedCharacter(const QKeyEvent& event) {
  if (event.key() == Qt::Key_Return || event.key() == Qt::Key_Enter) return '\r';
  const QString text = event.text();
  return text.size() == 1 && text[0].unicode() < 128 ? static_cast<char>(text[0].unicode()) : '\0';
}

TCustomForm* FormOf(TControl* control) {
  for (TControl* c = control; c; c = c->Parent())
    if (auto* form = dynamic_cast<TCustomForm*>(c)) return form;
  return nullptr;
}

const TClassRegistration kRegistrations[] = {
    TClassRegistration(TLabel::StaticClass()),    TClassRegistration(TButton::StaticClass()),
    TClassRegistration(TEdit::StaticClass()),     TClassRegistration(TMemo::StaticClass()),
    TClassRegistration(TCheckBox::StaticClass()), TClassRegistration(TRadioButton::StaticClass()),
    TClassRegistration(TGroupBox::StaticClass()), TClassRegistration(TComboBox::StaticClass()),
    TClassRegistration(TListBox::StaticClass()),  TClassRegistration(TPanel::StaticClass()),
};

}  // namespace

Qt::Alignment ToQtAlignment(TAlignment alignment) {
  switch (alignment) {
    case taRightJustify:
      return Qt::AlignRight | Qt::AlignVCenter;
    case taCenter:
      return Qt::AlignHCenter | Qt::AlignVCenter;
    default:
      return Qt::AlignLeft | Qt::AlignVCenter;
  }
}

const TTypeInfo& TypeInfoFor(TAlignment) {
  static const TTypeInfo& info =
      MakeEnumType("TAlignment", {"taLeftJustify", "taRightJustify", "taCenter"});
  return info;
}

const TTypeInfo& TypeInfoFor(TComboBoxStyle) {
  static const TTypeInfo& info =
      MakeEnumType("TComboBoxStyle", {"csDropDown", "csSimple", "csDropDownList"});
  return info;
}

const TTypeInfo& TypeInfoFor(TBevelCut) {
  static const TTypeInfo& info =
      MakeEnumType("TBevelCut", {"bvNone", "bvLowered", "bvRaised", "bvSpace"});
  return info;
}

// --- TLabel ------------------------------------------------------------------------------------

const TClassRecord& TLabel::StaticClass() {
  static const TClassRecord& record =
      TClassBuilder<TLabel, TControl>("TLabel", "StdCtrls")
          .Property("Alignment", &TLabel::Alignment, &TLabel::SetAlignment)
          .Default(taLeftJustify)
          .Property("AutoSize", &TLabel::AutoSize, &TLabel::SetAutoSize)
          .Default(true)
          .Property("Transparent", &TLabel::Transparent, &TLabel::SetTransparent)
          .Default(false)
          .Property("WordWrap", &TLabel::WordWrap, &TLabel::SetWordWrap)
          .Default(false)
          .Build();
  return record;
}

TLabel::TLabel(TComponent* owner) : TControl(owner) {
  SetBounds(0, 0, 65, 13);
}

QWidget* TLabel::CreateWidget(QWidget* parentWidget) {
  auto* label = new QLabel(parentWidget);
  label->setTextFormat(Qt::PlainText);
  return label;
}

void TLabel::InitWidget() {
  TControl::InitWidget();
  LayoutChanged();
}

// A text change sets only the text: the layout stays with the widget.
void TLabel::TextChanged() {
  if (auto* label = static_cast<QLabel*>(Widget())) label->setText(CaptionText().Text);
  AdjustSize();
}

void TLabel::LayoutChanged() {
  if (auto* label = static_cast<QLabel*>(Widget())) {
    // Wrapped text starts at the top; a single line stays centred.
    const Qt::Alignment horizontal = ToQtAlignment(fAlignment) & Qt::AlignHorizontal_Mask;
    label->setAlignment(horizontal | (fWordWrap ? Qt::AlignTop : Qt::AlignVCenter));
    // QLabel lays itself out again on every setWordWrap, even one that changes nothing.
    if (label->wordWrap() != fWordWrap) label->setWordWrap(fWordWrap);
  }
  AdjustSize();
}

void TLabel::FontChanged() {
  TControl::FontChanged();
  AdjustSize();
}

void TLabel::Loaded() {
  TControl::Loaded();
  AdjustSize();
}

void TLabel::AdjustSize() {
  if (!fAutoSize || fWordWrap || IsLoading()) return;
  // Measured once per text and font: a language switch goes back to texts it measured.
  TTextCache::TText& text = CaptionText();
  if (text.Width < 0) {
    const QFontMetrics metrics(ToQFont(*Font()));
    QString shown = text.Text;
    shown.remove(QLatin1Char('&'));
    text.Width = std::max(1, metrics.horizontalAdvance(shown));
    text.Height = metrics.height();
  }
  const int32_t width = text.Width;
  const int32_t height = text.Height;
  // A right-aligned label grows to the left, as the original does.
  const int32_t left = fAlignment == taRightJustify ? Left() + Width() - width : Left();
  SetBounds(left, Top(), width, height);
}

void TLabel::SetAlignment(TAlignment value) {
  fAlignment = value;
  LayoutChanged();
}

void TLabel::SetAutoSize(bool value) {
  fAutoSize = value;
  AdjustSize();
}

void TLabel::SetWordWrap(bool value) {
  fWordWrap = value;
  LayoutChanged();
}

// --- TButton -----------------------------------------------------------------------------------

const TClassRecord& TButton::StaticClass() {
  static const TClassRecord& record =
      TClassBuilder<TButton, TWinControl>("TButton", "StdCtrls")
          .Property("Cancel", &TButton::Cancel, &TButton::SetCancel)
          .Default(false)
          .Property("Default", &TButton::Default, &TButton::SetDefault)
          .Default(false)
          .Property("ModalResult", &TButton::ModalResult, &TButton::SetModalResult)
          .Default(0)
          .Event("OnEnter", &TButton::OnEnter)
          .Event("OnExit", &TButton::OnExit)
          .Event("OnKeyPress", &TButton::OnKeyPress)
          .Build();
  return record;
}

TButton::TButton(TComponent* owner) : TWinControl(owner) {
  SetBounds(0, 0, 75, 25);
}

namespace {

// A push button that tells its control of the focus and of the characters typed on it.
class TButtonWidget : public QPushButton {
 public:
  TButtonWidget(TButton* control, QWidget* parent) : QPushButton(parent), fControl(control) {}

 protected:
  void keyPressEvent(QKeyEvent* event) override {
    if (char typed = TypedCharacter(*event)) {
      fControl->OnKeyPress(fControl, typed);
      if (!typed) return;  // consumed
    }
    QPushButton::keyPressEvent(event);
  }
  void focusInEvent(QFocusEvent* event) override {
    QPushButton::focusInEvent(event);
    fControl->OnEnter(fControl);
  }
  void focusOutEvent(QFocusEvent* event) override {
    QPushButton::focusOutEvent(event);
    fControl->OnExit(fControl);
  }

 private:
  TButton* fControl;
};

}  // namespace

QWidget* TButton::CreateWidget(QWidget* parentWidget) {
  auto* button = new TButtonWidget(this, parentWidget);
  button->setDefault(fDefault);
  QObject::connect(button, &QPushButton::clicked, [this] { Click(); });
  return button;
}

void TButton::TextChanged() {
  if (auto* button = static_cast<QPushButton*>(Widget())) button->setText(CaptionText().Text);
}

void TButton::SetDefault(bool value) {
  fDefault = value;
  if (auto* button = static_cast<QPushButton*>(Widget())) button->setDefault(value);
}

void TButton::Click() {
  TCustomForm* form = FormOf(this);
  if (form && fModalResult != 0) form->SetModalResult(fModalResult);
  TWinControl::Click();
}

// --- TEdit -------------------------------------------------------------------------------------

const TClassRecord& TEdit::StaticClass() {
  static const TClassRecord& record =
      TClassBuilder<TEdit, TWinControl>("TEdit", "StdCtrls")
          .Property("MaxLength", &TEdit::MaxLength, &TEdit::SetMaxLength)
          .Default(0)
          .Property("ReadOnly", &TEdit::ReadOnly, &TEdit::SetReadOnly)
          .Default(false)
          .Property("Text", &TEdit::Text, &TEdit::SetText)
          .Event("OnChange", &TEdit::OnChange)
          .Event("OnExit", &TEdit::OnExit)
          .Event("OnKeyPress", &TEdit::OnKeyPress)
          .Build();
  return record;
}

TEdit::TEdit(TComponent* owner) : TWinControl(owner) {
  SetBounds(0, 0, 121, 21);
  SetColor(clWindow);
}

// The line edit that tells its control of typed keys and of losing the focus.
class TEditWidget : public QLineEdit {
 public:
  TEditWidget(TEdit* control, QWidget* parent) : QLineEdit(parent), fControl(control) {}

 protected:
  void keyPressEvent(QKeyEvent* event) override {
    if (char typed = TypedCharacter(*event)) {
      fControl->OnKeyPress(fControl, typed);
      if (!typed) return;  // consumed: neither the edit nor the form sees it
    }
    QLineEdit::keyPressEvent(event);
  }
  void focusOutEvent(QFocusEvent* event) override {
    QLineEdit::focusOutEvent(event);
    fControl->OnExit(fControl);
  }

 private:
  TEdit* fControl;
};

QWidget* TEdit::CreateWidget(QWidget* parentWidget) {
  auto* edit = new TEditWidget(this, parentWidget);
  edit->setReadOnly(fReadOnly);
  if (fMaxLength > 0) edit->setMaxLength(fMaxLength);
  QObject::connect(edit, &QLineEdit::textEdited, [this](const QString& text) {
    fModified = true;
    fFromWidget = true;
    SetText(text.toStdString());
    fFromWidget = false;
  });
  return edit;
}

void TEdit::TextChanged() {
  auto* edit = static_cast<QLineEdit*>(Widget());
  if (edit && !fFromWidget) edit->setText(QText(Text()));
  OnChange(this);
}

void TEdit::SetReadOnly(bool value) {
  fReadOnly = value;
  if (auto* edit = static_cast<QLineEdit*>(Widget())) edit->setReadOnly(value);
}

void TEdit::SetMaxLength(int32_t value) {
  fMaxLength = value;
  if (auto* edit = static_cast<QLineEdit*>(Widget())) edit->setMaxLength(value > 0 ? value : 32767);
}

// --- TMemo -------------------------------------------------------------------------------------

const TClassRecord& TMemo::StaticClass() {
  static const TClassRecord& record =
      TClassBuilder<TMemo, TWinControl>("TMemo", "StdCtrls")
          .Property("Lines", &TMemo::Lines, &TMemo::SetLines)
          .Property("ReadOnly", &TMemo::ReadOnly, &TMemo::SetReadOnly)
          .Default(false)
          .Property("WordWrap", &TMemo::WordWrap, &TMemo::SetWordWrap)
          .Default(true)
          .Build();
  return record;
}

TMemo::TMemo(TComponent* owner) : TWinControl(owner), fLines(std::make_unique<TStringList>()) {
  fLines->OnChange = TNotifyEvent::Of<&TMemo::LinesChanged>(this);
  SetBounds(0, 0, 185, 89);
  SetColor(clWindow);
}

QWidget* TMemo::CreateWidget(QWidget* parentWidget) {
  auto* memo = new QTextEdit(parentWidget);
  memo->setAcceptRichText(false);
  memo->setReadOnly(fReadOnly);
  memo->setLineWrapMode(fWordWrap ? QTextEdit::WidgetWidth : QTextEdit::NoWrap);
  QObject::connect(memo, &QTextEdit::textChanged, [this, memo] {
    if (fFromWidget || !memo->hasFocus()) return;
    fFromWidget = true;
    fLines->SetText(memo->toPlainText().toStdString());
    fFromWidget = false;
  });
  return memo;
}

void TMemo::LinesChanged(TObject*) {
  auto* memo = static_cast<QTextEdit*>(Widget());
  if (!memo || fFromWidget) return;
  fFromWidget = true;
  std::string text;
  for (int i = 0; i < fLines->Count(); ++i) text += (i ? "\n" : "") + fLines->Strings(i);
  const std::string html = fRichText ? AsHtml(text) : std::string();
  if (!html.empty()) {
    memo->setHtml(QText(html));
  } else {
    memo->setPlainText(QText(text));
  }
  fFromWidget = false;
}

void TMemo::InitWidget() {
  TWinControl::InitWidget();
  LinesChanged(nullptr);
}

std::string TMemo::AsHtml(const std::string& text) const {
  return Qt::mightBeRichText(QText(text)) ? text : std::string();
}

void TMemo::SetReadOnly(bool value) {
  fReadOnly = value;
  if (auto* memo = static_cast<QTextEdit*>(Widget())) memo->setReadOnly(value);
}

void TMemo::SetWordWrap(bool value) {
  fWordWrap = value;
  if (auto* memo = static_cast<QTextEdit*>(Widget()))
    memo->setLineWrapMode(value ? QTextEdit::WidgetWidth : QTextEdit::NoWrap);
}

// --- TCheckBox, TRadioButton -------------------------------------------------------------------

const TClassRecord& TCheckBox::StaticClass() {
  static const TClassRecord& record =
      TClassBuilder<TCheckBox, TWinControl>("TCheckBox", "StdCtrls")
          .Property("Checked", &TCheckBox::Checked, &TCheckBox::SetChecked)
          .Default(false)
          .Build();
  return record;
}

TCheckBox::TCheckBox(TComponent* owner) : TWinControl(owner) {
  SetBounds(0, 0, 97, 17);
}

QWidget* TCheckBox::CreateWidget(QWidget* parentWidget) {
  auto* box = new QCheckBox(parentWidget);
  box->setChecked(fChecked);
  QObject::connect(box, &QCheckBox::clicked, [this](bool checked) {
    fChecked = checked;
    Click();
  });
  return box;
}

void TCheckBox::TextChanged() {
  if (auto* button = static_cast<QAbstractButton*>(Widget())) button->setText(CaptionText().Text);
}

void TCheckBox::SetChecked(bool value) {
  if (value == fChecked) return;
  fChecked = value;
  if (auto* button = static_cast<QAbstractButton*>(Widget())) button->setChecked(value);
  if (!IsLoading()) Click();
}

const TClassRecord& TRadioButton::StaticClass() {
  static const TClassRecord& record =
      TClassBuilder<TRadioButton, TCheckBox>("TRadioButton", "StdCtrls").Build();
  return record;
}

QWidget* TRadioButton::CreateWidget(QWidget* parentWidget) {
  auto* button = new QRadioButton(parentWidget);
  button->setChecked(fChecked);
  QObject::connect(button, &QRadioButton::toggled, [this](bool checked) {
    if (checked == fChecked) return;
    fChecked = checked;
    if (checked) Click();
  });
  return button;
}

// --- TGroupBox ---------------------------------------------------------------------------------

const TClassRecord& TGroupBox::StaticClass() {
  static const TClassRecord& record =
      TClassBuilder<TGroupBox, TWinControl>("TGroupBox", "StdCtrls").Build();
  return record;
}

TGroupBox::TGroupBox(TComponent* owner) : TWinControl(owner) {
  SetBounds(0, 0, 185, 105);
}

QWidget* TGroupBox::CreateWidget(QWidget* parentWidget) {
  return new QGroupBox(parentWidget);
}

void TGroupBox::TextChanged() {
  if (auto* box = static_cast<QGroupBox*>(Widget())) box->setTitle(CaptionText().Text);
}

// --- TCustomListControl, TComboBox, TListBox ---------------------------------------------------

const TClassRecord& TCustomListControl::StaticClass() {
  static const TClassRecord& record =
      TClassBuilder<TCustomListControl, TWinControl>("TCustomListControl", "StdCtrls")
          .Property("Items", &TCustomListControl::Items, &TCustomListControl::SetItems)
          .Property("ItemIndex", &TCustomListControl::ItemIndex, &TCustomListControl::SetItemIndex)
          .Default(-1)
          .Property("Sorted", &TCustomListControl::Sorted, &TCustomListControl::SetSorted)
          .Default(false)
          .Event("OnChange", &TCustomListControl::OnChange)
          .Build();
  return record;
}

TCustomListControl::TCustomListControl(TComponent* owner)
    : TWinControl(owner), fItems(std::make_unique<TStringList>()) {
  fItems->OnChange = TNotifyEvent::Of<&TCustomListControl::ItemsChanged>(this);
  SetColor(clWindow);
}

void TCustomListControl::InitWidget() {
  TWinControl::InitWidget();
  fUpdatingWidget = true;
  ItemsToWidget();
  fUpdatingWidget = false;
}

void TCustomListControl::ItemsChanged(TObject*) {
  if (!Widget()) return;
  fUpdatingWidget = true;
  ItemsToWidget();
  fUpdatingWidget = false;
}

void TCustomListControl::SetItemIndex(int32_t value) {
  if (value < -1 || (!IsLoading() && value >= fItems->Count())) value = -1;
  if (value == fItemIndex) return;
  fItemIndex = value;
  fUpdatingWidget = true;
  if (Widget()) IndexToWidget();
  fUpdatingWidget = false;
}

void TCustomListControl::IndexFromWidget(int32_t index) {
  if (fUpdatingWidget || index == fItemIndex) return;
  fItemIndex = index;
  Change();
  Click();
}

void TCustomListControl::Change() {
  OnChange(this);
}

const TClassRecord& TComboBox::StaticClass() {
  using T = TComboBox;
  static const TClassRecord& record =
      TClassBuilder<T, TCustomListControl>("TComboBox", "StdCtrls")
          .Property("Style", &T::Style, &T::SetStyle)
          .Default(csDropDown)
          .Property("Text", &T::Text, &T::SetText)
          .Property("Ctl3D", &T::fCtl3D)
          .Default(true)
          .Property("DragCursor", &T::fDragCursor)
          .Default(static_cast<int32_t>(crDrag))
          .Property("DragMode", &T::fDragMode)
          .Default(dmManual)
          .Property("DropDownCount", &T::DropDownCount, &T::SetDropDownCount)
          .Default(8)
          .Property("ImeMode", &T::fImeMode)
          .Default(imDontCare)
          .Property("ImeName", &T::fImeName)
          .Property("ItemHeight", &T::fItemHeight)
          .Default(16)
          .Property("MaxLength", &T::MaxLength, &T::SetMaxLength)
          .Default(0)
          .Property("ParentCtl3D", &T::fParentCtl3D)
          .Default(true)
          .Property("TabStop", &T::TabStop, &T::SetTabStop)
          .Default(true)
          .Event("OnDblClick", &T::OnDblClick)
          .Event("OnDragDrop", &T::OnDragDrop)
          .Event("OnDragOver", &T::OnDragOver)
          .Event("OnDrawItem", &T::OnDrawItem)
          .Event("OnDropDown", &T::OnDropDown)
          .Event("OnEndDrag", &T::OnEndDrag)
          .Event("OnEnter", &T::OnEnter)
          .Event("OnExit", &T::OnExit)
          .Event("OnKeyDown", &T::OnKeyDown)
          .Event("OnKeyPress", &T::OnKeyPress)
          .Event("OnKeyUp", &T::OnKeyUp)
          .Event("OnMeasureItem", &T::OnMeasureItem)
          .Event("OnStartDrag", &T::OnStartDrag)
          .Build();
  return record;
}

namespace {

// The virtual key code of a Qt key: letters and digits are their upper-case characters.
uint16_t VirtualKeyOf(int key) {
  if ((key >= Qt::Key_0 && key <= Qt::Key_9) || (key >= Qt::Key_A && key <= Qt::Key_Z))
    return static_cast<uint16_t>(key);
  if (key >= Qt::Key_F1 && key <= Qt::Key_F24) return static_cast<uint16_t>(112 + key - Qt::Key_F1);
  switch (key) {
    case Qt::Key_Backspace:
      return 8;
    case Qt::Key_Tab:
      return 9;
    case Qt::Key_Return:
    case Qt::Key_Enter:
      return 13;
    case Qt::Key_Shift:
      return 16;
    case Qt::Key_Control:
      return 17;
    case Qt::Key_Alt:
      return 18;
    case Qt::Key_Escape:
      return 27;
    case Qt::Key_Space:
      return 32;
    case Qt::Key_PageUp:
      return 33;
    case Qt::Key_PageDown:
      return 34;
    case Qt::Key_End:
      return 35;
    case Qt::Key_Home:
      return 36;
    case Qt::Key_Left:
      return 37;
    case Qt::Key_Up:
      return 38;
    case Qt::Key_Right:
      return 39;
    case Qt::Key_Down:
      return 40;
    case Qt::Key_Insert:
      return 45;
    case Qt::Key_Delete:
      return 46;
    default:
      return 0;
  }
}

TShiftState ShiftStateOf(Qt::KeyboardModifiers modifiers) {
  TShiftState shift;
  if (modifiers & Qt::ShiftModifier) shift.Include(ssShift);
  if (modifiers & Qt::AltModifier) shift.Include(ssAlt);
  if (modifiers & Qt::ControlModifier) shift.Include(ssCtrl);
  return shift;
}

// The combo box's widget: tells the control of keys, focus, double clicks and the list opening.
class TComboWidget : public QComboBox {
 public:
  TComboWidget(TComboBox* control, QWidget* parent) : QComboBox(parent), fControl(control) {}

  void showPopup() override {
    fControl->OnDropDown(fControl);
    QComboBox::showPopup();
  }

 protected:
  void keyPressEvent(QKeyEvent* event) override {
    uint16_t key = VirtualKeyOf(event->key());
    if (key) {
      fControl->OnKeyDown(fControl, key, ShiftStateOf(event->modifiers()));
      if (!key) return;  // consumed
    }
    if (char typed = TypedCharacter(*event)) {
      fControl->OnKeyPress(fControl, typed);
      if (!typed) return;
    }
    QComboBox::keyPressEvent(event);
  }
  void keyReleaseEvent(QKeyEvent* event) override {
    uint16_t key = VirtualKeyOf(event->key());
    if (key) {
      fControl->OnKeyUp(fControl, key, ShiftStateOf(event->modifiers()));
      if (!key) return;
    }
    QComboBox::keyReleaseEvent(event);
  }
  void focusInEvent(QFocusEvent* event) override {
    QComboBox::focusInEvent(event);
    fControl->OnEnter(fControl);
  }
  void focusOutEvent(QFocusEvent* event) override {
    QComboBox::focusOutEvent(event);
    fControl->OnExit(fControl);
  }
  void mouseDoubleClickEvent(QMouseEvent* event) override {
    QComboBox::mouseDoubleClickEvent(event);
    fControl->OnDblClick(fControl);
  }

 private:
  TComboBox* fControl;
};

}  // namespace

void TComboBox::SetDropDownCount(int32_t value) {
  fDropDownCount = value;
  if (QComboBox* combo = ComboWidget()) combo->setMaxVisibleItems(std::max(1, value));
}

void TComboBox::SetMaxLength(int32_t value) {
  fMaxLength = value;
  QComboBox* combo = ComboWidget();
  if (combo && combo->lineEdit()) combo->lineEdit()->setMaxLength(value > 0 ? value : 32767);
}

void TComboBox::SetTabStop(bool value) {
  fTabStop = value;
  if (QComboBox* combo = ComboWidget())
    combo->setFocusPolicy(value ? Qt::StrongFocus : Qt::ClickFocus);
}

TComboBox::TComboBox(TComponent* owner) : TCustomListControl(owner) {
  SetBounds(0, 0, 145, 21);
}

QComboBox* TComboBox::ComboWidget() const {
  return static_cast<QComboBox*>(Widget());
}

QWidget* TComboBox::CreateWidget(QWidget* parentWidget) {
  auto* combo = new TComboWidget(this, parentWidget);
  combo->setEditable(fStyle != csDropDownList);
  combo->setMaxVisibleItems(std::max(1, fDropDownCount));
  if (combo->lineEdit() && fMaxLength > 0) combo->lineEdit()->setMaxLength(fMaxLength);
  combo->setFocusPolicy(fTabStop ? Qt::StrongFocus : Qt::ClickFocus);
  QObject::connect(combo, QOverload<int>::of(&QComboBox::activated),
                   [this](int index) { IndexFromWidget(index); });
  // What the user types is the text, and a change like a choice.
  QObject::connect(combo, &QComboBox::editTextChanged, [this](const QString& text) {
    const std::string value = text.toStdString();
    if (fUpdatingWidget || value == Text()) return;
    fUpdatingWidget = true;
    SetText(value);
    fUpdatingWidget = false;
    Change();
  });
  return combo;
}

void TComboBox::ItemsToWidget() {
  QComboBox* combo = ComboWidget();
  combo->clear();
  for (int i = 0; i < Items()->Count(); ++i) combo->addItem(QText(Items()->Strings(i)));
  IndexToWidget();
}

void TComboBox::IndexToWidget() {
  QComboBox* combo = ComboWidget();
  combo->setCurrentIndex(ItemIndex());
  if (ItemIndex() < 0 && combo->isEditable()) combo->setEditText(QText(Text()));
}

void TComboBox::TextChanged() {
  QComboBox* combo = ComboWidget();
  if (combo && !fUpdatingWidget && combo->isEditable() && ItemIndex() < 0)
    combo->setEditText(QText(Text()));
}

TListBox::TListBox(TComponent* owner) : TCustomListControl(owner) {
  SetBounds(0, 0, 121, 97);
}

const TClassRecord& TListBox::StaticClass() {
  static const TClassRecord& record =
      TClassBuilder<TListBox, TCustomListControl>("TListBox", "StdCtrls").Build();
  return record;
}

QWidget* TListBox::CreateWidget(QWidget* parentWidget) {
  auto* list = new QListWidget(parentWidget);
  QObject::connect(list, &QListWidget::currentRowChanged,
                   [this](int row) { IndexFromWidget(row); });
  return list;
}

void TListBox::ItemsToWidget() {
  auto* list = static_cast<QListWidget*>(Widget());
  const int count = Items()->Count();
  // Lines changed in place keep their items, so a switch of language does not rebuild the list.
  while (list->count() > count) delete list->takeItem(list->count() - 1);
  for (int i = 0; i < count; ++i) {
    const QString text = QText(Items()->Strings(i));
    if (i < list->count()) {
      if (list->item(i)->text() != text) list->item(i)->setText(text);
    } else {
      list->addItem(text);
    }
  }
  IndexToWidget();
}

void TListBox::IndexToWidget() {
  static_cast<QListWidget*>(Widget())->setCurrentRow(ItemIndex());
}

// --- TPanel ------------------------------------------------------------------------------------

namespace {

// A frame that draws its caption in the middle, under its children.
class TPanelWidget : public QFrame {
 public:
  TPanelWidget(QWidget* parent, TPanel* panel) : QFrame(parent), fPanel(panel) {}

 protected:
  void paintEvent(QPaintEvent* event) override {
    QFrame::paintEvent(event);
    if (!fPanel || fPanel->Caption().empty()) return;
    QPainter painter(this);
    painter.setFont(font());
    Qt::Alignment align = fPanel->Alignment() == taLeftJustify    ? Qt::AlignLeft
                          : fPanel->Alignment() == taRightJustify ? Qt::AlignRight
                                                                  : Qt::AlignHCenter;
    painter.drawText(contentsRect(), static_cast<int>(align | Qt::AlignVCenter),
                     QText(fPanel->Caption()));
  }

 private:
  TPanel* fPanel;
};

}  // namespace

const TClassRecord& TPanel::StaticClass() {
  static const TClassRecord& record =
      TClassBuilder<TPanel, TWinControl>("TPanel", "ExtCtrls")
          .Property("Alignment", &TPanel::Alignment, &TPanel::SetAlignment)
          .Default(taCenter)
          .Property("BevelOuter", &TPanel::BevelOuter, &TPanel::SetBevelOuter)
          .Default(bvRaised)
          .Build();
  return record;
}

TPanel::TPanel(TComponent* owner) : TWinControl(owner) {
  SetBounds(0, 0, 185, 41);
}

QWidget* TPanel::CreateWidget(QWidget* parentWidget) {
  auto* frame = new TPanelWidget(parentWidget, this);
  frame->setFrameStyle(fBevelOuter == bvNone      ? QFrame::NoFrame
                       : fBevelOuter == bvLowered ? QFrame::Panel | QFrame::Sunken
                                                  : QFrame::Panel | QFrame::Raised);
  return frame;
}

void TPanel::TextChanged() {
  if (Widget()) Widget()->update();
}

void TPanel::SetBevelOuter(TBevelCut value) {
  fBevelOuter = value;
  if (auto* frame = static_cast<QFrame*>(Widget()))
    frame->setFrameStyle(value == bvNone      ? QFrame::NoFrame
                         : value == bvLowered ? QFrame::Panel | QFrame::Sunken
                                              : QFrame::Panel | QFrame::Raised);
}

void TPanel::SetAlignment(TAlignment value) {
  fAlignment = value;
  TextChanged();
}

}  // namespace dravik
