#pragma once
// TLanguageManager: everything one TDravik knows about its form: the language list, the entry
// tree of chosen properties with one value per language, and the named strings. It switches one
// form by exchanging each property's live value with the stored value of the target language.

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "runtime/LangPropertyEntries.h"
#include "runtime/LanguageEntries.h"

namespace dravik {

class TCESettings;
class TLogFile;
class TStringList;
class TStrings;

enum TCreateMode { cmNone, cmConsistent, cmInconsistent };
const TTypeInfo& TypeInfoFor(TCreateMode);
enum TSyncCountMode { cmInitNone, cmInitDefault, cmInitAll };
const TTypeInfo& TypeInfoFor(TSyncCountMode);
// How an import treats what the form holds: drop it, let the file win, or let the form win.
enum TImportMode { imClearExisting, imAddAll, imAddNotExisting };
const TTypeInfo& TypeInfoFor(TImportMode);

class TLanguageManager : public TObject {
 public:
  // collectionOwner owns the language list in the name path; control is the TDravik.
  // entryClass, when given, replaces the mode's class of property entries.
  TLanguageManager(TComponent* owner, TCreateMode mode, TPersistent* collectionOwner,
                   TComponent* control, const TClassRecord* entryClass = nullptr);
  ~TLanguageManager() override;
  static const TClassRecord& StaticClass();
  const TClassRecord& ClassType() const override { return StaticClass(); }

  bool HasFormOwner() const { return fHasFormOwner; }
  TComponent* Owner() const { return fOwner; }
  TComponent* Control() const { return fControl; }
  TLanguageEntries* Langs() const { return fLangs.get(); }
  TComponentEntries* Comps() const { return fComps.get(); }  // null in mode cmNone
  TStringList* Names() const { return fNames.get(); }
  TStringList* Values() const { return fValues.get(); }
  int GetLangCount() const { return fLangs->Count(); }

  // Re-binds the entry tree to the live components, aligns the slot counts and binds the
  // named strings to Values.
  void Init(TSyncCountMode mode);
  void Clear();
  void Assign(const TLanguageManager& source);
  // Exchanges languages, entries and named strings with other (a manager of the same owner,
  // control and mode) without copying them.
  void SwapContent(TLanguageManager& other);

  // Gives every property entry one slot per language, filling new slots as mode says.
  void SyncCount(TSyncCountMode mode);
  // The same for one entry, up to count slots.
  void SyncEntryCount(TConsistentLangPropertyEntry& entry, int count, TSyncCountMode mode);
  // Takes a new language list whose kept entries carry their slot, new ones -1, the chosen one
  // marked; closes slot gaps, numbers the new languages and activates the marked one.
  void AssignLangsAndSync(const TLanguageEntries& newLangs, TSyncCountMode mode);
  // Makes the language at index active; false when it already is or has no slot.
  bool SetLanguageByIndex(int index);

  // The four stored properties: prefix + "Langs", "Comps", "Names", "Values".
  void DefineProperties(TFiler& filer, const std::string& prefix);

  // Translators' text files (LanguageExchange.cpp). The export writes one section per
  // language, "[Class.Language]", and one line "Component.Path='value'" per property and
  // "Dravik.#Name='value'" per named string; EConvertError for a value with a line break, which
  // the format cannot hold (nothing is written then).
  void ExportLanguages(const std::string& fileName, TLogFile* log = nullptr) const;
  std::string ExportText(TLogFile* log = nullptr) const;  // what ExportLanguages writes
  // Each exported entry in file order with its key ("Button1.Caption", "Dravik.#Name") and
  // where it sits ("Button1.Caption", "Dravik.Resources.Name").
  using TExportKeyProc = std::function<void(const std::string& key, const std::string& where,
                                            const TConsistentLangPropertyEntry& entry)>;
  void ForEachExportKey(const TExportKeyProc& proc) const;
  // An entry's value in a slot as text; empty for a slot it does not have.
  static std::string LanguageText(const TConsistentLangPropertyEntry& entry, int slot);
  // The file's sections in file order as "Class=Language"; a missing file leaves list alone.
  static void GetAvailLangSections(const std::string& fileName, TStrings& list);
  // Reads the chosen sections into the form's live components and stored data, offering only
  // the properties settings admit (all when null). Lines taken only through the ".Caption"
  // fallback go to adjusted, lines nothing takes to rejected, both as "[section]=line". When
  // the import fails, the manager keeps what it held and the exception passes on.
  bool ImportLanguages(const std::string& fileName, const TCESettings* settings, TImportMode mode,
                       bool initAll, const TStrings& sections, TStrings* adjusted,
                       TStrings* rejected);

  // Named strings.
  bool GetString(const std::string& name, std::string& value) const;
  TMainEntry* GetStringInterface(bool create);
  TConsistentLangPropertyEntry* AddString(const std::string& name);
  void RemoveString(TConsistentLangPropertyEntry* entry);
  bool IsUniqueStringName(const std::string& name) const;
  int GetStringNameIndex(const std::string& name) const;
  static bool IsStringNameValid(const std::string& name);
  // Keeps Names, Values and the string entries together after Comps was assigned.
  void OnCompsAssign();
  // Whether entry stands for a named string of this manager.
  bool IsStringEntry(const TPropertyEntry& entry) const;
  // Where an entry sits: "Component.Path", or "#Name" for a named string.
  std::string EntryKey(const TPropertyEntry& entry) const;

 private:
  [[noreturn]] void Fail(const std::string& operationAndReason) const;
  void ForEachLangEntry(const std::function<void(TConsistentLangPropertyEntry&)>& proc);
  Variant InitialValue(TConsistentLangPropertyEntry& entry, TSyncCountMode mode, int oldCount,
                       int slot);
  void DeleteStringLine(int line);
  void CheckStringLines() const;
  // Stored data that contradicts itself is an EReadError when it is read.
  void CheckSubIndices() const;
  static constexpr unsigned kNamesRead = 1, kValuesRead = 2;
  void StringListRead(unsigned list);
  // Binds the entry tree and makes the switch's table of it.
  void BindForSwitch();
  // Lends the table's text entries' stored texts to fSwitchTexts: all of them when the table or
  // the number of languages changed, else those taken back since the last switch.
  void LendSwitchTexts();

  bool fHasFormOwner = false;
  TComponent* fOwner = nullptr;    // not owned
  TComponent* fControl = nullptr;  // not owned
  std::unique_ptr<TLanguageEntries> fLangs;
  std::unique_ptr<TComponentEntries> fComps;
  std::unique_ptr<TStringList> fNames;
  std::unique_ptr<TStringList> fValues;
  uint64_t fBoundGeneration = 0;  // the structure the entry tree was last bound to
  // The switch's table, made when the entry tree is bound: the language entries in the order of
  // the tree's walk, each text entry of the tree's own class with the object it was bound to, so
  // that a switch neither walks the tree nor looks up an entry's parents.
  struct TSwitchRow {
    TConsistentLangPropertyEntry* Entry;
    TInconsistentLangPropertyEntry* Text;  // null for an entry of another class
    TObject* Object;                       // null where the entry is no published property's
  };
  std::vector<TSwitchRow> fSwitchTable;
  std::shared_ptr<TSwitchTexts> fSwitchTexts;  // the texts lent, a row for each of the table's
  std::string fSwitchScratch;                  // the text buffer the table's exchanges pass on
  unsigned fStringListsRead = 0;  // which of Names and Values a stream has given so far
};

}  // namespace dravik
