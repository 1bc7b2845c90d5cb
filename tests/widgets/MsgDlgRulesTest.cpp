// The message dialog's buttons, default and cancel buttons, close box and starting width.

#include <gtest/gtest.h>

#include "widgets/MsgDlgRules.h"

using namespace dravik;

using Buttons = std::vector<TMsgDlgBtn>;

TEST(MsgDlgRules, NoButtonsAskedForMeansOkAloneAsTheDefault) {
  const TMsgDlgPlan plan = PlanMsgDlgButtons({});
  EXPECT_EQ(plan.Buttons, Buttons{mbOK});
  EXPECT_EQ(plan.Default, 0);
  EXPECT_EQ(plan.Cancel, -1);
  EXPECT_FALSE(plan.CloseBox());
}

TEST(MsgDlgRules, AYesNoQuestionHasNoAsItsCancelButton) {
  const TMsgDlgPlan plan = PlanMsgDlgButtons({mbNo, mbYes});
  EXPECT_EQ(plan.Buttons, (Buttons{mbYes, mbNo}));
  EXPECT_EQ(plan.Default, -1);
  EXPECT_EQ(plan.Cancel, 1);
  EXPECT_TRUE(plan.CloseBox());
}

TEST(MsgDlgRules, YesAndOkHaveNoCancelButtonSoTheCloseBoxIsDisabled) {
  const TMsgDlgPlan plan = PlanMsgDlgButtons({mbYes, mbOK});
  EXPECT_EQ(plan.Default, 1);
  EXPECT_EQ(plan.Cancel, -1);
  EXPECT_FALSE(plan.InvisibleCancel);
  EXPECT_FALSE(plan.CloseBox());
}

TEST(MsgDlgRules, CancelDropsAbortAndOutranksNoAndIgnore) {
  TMsgDlgPlan plan = PlanMsgDlgButtons({mbAbort, mbCancel, mbNo, mbIgnore});
  EXPECT_EQ(plan.Buttons, (Buttons{mbNo, mbCancel, mbIgnore}));
  EXPECT_EQ(plan.Cancel, 1);
  plan = PlanMsgDlgButtons({mbAbort, mbRetry, mbIgnore});
  EXPECT_EQ(plan.Cancel, 0);  // Abort
  plan = PlanMsgDlgButtons({mbRetry, mbIgnore});
  EXPECT_EQ(plan.Cancel, 1);  // Ignore, with nothing else that cancels
  plan = PlanMsgDlgButtons({mbNo, mbIgnore});
  EXPECT_EQ(plan.Cancel, 0);  // No before Ignore
}

TEST(MsgDlgRules, ButtonsThatLeaveTheDialogOpenGetAnInvisibleCancel) {
  TMsgDlgPlan plan = PlanMsgDlgButtons({mbHelp, mbCopyErrorAddr});
  EXPECT_EQ(plan.Buttons, (Buttons{mbCopyErrorAddr, mbHelp}));
  EXPECT_TRUE(plan.InvisibleCancel);
  EXPECT_TRUE(plan.CloseBox());
  EXPECT_EQ(plan.Default, -1);
  plan = PlanMsgDlgButtons({mbOK, mbHelp});
  EXPECT_FALSE(plan.InvisibleCancel);
  EXPECT_EQ(plan.Default, 0);
}

TEST(MsgDlgRules, FourButtonsOrMoreMakeTheDialogWider) {
  EXPECT_FALSE(PlanMsgDlgButtons({mbYes, mbNo, mbCancel}).Wider);
  EXPECT_TRUE(PlanMsgDlgButtons({mbYes, mbNo, mbCancel, mbHelp}).Wider);
}

TEST(MsgDlgRules, ResultsFollowTheButtons) {
  EXPECT_EQ(MsgDlgResult(mbYes), 6);
  EXPECT_EQ(MsgDlgResult(mbOK), 1);
  EXPECT_EQ(MsgDlgResult(mbNoToAll), 9);
  EXPECT_EQ(MsgDlgResult(mbDebug), 1011);
  EXPECT_EQ(MsgDlgResult(mbHelp), 0);
}

TEST(MsgDlgRules, TheWidthHoldsTheOneLineTextWithTheFewestButtonsThatFit) {
  // w = 128 * 1.2 = 153: one button needs 281, two 338, three 491, four 644.
  EXPECT_EQ(MsgDlgWidth(100, 1, 128, 1920), 281);  // short text: the buttons' width
  EXPECT_EQ(MsgDlgWidth(300, 1, 128, 1920), 300);  // fits the width of two: the text's width
  EXPECT_EQ(MsgDlgWidth(500, 2, 128, 1920), 500);
  EXPECT_EQ(MsgDlgWidth(100, 2, 128, 1920), 338);
  // Too long for k+2 buttons: the widest of the three, the text wraps.
  EXPECT_EQ(MsgDlgWidth(1000, 1, 128, 1920), 491);
  EXPECT_EQ(MsgDlgWidth(1000, 3, 128, 1920), 644);  // counts above four count as four
  EXPECT_EQ(MsgDlgWidth(100, 5, 128, 1920), 644);
  // Never wider than 90 % of the screen.
  EXPECT_EQ(MsgDlgWidth(1000, 3, 128, 600), 540);
}
