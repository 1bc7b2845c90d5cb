#pragma once
// Forms: top-level windows that own their components, read their layout from a form file
// embedded under their class name, and show modelessly or modally with a modal result.

#include <string>

#include "platform/ui/Controls.h"

namespace dravik {

class TMainMenu;

enum TFormBorderStyle { bsNone, bsSingle, bsSizeable, bsDialog, bsToolWindow, bsSizeToolWin };
const TTypeInfo& TypeInfoFor(TFormBorderStyle);
enum TPosition {
  poDesigned,
  poDefault,
  poDefaultPosOnly,
  poDefaultSizeOnly,
  poScreenCenter,
  poDesktopCenter,
  poMainFormCenter,
  poOwnerFormCenter
};
const TTypeInfo& TypeInfoFor(TPosition);
enum TWindowState { wsNormal, wsMinimized, wsMaximized };
const TTypeInfo& TypeInfoFor(TWindowState);
enum TCloseAction { caNone, caHide, caFree, caMinimize };
const TTypeInfo& TypeInfoFor(TCloseAction);

using TModalResult = int32_t;
constexpr TModalResult mrNone = 0, mrOk = 1, mrCancel = 2, mrAbort = 3, mrRetry = 4, mrIgnore = 5,
                       mrYes = 6, mrNo = 7, mrAll = 8, mrNoToAll = 9, mrYesToAll = 10;

using TCloseEvent = TEvent<"TCloseEvent", TObject* /*Sender*/, TCloseAction& /*Action*/>;
using TCloseQueryEvent = TEvent<"TCloseQueryEvent", TObject* /*Sender*/, bool& /*CanClose*/>;

class TCustomForm : public TWinControl {
 public:
  explicit TCustomForm(TComponent* owner);
  static const TClassRecord& StaticClass();
  const TClassRecord& ClassType() const override { return StaticClass(); }

  TFormBorderStyle BorderStyle() const { return fBorderStyle; }
  void SetBorderStyle(TFormBorderStyle value);
  TPosition Position() const { return fPosition; }
  void SetPosition(TPosition value) { fPosition = value; }
  TWindowState WindowState() const { return fWindowState; }
  void SetWindowState(TWindowState value);
  TModalResult ModalResult() const { return fModalResult; }
  void SetModalResult(TModalResult value) { fModalResult = value; }
  const std::string& HelpFile() const { return fHelpFile; }
  void SetHelpFile(const std::string& value) { fHelpFile = value; }
  int32_t HelpContext() const { return fHelpContext; }
  void SetHelpContext(int32_t value) { fHelpContext = value; }
  // Where the form's window icon comes from: a file path or a module resource name.
  const std::string& IconName() const { return fIconName; }
  void SetIconName(const std::string& value);
  // The main menu shown in the window's menu bar; the client area starts below it.
  TMainMenu* Menu() const { return fMenu; }
  void SetMenu(TMainMenu* menu);
  int32_t ClientHeight() const override;
  QWidget* ClientWidget() const override { return fClient.data(); }
  // Without a close box the window system cannot close the window: only its buttons and code
  // can. Set it before the window is shown.
  bool CloseBox() const { return fCloseBox; }
  void SetCloseBox(bool value);
  // Escape clicks the cancel button, Enter the focused button or else the default button;
  // false when no button takes the key.
  bool DialogKey(int key);

  void Show();
  void Hide() { SetVisible(false); }
  // Shows the form as the only window that takes input and waits until ModalResult is set or
  // the form is closed; answers ModalResult (mrCancel when closed without one).
  // Runs until a modal result is set and closing agrees (OnCloseQuery, then OnClose), or the
  // form is closed.
  TModalResult ShowModal();
  // Asks OnCloseQuery, then OnClose; hides (or frees) the form as the action says.
  void Close();
  bool CloseQuery();
  void SetVisible(bool value) override;
  bool Modal() const { return fModal; }
  // Frees the form once the events being handled are done (a handler may close its own form),
  // also when it has no window.
  void Release();

  TNotifyEvent OnCreate;
  TNotifyEvent OnShow;
  TNotifyEvent OnHide;
  TNotifyEvent OnDestroy;
  TCloseEvent OnClose;
  TCloseQueryEvent OnCloseQuery;

  void GetChildren(const std::function<void(TComponent*)>& proc, TComponent* root) override;
  TComponent* GetChildOwner() override { return this; }

 protected:
  // Reads the layout of a form class from the form file embedded under its class name, then
  // fires OnCreate.
  void AfterConstruction() override;
  void BeforeDestruction() override;
  QWidget* CreateWidget(QWidget* parentWidget) override;
  void InitWidget() override;
  void TextChanged() override;
  TColor DefaultColor() const override { return clBtnFace; }
  void Notification(TComponent* component, TOperation operation) override;

 private:
  friend class TFormWidget;
  // The window's own resizing, told back to the properties.
  void WidgetResized(int32_t width, int32_t height);
  bool WidgetCloseRequested();
  // A modal result ends the loop as closing would: the close query, then OnClose.
  bool AgreeToEndModal();
  void PlaceOnScreen();
  void ApplyWindowFlags();
  // Places the menu bar and the client area in the window.
  void LayoutWindow();
  void ShowMenu();

  TFormBorderStyle fBorderStyle = bsSizeable;
  TPosition fPosition = poDesigned;
  TWindowState fWindowState = wsNormal;
  TModalResult fModalResult = mrNone;
  std::string fHelpFile;
  int32_t fHelpContext = 0;
  std::string fIconName;
  bool fModal = false;
  bool fClosing = false;
  bool fPlaced = false;
  bool fCloseBox = true;
  int32_t fPixelsPerInch = 96;
  int32_t fTextHeight = 13;
  bool fOldCreateOrder = false;
  TMainMenu* fMenu = nullptr;
  QPointer<QWidget> fClient;  // the area the controls are placed in, a child of the window
  QObject fReleaseContext;    // a queued Release goes with it
};

class TForm : public TCustomForm {
 public:
  using TCustomForm::TCustomForm;
  static const TClassRecord& StaticClass();
  const TClassRecord& ClassType() const override { return StaticClass(); }
};

// Reads the form file embedded as module resource name (text or binary form) into form.
// False when there is no such resource.
bool ReadFormResource(const std::string& name, TComponent* form);

}  // namespace dravik
