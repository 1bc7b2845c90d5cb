#include "widgets/MyMsgForm.h"

#include <QApplication>
#include <QFontMetrics>
#include <QScreen>
#include <QStyle>
#include <algorithm>
#include <climits>
#include <cstdio>

#include "platform/core/forms/Application.h"
#include "platform/core/system/SysUtils.h"
#include "platform/core/typinfo/ClassBuilder.h"
#include "platform/ui/Clipbrd.h"
#include "platform/ui/ExtCtrls.h"
#include "platform/ui/Graphics.h"
#include "platform/ui/StdCtrls.h"
#include "runtime/Dravik.h"
#include "widgets/ButtonPanel.h"

namespace dravik {

namespace {

constexpr const char* kTypeCaptions[] = {"Warning", "Error", "Information", "Confirmation", ""};
constexpr const char* kButtonNames[] = {
    "Yes", "No",      "OK",       "Cancel",    "Abort", "Retry",         "Ignore",
    "All", "NoToAll", "YesToAll", "Terminate", "Debug", "CopyErrorAddr", "Help"};
constexpr std::string_view kErrorMarker = "\\$Error$\\";

QPixmap TypeIcon(TMsgDlgType type) {
  static constexpr QStyle::StandardPixmap kIcons[] = {
      QStyle::SP_MessageBoxWarning, QStyle::SP_MessageBoxCritical, QStyle::SP_MessageBoxInformation,
      QStyle::SP_MessageBoxQuestion};
  const QIcon icon = type == mtCustom ? QApplication::windowIcon()
                                      : QApplication::style()->standardIcon(kIcons[type]);
  return icon.pixmap(32, 32);
}

// Upper-case hexadecimal digits of the pointer width (16 on a 64-bit platform): an address cut
// to eight digits would name another place.
std::string ErrorAddressText(uintptr_t address) {
  char text[2 * sizeof address + 1];
  std::snprintf(text, sizeof text, "%0*llX", static_cast<int>(2 * sizeof address),
                static_cast<unsigned long long>(address));
  return text;
}

QRect ScreenArea() {
  QScreen* screen = QGuiApplication::primaryScreen();
  return screen ? screen->availableGeometry() : QRect(0, 0, 1024, 768);
}

}  // namespace

const TClassRecord& TMyMsgForm::StaticClass() {
  static const TClassRecord& record =
      TClassBuilder<TMyMsgForm, TSuperForm>("TMyMsgForm", "MyMsgDlg")
          .Method<&TMyMsgForm::ButtonClick>("ButtonClick")
          .Method<&TMyMsgForm::FormClose>("FormClose")
          .Build();
  return record;
}
static const TClassRegistration kRegistration(TMyMsgForm::StaticClass());

void TMyMsgForm::AfterConstruction() {
  TSuperForm::AfterConstruction();
  fDesignedWidth = ClientWidth();
  fDesignedHeight = ClientHeight();
}

TDravik* TMyMsgForm::Dravik() const {
  return FindOwned<TDravik>(this, "Dravik");
}
TLabel* TMyMsgForm::MessageLabel() const {
  return FindOwned<TLabel>(this, "Message");
}
TImage* TMyMsgForm::IconImage() const {
  return FindOwned<TImage>(this, "Icon");
}
TButtonPanel* TMyMsgForm::ButtonPanel() const {
  return FindOwned<TButtonPanel>(this, "Buttons");
}

TMsgDlgBtn TMyMsgForm::ButtonKind(const TButtonItem* item) const {
  const int index = item->Index();
  if (index < 0 || index >= static_cast<int>(fKinds.size()))
    throw EListError(Format("No button %d in the message dialog", {index}));
  return fKinds[static_cast<std::size_t>(index)];
}

void TMyMsgForm::Prepare(const TMsgDlgParams& params) {
  TDravik* dravik = Dravik();
  dravik->SetDomain(params.Domain);
  SetHelpContext(params.HelpContext);
  fErrorAddress = params.ErrorAddress;
  fButtonPressed = false;

  const std::string caption = Trim(params.Caption);
  SetCaption(caption.empty() && params.Type != mtCustom
                 ? dravik->GetString(kTypeCaptions[params.Type])
                 : caption);
  IconImage()->SetPicture(TypeIcon(params.Type));

  AddButtons(params.Buttons);
  // Without a cancel button only the buttons close the dialog.
  SetCloseBox(fCancelButton != nullptr);

  std::string text = params.Text;
  if (params.ErrorReport) {
    const std::string wording = dravik->GetString("ErrorHasOccured");
    for (std::size_t at = text.find(kErrorMarker); at != std::string::npos;
         at = text.find(kErrorMarker, at + wording.size()))
      text.replace(at, kErrorMarker.size(), wording);
  }
  MessageLabel()->SetCaption(text);
  LayOut(text, fKinds.size() >= 4 && PlanMsgDlgButtons(params.Buttons).Wider);
}

int32_t TMyMsgForm::Execute(const TMsgDlgParams& params) {
  Prepare(params);
  return ShowModal();
}

void TMyMsgForm::AddButtons(TMsgDlgButtons buttons) {
  const TMsgDlgPlan plan = PlanMsgDlgButtons(buttons);
  TButtonPanel* panel = ButtonPanel();
  panel->BeginUpdateButtons();
  panel->Buttons()->Clear();
  fKinds = plan.Buttons;
  fCancelButton = nullptr;
  for (std::size_t i = 0; i < plan.Buttons.size(); ++i) {
    TButtonItem* item = panel->Add();
    item->SetCaption(Dravik()->GetString(kButtonNames[plan.Buttons[i]]));
    item->SetModalResult(MsgDlgResult(plan.Buttons[i]));
    item->SetDefault(static_cast<int>(i) == plan.Default);
    if (static_cast<int>(i) == plan.Cancel) {
      item->SetCancel(true);
      fCancelButton = item;
    }
  }
  if (plan.InvisibleCancel) {
    TButtonItem* item = panel->Add();
    item->SetModalResult(mrCancel);
    item->SetCancel(true);
    item->SetVisible(false);
    fKinds.push_back(mbCancel);
    fCancelButton = item;
  }
  panel->EndUpdateButtons();
}

// The width follows the one-line text and the buttons, the height the wrapped text.
void TMyMsgForm::LayOut(const std::string& text, bool wider) {
  TLabel* label = MessageLabel();
  TButtonPanel* panel = ButtonPanel();
  const QFontMetrics metrics(ToQFont(*label->Font()));
  const QString qtext = QText(text);
  const int32_t frame = fDesignedWidth - label->Width();
  int32_t lineExtent = 0, wordExtent = 0;
  for (const QString& line : qtext.split(QLatin1Char('\n'))) {
    lineExtent = std::max(lineExtent, static_cast<int32_t>(metrics.horizontalAdvance(line)));
    for (const QString& word : line.split(QLatin1Char(' '), Qt::SkipEmptyParts))
      wordExtent = std::max(wordExtent, static_cast<int32_t>(metrics.horizontalAdvance(word)));
  }
  const QRect screen = ScreenArea();
  const int32_t maxWidth = screen.width() * 9 / 10;
  int visible = 0;
  for (int i = 0; i < panel->Buttons()->Count(); ++i) visible += panel->Items(i)->Visible();
  int32_t width = MsgDlgWidth(lineExtent + frame + 8, visible, panel->ButtonDimX(), screen.width());
  if (wider) width = std::min(maxWidth, width + width / 4);
  if (wordExtent + 8 > width - frame) width = std::min(maxWidth, wordExtent + 8 + frame);
  // The buttons themselves always fit.
  const int32_t buttons = visible * panel->ButtonDimX() + (visible + 1) * panel->ButtonDist();
  width = std::min(std::max(width, buttons), std::max(maxWidth, buttons));

  const int32_t areaWidth = width - frame;
  const int32_t designedArea = label->Height() + (ClientHeight() - fDesignedHeight);
  const int32_t textHeight =
      metrics.boundingRect(QRect(0, 0, areaWidth, INT_MAX), Qt::TextWordWrap, qtext).height();
  int32_t height = fDesignedHeight;
  if (textHeight > designedArea)
    height = std::min(screen.height() * 8 / 10, fDesignedHeight + textHeight - designedArea);
  SetClientWidth(width);
  SetClientHeight(height);
}

void TMyMsgForm::ButtonClick(TObject*, TButtonItem* item) {
  fButtonPressed = true;
  switch (ButtonKind(item)) {
    case mbCopyErrorAddr:
      Clipboard()->SetAsText(ErrorAddressText(fErrorAddress));
      break;
    case mbHelp:
      if (Application) Application->HelpContext(HelpContext());
      break;
    default:
      break;
  }
}

// The close box answers what the cancel button answers.
void TMyMsgForm::FormClose(TObject*, TCloseAction&) {
  if (ModalResult() == mrNone && fCancelButton) SetModalResult(fCancelButton->ModalResult());
}

}  // namespace dravik
