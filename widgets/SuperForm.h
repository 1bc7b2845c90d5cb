#pragma once
// The form every window of the system derives from: minimum and maximum tracking sizes, the
// normal bounds kept while the window is maximised or minimised, position, size and window
// state as one text, and a show requested during creation held back until the form is read.

#include "platform/core/forms/DataModule.h"
#include "platform/ui/Forms.h"

namespace dravik {

class TMinMaxInfo : public TPersistent {
 public:
  static const TClassRecord& StaticClass();
  const TClassRecord& ClassType() const override { return StaticClass(); }
  bool Enabled() const { return fEnabled; }
  void SetEnabled(bool value);
  int32_t SizeX() const { return fSizeX; }
  void SetSizeX(int32_t value);
  int32_t SizeY() const { return fSizeY; }
  void SetSizeY(int32_t value);
  void Assign(const TPersistent* source) override;
  // Whether the sizes limit the window: enabled, both above 0.
  bool Active() const { return fEnabled && fSizeX > 0 && fSizeY > 0; }
  TNotifyEvent OnChange;

 private:
  bool fEnabled = false;
  int32_t fSizeX = 0, fSizeY = 0;
};

// The limits a window may be sized within, as the system asks a window for them: the size and
// position when maximised and the smallest and largest size the user may drag it to.
struct TMinMaxRecord {
  int32_t MaxSizeX = 0, MaxSizeY = 0;
  int32_t MaxPositionX = 0, MaxPositionY = 0;
  int32_t MinTrackSizeX = 0, MinTrackSizeY = 0;
  int32_t MaxTrackSizeX = 0, MaxTrackSizeY = 0;
};
using TMinMaxInfoNotify =
    TEvent<"TMinMaxInfoNotify", TObject* /*Sender*/, TMinMaxRecord& /*MinMaxInfo*/>;

class TSuperForm : public TForm {
 public:
  explicit TSuperForm(TComponent* owner);
  static const TClassRecord& StaticClass();
  const TClassRecord& ClassType() const override { return StaticClass(); }

  TMinMaxInfo* SizeMinTrack() const { return fSizeMinTrack.get(); }
  void SetSizeMinTrack(TMinMaxInfo* value) { fSizeMinTrack->Assign(value); }
  TMinMaxInfo* SizeMaxTrack() const { return fSizeMaxTrack.get(); }
  void SetSizeMaxTrack(TMinMaxInfo* value) { fSizeMaxTrack->Assign(value); }

  // "(left top width height state)": the normal bounds and the window state as 0, 1 or 2.
  std::string GetWindowStateData() const;
  // Takes such a text back; a text that does not parse is ignored. Fixed-size border styles
  // take the position only.
  void SetWindowStateData(const std::string& data);

  // True while the form is being read and a show was asked for meanwhile, or when visible;
  // the published Visible answers this.
  bool ShowPending() const { return Visible() || fShowRequested; }
  // Kept with the form: its controls do not scroll.
  bool AutoScroll() const { return fAutoScroll; }
  void SetAutoScroll(bool value) { fAutoScroll = value; }
  // Called after the tracking sizes were put into the limits, which it may change.
  TMinMaxInfoNotify OnGetMinMaxInfo;
  void SetVisible(bool value) override;
  void SetBounds(int32_t left, int32_t top, int32_t width, int32_t height) override;

 protected:
  // Reads the form file of a derived class (which must have one), then shows the form when a
  // show was asked for while it was read.
  void AfterConstruction() override;
  void InitWidget() override;

 private:
  void TrackSizesChanged(TObject*);
  // The design-time placeholder that opens the tracking-size editor; holds nothing.
  TComponent* SuperFormPlaceholder() const { return nullptr; }
  void SetSuperFormPlaceholder(TComponent*) {}
  bool fAutoScroll = false;
  std::unique_ptr<TMinMaxInfo> fSizeMinTrack, fSizeMaxTrack;
  TRect fNormalBounds;
  bool fCreating = false;
  bool fShowRequested = false;
};

class TSuperDataModule : public TDataModule {
 public:
  using TDataModule::TDataModule;
  static const TClassRecord& StaticClass();
  const TClassRecord& ClassType() const override { return StaticClass(); }

 protected:
  // Reads the form file of a derived class, which must have one.
  void AfterConstruction() override;
};

}  // namespace dravik
