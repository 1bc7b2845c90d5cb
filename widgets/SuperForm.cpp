#include "widgets/SuperForm.h"

#include <QScreen>
#include <algorithm>

#include <sstream>

#include "platform/core/classes/ScopeExit.h"
#include "platform/core/forms/Application.h"
#include "platform/core/resources/ModuleResources.h"
#include "platform/core/system/SysUtils.h"
#include "platform/core/typinfo/ClassBuilder.h"

namespace dravik {

namespace {
void ReadOwnFormFile(TComponent* root, const TClassRecord& base) {
  const TClassRecord& type = root->ClassType();
  if (&type == &base) return;
  if (!ReadFormResource(type.Name(), root))
    throw EResNotFound(Format("Resource %s not found", {type.Name()}));
}
}  // namespace

const TClassRecord& TMinMaxInfo::StaticClass() {
  static const TClassRecord& record =
      TClassBuilder<TMinMaxInfo, TPersistent>("TMinMaxInfo", "SuperForm")
          .Property("Enabled", &TMinMaxInfo::Enabled, &TMinMaxInfo::SetEnabled)
          .Default(false)
          .Property("SizeX", &TMinMaxInfo::SizeX, &TMinMaxInfo::SetSizeX)
          .Default(0)
          .Property("SizeY", &TMinMaxInfo::SizeY, &TMinMaxInfo::SetSizeY)
          .Default(0)
          .Build();
  return record;
}

void TMinMaxInfo::SetEnabled(bool value) {
  fEnabled = value;
  OnChange(this);
}

void TMinMaxInfo::SetSizeX(int32_t value) {
  fSizeX = value;
  OnChange(this);
}

void TMinMaxInfo::SetSizeY(int32_t value) {
  fSizeY = value;
  OnChange(this);
}

void TMinMaxInfo::Assign(const TPersistent* source) {
  auto* other = dynamic_cast<const TMinMaxInfo*>(source);
  if (!other) {
    TPersistent::Assign(source);
    return;
  }
  fEnabled = other->fEnabled;
  fSizeX = other->fSizeX;
  fSizeY = other->fSizeY;
  OnChange(this);
}

const TClassRecord& TSuperForm::StaticClass() {
  static const TClassRecord& record =
      TClassBuilder<TSuperForm, TForm>("TSuperForm", "SuperForm")
          .Property("SizeMinTrack", &TSuperForm::SizeMinTrack, &TSuperForm::SetSizeMinTrack)
          .Property("SizeMaxTrack", &TSuperForm::SizeMaxTrack, &TSuperForm::SetSizeMaxTrack)
          .Property("Position", &TSuperForm::Position, &TSuperForm::SetPosition)
          .Default(poScreenCenter)
          .Property("Visible", &TSuperForm::ShowPending, &TSuperForm::SetVisible)
          .Default(false)
          .Property("AutoScroll", &TSuperForm::AutoScroll, &TSuperForm::SetAutoScroll)
          .Default(false)
          .Property("SuperForm", &TSuperForm::SuperFormPlaceholder,
                    &TSuperForm::SetSuperFormPlaceholder)
          .Event("OnGetMinMaxInfo", &TSuperForm::OnGetMinMaxInfo)
          .Build();
  return record;
}
static const TClassRegistration kSuperFormRegistration(TSuperForm::StaticClass());

TSuperForm::TSuperForm(TComponent* owner)
    : TForm(owner),
      fSizeMinTrack(std::make_unique<TMinMaxInfo>()),
      fSizeMaxTrack(std::make_unique<TMinMaxInfo>()) {
  fSizeMinTrack->OnChange = TNotifyEvent::Of<&TSuperForm::TrackSizesChanged>(this);
  fSizeMaxTrack->OnChange = TNotifyEvent::Of<&TSuperForm::TrackSizesChanged>(this);
  SetPosition(poScreenCenter);
  fNormalBounds = BoundsRect();
}

void TSuperForm::AfterConstruction() {
  // Past the form base, which would read the file without the show request held back.
  TWinControl::AfterConstruction();
  {
    auto creating = SetForScope(fCreating, true);
    ReadOwnFormFile(this, StaticClass());
  }
  try {
    OnCreate(this);
  } catch (...) {
    HandleException(this);
  }
  if (fShowRequested) {
    fShowRequested = false;
    Show();
  }
}

void TSuperForm::SetVisible(bool value) {
  if (fCreating) {
    fShowRequested = value;
    return;
  }
  TForm::SetVisible(value);
}

void TSuperForm::SetBounds(int32_t left, int32_t top, int32_t width, int32_t height) {
  TForm::SetBounds(left, top, width, height);
  if (WindowState() == wsNormal) fNormalBounds = BoundsRect();
}

void TSuperForm::InitWidget() {
  TForm::InitWidget();
  TrackSizesChanged(nullptr);
}

void TSuperForm::TrackSizesChanged(TObject*) {
  QWidget* window = Widget();
  if (!window) return;
  TMinMaxRecord limits;
  const QRect screen = window->screen() ? window->screen()->availableGeometry() : QRect();
  limits.MaxSizeX = screen.width();
  limits.MaxSizeY = screen.height();
  limits.MaxPositionX = screen.left();
  limits.MaxPositionY = screen.top();
  limits.MaxTrackSizeX = limits.MaxTrackSizeY = QWIDGETSIZE_MAX;
  if (fSizeMinTrack->Active()) {
    limits.MinTrackSizeX = fSizeMinTrack->SizeX();
    limits.MinTrackSizeY = fSizeMinTrack->SizeY();
  }
  if (fSizeMaxTrack->Active()) {
    limits.MaxTrackSizeX = fSizeMaxTrack->SizeX();
    limits.MaxTrackSizeY = fSizeMaxTrack->SizeY();
  }
  try {
    OnGetMinMaxInfo(this, limits);
  } catch (...) {
    HandleException(this);
  }
  auto size = [](int32_t value) { return std::clamp<int32_t>(value, 0, QWIDGETSIZE_MAX); };
  window->setMinimumSize(size(limits.MinTrackSizeX), size(limits.MinTrackSizeY));
  window->setMaximumSize(size(limits.MaxTrackSizeX), size(limits.MaxTrackSizeY));
}

std::string TSuperForm::GetWindowStateData() const {
  const TRect& r = fNormalBounds;
  return Format("(%d %d %d %d %d)",
                {r.Left, r.Top, r.Width(), r.Height(), static_cast<int32_t>(WindowState())});
}

void TSuperForm::SetWindowStateData(const std::string& data) {
  if (data.empty() || data[0] != '(') return;
  std::istringstream in(data.substr(1));
  int32_t left = 0, top = 0, width = 0, height = 0, state = 0;
  if (!(in >> left >> top >> width >> height >> state)) return;
  SetPosition(poDesigned);
  switch (BorderStyle()) {
    case bsNone:
    case bsSingle:
    case bsDialog:
    case bsToolWindow:
      SetBounds(left, top, Width(), Height());
      return;
    default:
      break;
  }
  if (WindowState() != wsNormal) SetWindowState(wsNormal);
  SetBounds(left, top, width, height);
  if (state >= wsNormal && state <= wsMaximized) SetWindowState(static_cast<TWindowState>(state));
}

const TClassRecord& TSuperDataModule::StaticClass() {
  static const TClassRecord& record =
      TClassBuilder<TSuperDataModule, TDataModule>("TSuperDataModule", "SuperForm").Build();
  return record;
}

void TSuperDataModule::AfterConstruction() {
  ReadOwnFormFile(this, StaticClass());
  TDataModule::AfterConstruction();
}

}  // namespace dravik
