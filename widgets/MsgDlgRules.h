#pragma once
// The message dialog's rules that need no window: which buttons it shows, which of them is the
// default and which answers the close box, and how wide it starts.

#include <cstdint>
#include <vector>

#include "platform/core/typinfo/Set.h"
#include "platform/core/typinfo/TypInfo.h"

namespace dravik {

enum TMsgDlgType { mtWarning, mtError, mtInformation, mtConfirmation, mtCustom };
const TTypeInfo& TypeInfoFor(TMsgDlgType);
enum TMsgDlgBtn {
  mbYes,
  mbNo,
  mbOK,
  mbCancel,
  mbAbort,
  mbRetry,
  mbIgnore,
  mbAll,
  mbNoToAll,
  mbYesToAll,
  mbTerminate,
  mbDebug,
  mbCopyErrorAddr,
  mbHelp
};
const TTypeInfo& TypeInfoFor(TMsgDlgBtn);
using TMsgDlgButtons = TSet<TMsgDlgBtn, "TMsgDlgButtons">;

// The modal result of a button; 0 for the buttons that leave the dialog open.
int32_t MsgDlgResult(TMsgDlgBtn button);

struct TMsgDlgPlan {
  std::vector<TMsgDlgBtn> Buttons;  // in the order shown
  int Default = -1;                 // index into Buttons, or -1
  int Cancel = -1;                  // index of the button the close box answers, or -1
  // No shown button closes the dialog: an invisible one answers the close box with cancel.
  bool InvisibleCancel = false;
  bool Wider = false;  // four buttons or more: a quarter wider
  // Without a cancel button the close box is disabled.
  bool CloseBox() const { return Cancel >= 0 || InvisibleCancel; }
};

TMsgDlgPlan PlanMsgDlgButtons(TMsgDlgButtons requested);

// The dialog's width for a one-line text width (text extent, frame and margin included), k
// buttons of buttonDimX each, on a screen screenWidth wide.
int32_t MsgDlgWidth(int32_t textWidth, int buttons, int32_t buttonDimX, int32_t screenWidth);

}  // namespace dravik
