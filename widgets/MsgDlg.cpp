#include "widgets/MsgDlg.h"

#include <QApplication>
#include <iostream>

#include "platform/core/forms/Application.h"
#include "platform/core/system/Exceptions.h"
#include "widgets/MyMsgForm.h"

namespace dravik {

namespace {

// Without windows: the message on standard error, answered by the default or the cancel button.
int32_t AnswerOnConsole(const TMsgDlgParams& params) {
  std::cerr << (params.Caption.empty() ? "" : params.Caption + ": ") << params.Text << "\n";
  const TMsgDlgPlan plan = PlanMsgDlgButtons(params.Buttons);
  const int chosen = plan.Default >= 0 ? plan.Default : plan.Cancel;
  return chosen >= 0 ? MsgDlgResult(plan.Buttons[static_cast<std::size_t>(chosen)]) : mrCancel;
}

TMsgDlgParams Params(const std::string& text, const std::string& caption, TMsgDlgType type,
                     const std::string& domain, int32_t helpContext, TMsgDlgButtons buttons) {
  TMsgDlgParams params;
  params.Text = text;
  params.Caption = caption;
  params.Type = type;
  params.Domain = domain;
  params.HelpContext = helpContext;
  params.Buttons = buttons;
  return params;
}

int32_t Show(const TMsgDlgParams& params) {
  if (!qobject_cast<QApplication*>(QCoreApplication::instance())) return AnswerOnConsole(params);
  TComponentPtr<TMyMsgForm> dialog = MakeComponent<TMyMsgForm>(nullptr);
  return dialog->Execute(params);
}

// Programs with windows show their exceptions in the dialog, as error reports.
const bool kExceptionDisplay = [] {
  SetInteractiveExceptionDisplay([](TObject*, const Exception& e) {
    std::string message = e.Message();
    if (!message.empty() && message.back() != '.') message += '.';
    MsgErr(message, "", mtError, "", 0, 0, {mbOK});
  });
  return true;
}();

}  // namespace

int32_t Msg(const std::string& text, const std::string& caption, TMsgDlgType type,
            int32_t helpContext, TMsgDlgButtons buttons) {
  return MsgEx(text, caption, type, "", helpContext, buttons);
}

int32_t MsgEx(const std::string& text, const std::string& caption, TMsgDlgType type,
              const std::string& domain, int32_t helpContext, TMsgDlgButtons buttons) {
  return Show(Params(text, caption, type, domain, helpContext, buttons));
}

int32_t MsgErr(const std::string& text, const std::string& caption, TMsgDlgType type,
               const std::string& domain, uintptr_t errorAddress, int32_t helpContext,
               TMsgDlgButtons buttons) {
  TMsgDlgParams params = Params(text, caption, type, domain, helpContext, buttons);
  params.ErrorAddress = errorAddress;
  params.ErrorReport = true;
  return Show(params);
}

int32_t MessageDlg(const std::string& text, TMsgDlgType type, TMsgDlgButtons buttons,
                   int32_t helpContext) {
  return Msg(text, "", type, helpContext, buttons);
}

void ShowMessage(const std::string& text) {
  Msg(text, "", mtInformation, 0, {});
}

}  // namespace dravik
