#include "platform/ui/Buttons.h"

#include <QBitmap>
#include <QIcon>
#include <QPushButton>
#include <QToolButton>
#include <algorithm>

#include "platform/core/typinfo/ClassBuilder.h"
#include "platform/ui/Forms.h"

namespace dravik {

namespace {

const TClassRegistration kRegistrations[] = {
    TClassRegistration(TBitBtn::StaticClass()),
    TClassRegistration(TSpeedButton::StaticClass()),
};

struct TKindFace {
  const char* Caption;
  TModalResult Result;
};

// The caption and modal result of each kind, in the order of TBitBtnKind.
constexpr TKindFace kKindFaces[] = {
    {"", mrNone},        {"OK", mrOk},          {"Cancel", mrCancel}, {"&Help", mrNone},
    {"&Yes", mrYes},     {"&No", mrNo},         {"&Close", mrNone},   {"Abort", mrAbort},
    {"&Retry", mrRetry}, {"&Ignore", mrIgnore}, {"&All", mrAll},
};

}  // namespace

const TTypeInfo& TypeInfoFor(TBitBtnKind) {
  static const TTypeInfo& info =
      MakeEnumType("TBitBtnKind", {"bkCustom", "bkOK", "bkCancel", "bkHelp", "bkYes", "bkNo",
                                   "bkClose", "bkAbort", "bkRetry", "bkIgnore", "bkAll"});
  return info;
}

// --- TBitBtn -----------------------------------------------------------------------------------

const TClassRecord& TBitBtn::StaticClass() {
  static const TClassRecord& record =
      TClassBuilder<TBitBtn, TButton>("TBitBtn", "Buttons")
          .Property("Glyph", &TBitBtn::Glyph, &TBitBtn::SetGlyph)
          .Property("Kind", &TBitBtn::Kind, &TBitBtn::SetKind)
          .Default(bkCustom)
          .Property("NumGlyphs", &TBitBtn::NumGlyphs, &TBitBtn::SetNumGlyphs)
          .Default(1)
          .Build();
  return record;
}

TBitBtn::TBitBtn(TComponent* owner) : TButton(owner), fGlyph(std::make_unique<TBitmap>()) {
  fGlyph->OnChange = TNotifyEvent::Of<&TBitBtn::GlyphChanged>(this);
}

void TBitBtn::SetNumGlyphs(int32_t value) {
  fNumGlyphs = std::clamp(value, 1, 4);
  GlyphChanged(nullptr);
}

void TBitBtn::InitWidget() {
  TButton::InitWidget();
  GlyphChanged(nullptr);
}

void TBitBtn::GlyphChanged(TObject*) {
  auto* button = static_cast<QPushButton*>(Widget());
  if (!button) return;
  QPixmap glyph = fGlyph->Pixmap();
  if (glyph.width() >= fNumGlyphs) {
    glyph = glyph.copy(0, 0, glyph.width() / fNumGlyphs, glyph.height());
    const QImage image = glyph.toImage();
    const QRgb clear = image.pixel(0, image.height() - 1);
    glyph.setMask(QBitmap::fromImage(image.createMaskFromColor(clear, Qt::MaskInColor)));
  } else {
    glyph = QPixmap();
  }
  button->setIcon(QIcon(glyph));
  button->setIconSize(glyph.size());
}

void TBitBtn::SetKind(TBitBtnKind value) {
  fKind = value;
  if (value == bkCustom) return;
  const TKindFace& face = kKindFaces[value];
  // A caption read from a form file (a translated one) stays.
  if (!IsLoading() || Caption().empty()) SetCaption(face.Caption);
  SetModalResult(face.Result);
  if (value == bkOK || value == bkYes) SetDefault(true);
  if (value == bkCancel || value == bkNo) SetCancel(true);
}

// --- TSpeedButton ------------------------------------------------------------------------------

const TClassRecord& TSpeedButton::StaticClass() {
  static const TClassRecord& record =
      TClassBuilder<TSpeedButton, TControl>("TSpeedButton", "Buttons")
          .Property("AllowAllUp", &TSpeedButton::AllowAllUp, &TSpeedButton::SetAllowAllUp)
          .Default(false)
          .Property("Down", &TSpeedButton::Down, &TSpeedButton::SetDown)
          .Default(false)
          .Property("Flat", &TSpeedButton::Flat, &TSpeedButton::SetFlat)
          .Default(false)
          .Property("GroupIndex", &TSpeedButton::GroupIndex, &TSpeedButton::SetGroupIndex)
          .Default(0)
          .Build();
  return record;
}

TSpeedButton::TSpeedButton(TComponent* owner) : TControl(owner) {
  SetBounds(0, 0, 23, 22);
}

QWidget* TSpeedButton::CreateWidget(QWidget* parentWidget) {
  auto* button = new QToolButton(parentWidget);
  button->setAutoRaise(fFlat);
  button->setToolButtonStyle(Qt::ToolButtonTextOnly);
  QObject::connect(button, &QToolButton::clicked, [this] { Click(); });
  return button;
}

void TSpeedButton::TextChanged() {
  if (auto* button = static_cast<QToolButton*>(Widget())) {
    button->setText(QString::fromStdString(Caption()));
    ShowDown();
  }
}

void TSpeedButton::ShowDown() {
  if (auto* button = static_cast<QToolButton*>(Widget())) {
    button->setCheckable(fGroupIndex > 0);
    button->setChecked(fDown);
  }
}

void TSpeedButton::SetFlat(bool value) {
  fFlat = value;
  if (auto* button = static_cast<QToolButton*>(Widget())) button->setAutoRaise(value);
}

void TSpeedButton::SetDown(bool value) {
  if (fGroupIndex == 0 && !IsLoading()) value = false;  // only grouped buttons stay down
  if (value && Parent() && !IsLoading()) {
    for (int i = 0; i < Parent()->ControlCount(); ++i) {
      auto* other = dynamic_cast<TSpeedButton*>(Parent()->Controls(i));
      if (other && other != this && other->fGroupIndex == fGroupIndex && other->fDown) {
        other->fDown = false;
        other->ShowDown();
      }
    }
  }
  fDown = value;
  ShowDown();
}

void TSpeedButton::Click() {
  if (fGroupIndex > 0) {
    // A click puts a grouped button down; only AllowAllUp lets a click take it up again.
    SetDown(fDown && fAllowAllUp ? false : true);
  }
  ShowDown();  // Qt toggled the widget by itself; the property decides
  TControl::Click();
}

}  // namespace dravik
