#include "apps/dravik/TextFit.h"

#include <QApplication>
#include <QFontMetrics>
#include <QStyle>
#include <algorithm>

#include "platform/ui/Forms.h"
#include "platform/ui/Graphics.h"
#include "platform/ui/StdCtrls.h"

namespace dravik {

namespace {

// The text as drawn: a single '&' marks the accelerator and takes no room, "&&" is one '&'.
QString Drawn(const std::string& text) {
  QString drawn;
  const QString source = QText(text);
  for (qsizetype i = 0; i < source.size(); ++i) {
    if (source[i] == QLatin1Char('&') && ++i >= source.size()) break;
    drawn += source[i];
  }
  return drawn;
}

int32_t Extent(const TControl& control, const QString& text) {
  return QFontMetrics(ToQFont(*control.Font())).horizontalAdvance(text);
}

int32_t Metric(QStyle::PixelMetric metric) {
  return QApplication::style()->pixelMetric(metric);
}

bool OverlapsVertically(const TControl& a, const TControl& b) {
  return a.Top() < b.Top() + b.Height() && b.Top() < a.Top() + a.Height();
}

// The room an auto-sized label has: up to the next visible control on its right in the same
// row, else to its parent's edge; a right-aligned label grows to the left instead.
int32_t RoomOfAutoSizedLabel(const TLabel& label) {
  const TWinControl* parent = label.Parent();
  if (!parent) return label.Width();
  const bool leftward = label.Alignment() == taRightJustify;
  const int32_t anchor = leftward ? label.Left() + label.Width() : label.Left();
  int32_t room = leftward ? anchor : parent->ClientWidth() - anchor;
  for (int i = 0; i < parent->ControlCount(); ++i) {
    const TControl* other = parent->Controls(i);
    if (other == &label || !other->Visible() || !OverlapsVertically(label, *other)) continue;
    if (leftward && other->Left() + other->Width() <= anchor)
      room = std::min(room, anchor - (other->Left() + other->Width()));
    if (!leftward && other->Left() >= anchor) room = std::min(room, other->Left() - anchor);
  }
  return room;
}

void Check(std::vector<TMisfit>& misfits, const TControl& control, const std::string& property,
           int32_t needed, int32_t available) {
  if (needed > available) misfits.push_back({control.Name(), property, needed, available});
}

void CheckLabel(std::vector<TMisfit>& misfits, const TLabel& label) {
  const QString text = Drawn(label.Caption());
  if (text.isEmpty()) return;
  if (!label.WordWrap()) {
    const int32_t room = label.AutoSize() ? RoomOfAutoSizedLabel(label) : label.Width();
    Check(misfits, label, "Caption", Extent(label, text), room);
    return;
  }
  // A wrapped label only cuts off what it cannot break: its longest word.
  int32_t longest = 0;
  for (const QString& word : text.split(QLatin1Char(' '), Qt::SkipEmptyParts))
    longest = std::max(longest, Extent(label, word));
  Check(misfits, label, "Caption", longest, label.Width());
}

void CheckItems(std::vector<TMisfit>& misfits, const TCustomListControl& list, int32_t chrome) {
  int32_t widest = 0;
  for (int i = 0; i < list.Items()->Count(); ++i)
    widest = std::max(widest, Extent(list, QText(list.Items()->Strings(i))));
  if (widest > 0) Check(misfits, list, "Items", widest + chrome, list.Width());
}

void CheckControl(std::vector<TMisfit>& misfits, const TControl& control) {
  if (!control.Visible()) return;
  const int32_t frame = Metric(QStyle::PM_DefaultFrameWidth);
  if (auto* label = dynamic_cast<const TLabel*>(&control)) {
    CheckLabel(misfits, *label);
  } else if (auto* button = dynamic_cast<const TButton*>(&control)) {
    const QString text = Drawn(button->Caption());
    if (!text.isEmpty())
      Check(misfits, control, "Caption",
            Extent(control, text) + 2 * (Metric(QStyle::PM_ButtonMargin) + frame), control.Width());
  } else if (auto* radio = dynamic_cast<const TRadioButton*>(&control)) {
    Check(misfits, control, "Caption",
          Metric(QStyle::PM_ExclusiveIndicatorWidth) + Metric(QStyle::PM_RadioButtonLabelSpacing) +
              Extent(control, Drawn(radio->Caption())),
          control.Width());
  } else if (auto* check = dynamic_cast<const TCheckBox*>(&control)) {
    Check(misfits, control, "Caption",
          Metric(QStyle::PM_IndicatorWidth) + Metric(QStyle::PM_CheckBoxLabelSpacing) +
              Extent(control, Drawn(check->Caption())),
          control.Width());
  } else if (auto* group = dynamic_cast<const TGroupBox*>(&control)) {
    const QString text = Drawn(group->Caption());
    if (!text.isEmpty())  // the title is inset from both edges
      Check(misfits, control, "Caption", Extent(control, text) + 4 * frame + 8, control.Width());
  } else if (auto* combo = dynamic_cast<const TComboBox*>(&control)) {
    CheckItems(misfits, *combo, Metric(QStyle::PM_ScrollBarExtent) + 2 * frame + 8);
  } else if (auto* list = dynamic_cast<const TListBox*>(&control)) {
    CheckItems(misfits, *list, 2 * frame + 4);
  }
}

void CheckTree(std::vector<TMisfit>& misfits, const TWinControl& parent) {
  for (int i = 0; i < parent.ControlCount(); ++i) {
    const TControl* control = parent.Controls(i);
    CheckControl(misfits, *control);
    if (auto* inner = dynamic_cast<const TWinControl*>(control); inner && inner->Visible())
      CheckTree(misfits, *inner);
  }
}

}  // namespace

std::vector<TMisfit> FindMisfits(TCustomForm& form) {
  std::vector<TMisfit> misfits;
  CheckTree(misfits, form);
  return misfits;
}

}  // namespace dravik
