#pragma once
// TStrings and TStringList: lists of strings, each with an object reference, with the text,
// comma and name=value views, case-insensitive search and sorting.

#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/core/classes/Object.h"
#include "platform/core/typinfo/Method.h"

namespace dravik {

class TStream;

class TStrings : public TPersistent {
 public:
  static const TClassRecord& StaticClass();
  const TClassRecord& ClassType() const override { return StaticClass(); }

  virtual int Count() const = 0;
  virtual std::string Get(int index) const = 0;
  virtual void Put(int index, const std::string& s);
  virtual TObject* GetObject(int index) const;
  virtual void PutObject(int index, TObject* object);
  virtual void Insert(int index, const std::string& s) = 0;
  virtual void Delete(int index) = 0;
  virtual void Clear() = 0;

  std::string Strings(int index) const { return Get(index); }
  TObject* Objects(int index) const { return GetObject(index); }
  virtual int Add(const std::string& s);
  int AddObject(const std::string& s, TObject* object);
  void AddStrings(const TStrings& strings);
  void InsertObject(int index, const std::string& s, TObject* object);
  virtual int IndexOf(std::string_view s) const;  // ignores case; -1 when absent
  int IndexOfName(std::string_view name) const;
  int IndexOfObject(const TObject* object) const;
  virtual void Exchange(int a, int b);
  void Move(int from, int to);
  bool Equals(const TStrings& other) const;

  // "name=value" lines.
  std::string Names(int index) const;
  std::string Values(std::string_view name) const;
  void SetValues(std::string_view name, const std::string& value);  // empty value deletes

  // Every line followed by CR LF; setting splits at CR LF, LF or CR.
  std::string Text() const;
  virtual void SetText(std::string_view text);
  // Comma-separated, with double quotes around items that hold blanks, quotes or commas.
  std::string CommaText() const;
  void SetCommaText(std::string_view text);

  void LoadFromStream(TStream& stream);
  void SaveToStream(TStream& stream) const;
  void LoadFromFile(const std::string& fileName);
  void SaveToFile(const std::string& fileName) const;

  void BeginUpdate();
  void EndUpdate();
  void Assign(const TPersistent* source) override;
  void DefineProperties(TFiler& filer) override;

 protected:
  virtual void SetUpdateState(bool updating);
  int UpdateCount() const { return fUpdateCount; }
  [[noreturn]] static void IndexError(int index);

 private:
  int fUpdateCount = 0;
};

enum TDuplicates { dupIgnore, dupAccept, dupError };

class TStringList : public TStrings {
 public:
  using TCompare = std::function<int(const TStringList& list, int a, int b)>;

  TStringList() = default;
  ~TStringList() override;
  static const TClassRecord& StaticClass();
  const TClassRecord& ClassType() const override { return StaticClass(); }

  int Count() const override { return static_cast<int>(fItems.size()); }
  std::string Get(int index) const override;
  void Put(int index, const std::string& s) override;
  TObject* GetObject(int index) const override;
  void PutObject(int index, TObject* object) override;
  int Add(const std::string& s) override;
  void Insert(int index, const std::string& s) override;
  void Delete(int index) override;
  void Clear() override;
  void Exchange(int a, int b) override;
  int IndexOf(std::string_view s) const override;

  // Binary search of a sorted list: true and the index when found, else the insertion index.
  bool Find(std::string_view s, int& index) const;
  void Sort();
  void CustomSort(const TCompare& compare);
  bool Sorted() const { return fSorted; }
  void SetSorted(bool sorted);
  TDuplicates Duplicates() const { return fDuplicates; }
  void SetDuplicates(TDuplicates duplicates) { fDuplicates = duplicates; }
  // A list that owns its objects frees them when lines are deleted and with the list.
  bool OwnsObjects() const { return fOwnsObjects; }
  void SetOwnsObjects(bool owns) { fOwnsObjects = owns; }

  TNotifyEvent OnChange;
  TNotifyEvent OnChanging;

 protected:
  void SetUpdateState(bool updating) override;
  void Changed();
  void Changing();

 private:
  struct TItem {
    std::string String;
    TObject* Object = nullptr;
  };
  void InsertItem(int index, const std::string& s);
  void CheckIndex(int index) const;

  std::vector<TItem> fItems;
  bool fSorted = false;
  bool fOwnsObjects = false;
  TDuplicates fDuplicates = dupIgnore;
};

}  // namespace dravik
