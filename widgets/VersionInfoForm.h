#pragma once
// The version dialog: every unit the program registered, with its revision, last change, last
// author and archive path, sortable by each column, saved as a text file; and TVersionInfo, the
// component that shows it.

#include <string>
#include <vector>

#include "platform/core/classes/Component.h"
#include "widgets/SuperForm.h"
#include "widgets/VersionInfoRules.h"

namespace dravik {

class TConfigFile;
class TListColumn;
class TListView;
class TStatusBar;

class TVersionInfoForm : public TSuperForm {
 public:
  using TSuperForm::TSuperForm;
  static const TClassRecord& StaticClass();
  const TClassRecord& ClassType() const override { return StaticClass(); }

  // Lists the units of these headers instead of the registered ones.
  void ShowHeaders(const std::vector<std::string>& headers);
  const std::vector<TVersionRow>& Rows() const { return fRows; }
  // Sorts by the column; the same column again reverses the order.
  void SortBy(int column);
  // Writes the list as text; false, after telling the user, when the file cannot be written.
  bool SaveList(const std::string& fileName);

  TListView* List() const;
  TStatusBar* Status() const;

  void ListColumnClick(TObject* sender, TListColumn* column);
  void SaveClick(TObject* sender);
  void CloseClick(TObject* sender);
  void FontClick(TObject* sender);

 protected:
  void AfterConstruction() override;
  void BeforeDestruction() override;

 private:
  void RowsToList();
  TConfigFile* Config() const;
  std::vector<TVersionRow> fRows;
  int fSortColumn = -1;
  bool fDescending = false;
};

// Shows the version dialog of the program's units.
class TVersionInfo : public TComponent {
 public:
  using TComponent::TComponent;
  static const TClassRecord& StaticClass();
  const TClassRecord& ClassType() const override { return StaticClass(); }
  void Execute();
};

}  // namespace dravik
