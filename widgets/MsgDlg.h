#pragma once
// The message dialog's entry points: each builds the dialog, shows it modally, frees it and
// answers the modal result. A program without windows writes the message to standard error and
// answers as if the default button (else the cancel button) were pressed.

#include <cstdint>
#include <string>

#include "widgets/MsgDlgRules.h"

namespace dravik {

int32_t Msg(const std::string& text, const std::string& caption, TMsgDlgType type,
            int32_t helpContext, TMsgDlgButtons buttons);
int32_t MsgEx(const std::string& text, const std::string& caption, TMsgDlgType type,
              const std::string& domain, int32_t helpContext, TMsgDlgButtons buttons);
// An error report: the error marker in text becomes the dialog's "An error has occured".
int32_t MsgErr(const std::string& text, const std::string& caption, TMsgDlgType type,
               const std::string& domain, uintptr_t errorAddress, int32_t helpContext,
               TMsgDlgButtons buttons);
int32_t MessageDlg(const std::string& text, TMsgDlgType type, TMsgDlgButtons buttons,
                   int32_t helpContext);
void ShowMessage(const std::string& text);

}  // namespace dravik
