#include "platform/ui/Forms.h"

#include <QApplication>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QEventLoop>
#include <QGuiApplication>
#include <QIcon>
#include <QKeyEvent>
#include <QScreen>
#include <QWidget>

#include "platform/core/classes/ScopeExit.h"
#include "platform/core/filer/ObjectText.h"
#include "platform/core/filer/Reader.h"
#include "platform/core/filer/StreamFormat.h"
#include "platform/core/forms/Application.h"
#include "platform/core/resources/ModuleResources.h"
#include "platform/core/streams/StringStream.h"
#include "platform/core/typinfo/ClassBuilder.h"
#include "platform/ui/Menus.h"
#include "platform/ui/StdCtrls.h"

namespace dravik {

const TTypeInfo& TypeInfoFor(TFormBorderStyle) {
  static const TTypeInfo& info = MakeEnumType(
      "TFormBorderStyle",
      {"bsNone", "bsSingle", "bsSizeable", "bsDialog", "bsToolWindow", "bsSizeToolWin"});
  return info;
}

const TTypeInfo& TypeInfoFor(TPosition) {
  static const TTypeInfo& info = MakeEnumType(
      "TPosition", {"poDesigned", "poDefault", "poDefaultPosOnly", "poDefaultSizeOnly",
                    "poScreenCenter", "poDesktopCenter", "poMainFormCenter", "poOwnerFormCenter"});
  return info;
}

const TTypeInfo& TypeInfoFor(TWindowState) {
  static const TTypeInfo& info =
      MakeEnumType("TWindowState", {"wsNormal", "wsMinimized", "wsMaximized"});
  return info;
}

const TTypeInfo& TypeInfoFor(TCloseAction) {
  static const TTypeInfo& info =
      MakeEnumType("TCloseAction", {"caNone", "caHide", "caFree", "caMinimize"});
  return info;
}

// The window of a form: tells the form of the user's resizing and closing.
class TFormWidget : public QWidget {
 public:
  explicit TFormWidget(TCustomForm* form) : fForm(form) {}
  void Detach() { fForm = nullptr; }

 protected:
  void resizeEvent(QResizeEvent* event) override {
    QWidget::resizeEvent(event);
    if (fForm) fForm->WidgetResized(width(), height());
  }
  void keyPressEvent(QKeyEvent* event) override {
    if (fForm && fForm->DialogKey(event->key())) {
      event->accept();
      return;
    }
    QWidget::keyPressEvent(event);
  }
  void closeEvent(QCloseEvent* event) override {
    if (fForm && !fForm->CloseBox()) {
      event->ignore();
      return;
    }
    if (fForm && !fForm->WidgetCloseRequested()) {
      event->ignore();
      return;
    }
    event->accept();
  }

 private:
  TCustomForm* fForm;
};

const TClassRecord& TCustomForm::StaticClass() {
  static const TClassRecord& record =
      TClassBuilder<TCustomForm, TWinControl>("TCustomForm", "Forms")
          .Property("BorderStyle", &TCustomForm::BorderStyle, &TCustomForm::SetBorderStyle)
          .Default(bsSizeable)
          .Property("ClientWidth", &TCustomForm::ClientWidth, &TCustomForm::SetClientWidth)
          .NotStored()
          .Property("ClientHeight", &TCustomForm::ClientHeight, &TCustomForm::SetClientHeight)
          .NotStored()
          .Property("HelpFile", &TCustomForm::HelpFile, &TCustomForm::SetHelpFile)
          .Property("HelpContext", &TCustomForm::HelpContext, &TCustomForm::SetHelpContext)
          .Default(0)
          .Property("Icon", &TCustomForm::IconName, &TCustomForm::SetIconName)
          .Property("Menu", &TCustomForm::Menu, &TCustomForm::SetMenu)
          .Property("ModalResult", &TCustomForm::ModalResult, &TCustomForm::SetModalResult)
          .NotStored()
          .Property("OldCreateOrder", &TCustomForm::fOldCreateOrder)
          .Default(false)
          .Property("PixelsPerInch", &TCustomForm::fPixelsPerInch)
          .Property("Position", &TCustomForm::Position, &TCustomForm::SetPosition)
          .Default(poDesigned)
          .Property("TextHeight", &TCustomForm::fTextHeight)
          .Property("Visible", &TCustomForm::Visible, &TCustomForm::SetVisible)
          .Default(false)
          .Property("WindowState", &TCustomForm::WindowState, &TCustomForm::SetWindowState)
          .Default(wsNormal)
          .Event("OnCreate", &TCustomForm::OnCreate)
          .Event("OnShow", &TCustomForm::OnShow)
          .Event("OnHide", &TCustomForm::OnHide)
          .Event("OnDestroy", &TCustomForm::OnDestroy)
          .Event("OnClose", &TCustomForm::OnClose)
          .Event("OnCloseQuery", &TCustomForm::OnCloseQuery)
          .Build();
  return record;
}

const TClassRecord& TForm::StaticClass() {
  static const TClassRecord& record = TClassBuilder<TForm, TCustomForm>("TForm", "Forms").Build();
  return record;
}
static const TClassRegistration kFormRegistration(TForm::StaticClass());

TCustomForm::TCustomForm(TComponent* owner) : TWinControl(owner) {
  InitVisible(false);
  SetBounds(0, 0, 320, 240);
}

bool ReadFormResource(const std::string& name, TComponent* form) {
  std::optional<std::string_view> data = FindModuleResource(name);
  if (!data) return false;
  std::string binary;
  if (data->substr(0, 4) == std::string_view(FilerSignature, 4)) {
    binary = std::string(*data);
  } else {
    TStringStream text{std::string(*data)}, out;
    ObjectTextToBinary(text, out);
    binary = out.DataString();
  }
  TStringStream stream(binary);
  ReadComponent(stream, form);
  return true;
}

void TCustomForm::AfterConstruction() {
  TWinControl::AfterConstruction();
  const TClassRecord& type = ClassType();
  if (&type != &TForm::StaticClass() && &type != &TCustomForm::StaticClass())
    ReadFormResource(type.Name(), this);
  try {
    OnCreate(this);
  } catch (...) {
    HandleException(this);
  }
}

void TCustomForm::BeforeDestruction() {
  try {
    OnDestroy(this);
  } catch (...) {
    HandleException(this);
  }
  if (auto* window = dynamic_cast<TFormWidget*>(Widget())) window->Detach();
  TWinControl::BeforeDestruction();
}

QWidget* TCustomForm::CreateWidget(QWidget*) {
  auto* window = new TFormWidget(this);
  fClient = new QWidget(window);
  return window;
}

void TCustomForm::InitWidget() {
  TWinControl::InitWidget();
  ShowMenu();
  LayoutWindow();
  ApplyWindowFlags();
  TextChanged();
  SetIconName(fIconName);
}

void TCustomForm::ApplyWindowFlags() {
  QWidget* window = Widget();
  if (!window) return;
  Qt::WindowFlags flags = Qt::Window;
  switch (fBorderStyle) {
    case bsNone:
      flags |= Qt::FramelessWindowHint;
      break;
    case bsDialog:
      flags = Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint;
      break;
    case bsToolWindow:
    case bsSizeToolWin:
      flags = Qt::Tool | Qt::WindowTitleHint | Qt::WindowCloseButtonHint;
      break;
    default:
      flags |= Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint |
               Qt::WindowMinMaxButtonsHint;
  }
  if (!fCloseBox) flags = (flags & ~Qt::WindowCloseButtonHint) | Qt::CustomizeWindowHint;
  window->setWindowFlags(flags);
  if (fBorderStyle != bsSizeable && fBorderStyle != bsSizeToolWin)
    window->setFixedSize(Width(), Height());
}

void TCustomForm::SetCloseBox(bool value) {
  if (value == fCloseBox) return;
  fCloseBox = value;
  const bool shown = Visible();
  ApplyWindowFlags();  // the window system hides a window whose flags change
  if (QWidget* window = Widget(); window && shown) window->show();
}

namespace {

// The first enabled button in control's tree that test accepts.
TButton* FindButton(TControl* control, const std::function<bool(TButton*)>& test) {
  if (auto* button = dynamic_cast<TButton*>(control); button && button->Enabled() && test(button))
    return button;
  if (auto* parent = dynamic_cast<TWinControl*>(control))
    for (int i = 0; i < parent->ControlCount(); ++i)
      if (TButton* found = FindButton(parent->Controls(i), test)) return found;
  return nullptr;
}

}  // namespace

bool TCustomForm::DialogKey(int key) {
  TButton* button = nullptr;
  if (key == Qt::Key_Escape) {
    button = FindButton(this, [](TButton* b) { return b->Cancel(); });
  } else if (key == Qt::Key_Return || key == Qt::Key_Enter) {
    QWidget* focus = QApplication::focusWidget();
    button = FindButton(this, [focus](TButton* b) { return b->Widget() == focus; });
    if (!button) button = FindButton(this, [](TButton* b) { return b->Default() && b->Visible(); });
  }
  if (!button) return false;
  button->Click();
  return true;
}

void TCustomForm::TextChanged() {
  if (QWidget* window = Widget()) window->setWindowTitle(QString::fromStdString(Caption()));
}

void TCustomForm::SetBorderStyle(TFormBorderStyle value) {
  fBorderStyle = value;
  ApplyWindowFlags();
}

void TCustomForm::SetWindowState(TWindowState value) {
  fWindowState = value;
  QWidget* window = Widget();
  if (!window) return;
  Qt::WindowStates states = window->windowState() & ~(Qt::WindowMinimized | Qt::WindowMaximized);
  if (value == wsMinimized) states |= Qt::WindowMinimized;
  if (value == wsMaximized) states |= Qt::WindowMaximized;
  window->setWindowState(states);
}

void TCustomForm::SetIconName(const std::string& value) {
  fIconName = value;
  QWidget* window = Widget();
  if (!window || value.empty()) return;
  if (std::optional<std::string_view> data = FindModuleResource(value)) {
    QPixmap pixmap;
    pixmap.loadFromData(reinterpret_cast<const uchar*>(data->data()),
                        static_cast<int>(data->size()));
    window->setWindowIcon(QIcon(pixmap));
  } else {
    window->setWindowIcon(QIcon(QString::fromStdString(value)));
  }
}

void TCustomForm::WidgetResized(int32_t width, int32_t height) {
  if (width != Width() || height != Height()) TWinControl::SetBounds(Left(), Top(), width, height);
  LayoutWindow();
}

int32_t TCustomForm::ClientHeight() const {
  return Height() - (fMenu ? TMainMenu::BarHeight() : 0);
}

void TCustomForm::SetMenu(TMainMenu* menu) {
  if (menu == fMenu) return;
  const int32_t client = ClientHeight();
  if (fMenu) {
    fMenu->RemoveFreeNotification(this);
    if (QWidget* bar = fMenu->MenuBar()) bar->hide();
  }
  fMenu = menu;
  if (fMenu) fMenu->FreeNotification(this);
  // The window grows by the bar, so the controls keep their place and room.
  TControl::SetBounds(Left(), Top(), Width(), client + Height() - ClientHeight());
  ShowMenu();
  LayoutWindow();
}

void TCustomForm::Notification(TComponent* component, TOperation operation) {
  TWinControl::Notification(component, operation);
  if (operation == opRemove && component == fMenu) {
    fMenu = nullptr;
    LayoutWindow();
  }
}

void TCustomForm::ShowMenu() {
  if (fMenu && Widget()) fMenu->MenuBar(Widget())->show();
}

void TCustomForm::LayoutWindow() {
  if (!Widget()) return;
  const int32_t bar = Height() - ClientHeight();
  if (fMenu && fMenu->MenuBar()) fMenu->MenuBar()->setGeometry(0, 0, Width(), bar);
  if (fClient) fClient->setGeometry(0, bar, Width(), ClientHeight());
}

void TCustomForm::PlaceOnScreen() {
  if (fPlaced) return;
  fPlaced = true;
  if (fPosition != poScreenCenter && fPosition != poDesktopCenter &&
      fPosition != poMainFormCenter && fPosition != poOwnerFormCenter)
    return;
  const QScreen* screen = QGuiApplication::primaryScreen();
  if (!screen) return;
  const QRect area = screen->availableGeometry();
  SetBounds(area.x() + (area.width() - Width()) / 2, area.y() + (area.height() - Height()) / 2,
            Width(), Height());
}

void TCustomForm::SetVisible(bool value) {
  if (value) {
    HandleNeeded();
    PlaceOnScreen();
  }
  const bool was = Visible();
  TWinControl::SetVisible(value);
  if (QWidget* window = Widget()) window->setVisible(value);
  if (value == was) return;
  try {
    if (value) {
      SetWindowState(fWindowState);
      OnShow(this);
    } else {
      OnHide(this);
    }
  } catch (...) {
    HandleException(this);
  }
}

void TCustomForm::Show() {
  SetVisible(true);
  QWidget* window = Widget();
  if (window && QGuiApplication::platformName() != QLatin1String("offscreen")) {
    window->raise();
    window->activateWindow();
  }
}

TModalResult TCustomForm::ShowModal() {
  if (Visible() || fModal) throw EInvalidOperation("Cannot make a visible window modal");
  HandleNeeded();
  Widget()->setWindowModality(Qt::ApplicationModal);
  fModalResult = mrNone;
  fModal = true;
  Show();
  QEventLoop loop;
  while (fModalResult == mrNone && Visible()) {
    loop.processEvents(QEventLoop::WaitForMoreEvents | QEventLoop::EventLoopExec);
    // Close, which hides the form, has asked already.
    if (fModalResult != mrNone && Visible() && !AgreeToEndModal()) fModalResult = mrNone;
  }
  fModal = false;
  if (Visible()) SetVisible(false);
  if (QWidget* window = Widget()) window->setWindowModality(Qt::NonModal);
  if (fModalResult == mrNone) fModalResult = mrCancel;
  return fModalResult;
}

bool TCustomForm::AgreeToEndModal() {
  if (!CloseQuery()) return false;
  TCloseAction action = caHide;
  try {
    OnClose(this, action);
  } catch (...) {
    HandleException(this);
    return false;
  }
  if (action == caNone) return false;
  if (action == caFree) Release();
  return true;
}

bool TCustomForm::CloseQuery() {
  bool canClose = true;
  try {
    OnCloseQuery(this, canClose);
  } catch (...) {
    HandleException(this);
    canClose = false;
  }
  return canClose;
}

void TCustomForm::Close() {
  if (fClosing) return;
  TCloseAction action = caHide;
  {
    auto closing = SetForScope(fClosing, true);
    if (!CloseQuery()) return;
    try {
      OnClose(this, action);
    } catch (...) {
      HandleException(this);
      return;
    }
    if (action == caNone) return;
    if (fModal && fModalResult == mrNone) fModalResult = mrCancel;
    if (action == caMinimize) {
      SetWindowState(wsMinimized);
      return;
    }
    SetVisible(false);
  }
  // Last: the form is not touched again once it may be gone.
  if (action == caFree) Release();
}

void TCustomForm::Release() {
  if (!QCoreApplication::instance()) {
    Free();  // no event loop, so no event of the form is being handled
    return;
  }
  // The call goes with its context object, which goes with the form: a form freed before the
  // call runs is not freed again.
  QMetaObject::invokeMethod(
      &fReleaseContext, [this] { Free(); }, Qt::QueuedConnection);
}

bool TCustomForm::WidgetCloseRequested() {
  Close();
  return !Visible();
}

void TCustomForm::GetChildren(const std::function<void(TComponent*)>& proc, TComponent* root) {
  // Components without a parent (menus, timers, the TDravik) first, then the controls; menu
  // items come with their menu.
  for (int i = 0; i < ComponentCount(); ++i) {
    TComponent* c = Components(i);
    auto* control = dynamic_cast<TControl*>(c);
    if (control ? !control->Parent() : !c->GetParentComponent()) proc(c);
  }
  TWinControl::GetChildren(proc, root);
}

}  // namespace dravik
