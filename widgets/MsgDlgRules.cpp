#include "widgets/MsgDlgRules.h"

#include <algorithm>

#include "platform/core/typinfo/TypInfo.h"

namespace dravik {

const TTypeInfo& TypeInfoFor(TMsgDlgType) {
  static const TTypeInfo& info = MakeEnumType(
      "TMsgDlgType", {"mtWarning", "mtError", "mtInformation", "mtConfirmation", "mtCustom"});
  return info;
}

const TTypeInfo& TypeInfoFor(TMsgDlgBtn) {
  static const TTypeInfo& info =
      MakeEnumType("TMsgDlgBtn", {"mbYes", "mbNo", "mbOK", "mbCancel", "mbAbort", "mbRetry",
                                  "mbIgnore", "mbAll", "mbNoToAll", "mbYesToAll", "mbTerminate",
                                  "mbDebug", "mbCopyErrorAddr", "mbHelp"});
  return info;
}

int32_t MsgDlgResult(TMsgDlgBtn button) {
  static constexpr int32_t kResults[] = {6, 7, 1, 2, 3, 4, 5, 8, 9, 10, 1010, 1011, 0, 0};
  return kResults[button];
}

TMsgDlgPlan PlanMsgDlgButtons(TMsgDlgButtons requested) {
  if (requested.Empty()) requested = {mbOK};
  if (requested.Contains(mbCancel)) requested.Exclude(mbAbort);
  const bool cancelOrAbort = requested.Contains(mbCancel) || requested.Contains(mbAbort);
  TMsgDlgPlan plan;
  for (int b = mbYes; b <= mbHelp; ++b) {
    const auto button = static_cast<TMsgDlgBtn>(b);
    if (!requested.Contains(button)) continue;
    const bool cancels = button == mbCancel || button == mbAbort ||
                         (button == mbNo && !cancelOrAbort) ||
                         (button == mbIgnore && !cancelOrAbort && !requested.Contains(mbNo));
    if (cancels && plan.Cancel < 0) plan.Cancel = static_cast<int>(plan.Buttons.size());
    plan.Buttons.push_back(button);
  }
  const auto& shown = plan.Buttons;
  if (shown.size() == 1) {
    plan.Default = 0;
  } else if (auto ok = std::find(shown.begin(), shown.end(), mbOK); ok != shown.end()) {
    plan.Default = static_cast<int>(ok - shown.begin());
  }
  plan.InvisibleCancel =
      std::none_of(shown.begin(), shown.end(), [](TMsgDlgBtn b) { return MsgDlgResult(b) != 0; });
  plan.Wider = shown.size() >= 4;
  return plan;
}

int32_t MsgDlgWidth(int32_t textWidth, int buttons, int32_t buttonDimX, int32_t screenWidth) {
  const auto w = static_cast<int32_t>(buttonDimX * 1.2);
  auto needed = [w](int n) { return n == 1 ? w + 128 : w * n + 32; };
  int32_t chosen = 0;
  bool holds = false;
  for (int n = buttons; n <= buttons + 2 && !holds; ++n) {
    const int32_t width = needed(std::min(n, 4));
    holds = width >= textWidth;
    chosen = holds ? width : std::max(chosen, width);
  }
  if (chosen > textWidth) chosen = std::max(needed(std::min(buttons, 4)), textWidth);
  return std::min(chosen, screenWidth * 9 / 10);
}

}  // namespace dravik
