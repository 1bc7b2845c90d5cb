#include "platform/core/classes/Strings.h"

#include <algorithm>

#include "platform/core/classes/UpdateScope.h"
#include "platform/core/filer/Filer.h"
#include "platform/core/filer/Reader.h"
#include "platform/core/filer/Writer.h"
#include "platform/core/streams/AtomicFile.h"
#include "platform/core/streams/FileStream.h"
#include "platform/core/system/Exceptions.h"
#include "platform/core/system/SysUtils.h"
#include "platform/core/typinfo/ClassBuilder.h"

namespace dravik {

namespace {

const TClassRegistration kRegistered(TStringList::StaticClass());

bool NeedsQuotes(const std::string& s) {
  for (char c : s)
    if (static_cast<unsigned char>(c) <= ' ' || c == '"' || c == ',') return true;
  return false;
}

}  // namespace

const TClassRecord& TStrings::StaticClass() {
  static const TClassRecord& record =
      TClassBuilder<TStrings, TPersistent>("TStrings", "Classes").Build();
  return record;
}

void TStrings::IndexError(int index) {
  throw EStringListError(Format("List index out of bounds (%d)", {index}));
}

void TStrings::Put(int index, const std::string& s) {
  TObject* object = GetObject(index);
  Delete(index);
  InsertObject(index, s, object);
}

TObject* TStrings::GetObject(int) const {
  return nullptr;
}

void TStrings::PutObject(int, TObject*) {}

int TStrings::Add(const std::string& s) {
  int index = Count();
  Insert(index, s);
  return index;
}

int TStrings::AddObject(const std::string& s, TObject* object) {
  int index = Add(s);
  PutObject(index, object);
  return index;
}

void TStrings::AddStrings(const TStrings& strings) {
  TUpdateScope update(*this);
  for (int i = 0; i < strings.Count(); ++i) AddObject(strings.Get(i), strings.GetObject(i));
}

void TStrings::InsertObject(int index, const std::string& s, TObject* object) {
  Insert(index, s);
  PutObject(index, object);
}

int TStrings::IndexOf(std::string_view s) const {
  for (int i = 0; i < Count(); ++i)
    if (SameText(Get(i), s)) return i;
  return -1;
}

int TStrings::IndexOfName(std::string_view name) const {
  for (int i = 0; i < Count(); ++i) {
    std::string line = Get(i);
    std::size_t eq = line.find('=');
    if (eq != std::string::npos && SameText(std::string_view(line).substr(0, eq), name)) return i;
  }
  return -1;
}

int TStrings::IndexOfObject(const TObject* object) const {
  for (int i = 0; i < Count(); ++i)
    if (GetObject(i) == object) return i;
  return -1;
}

void TStrings::Exchange(int a, int b) {
  TUpdateScope update(*this);
  std::string sa = Get(a), sb = Get(b);
  TObject* oa = GetObject(a);
  TObject* ob = GetObject(b);
  Put(a, sb);
  PutObject(a, ob);
  Put(b, sa);
  PutObject(b, oa);
}

void TStrings::Move(int from, int to) {
  if (from == to) return;
  TUpdateScope update(*this);
  std::string s = Get(from);
  TObject* object = GetObject(from);
  Delete(from);
  InsertObject(to, s, object);
}

bool TStrings::Equals(const TStrings& other) const {
  if (Count() != other.Count()) return false;
  for (int i = 0; i < Count(); ++i)
    if (Get(i) != other.Get(i)) return false;
  return true;
}

std::string TStrings::Names(int index) const {
  std::string line = Get(index);
  std::size_t eq = line.find('=');
  return eq == std::string::npos ? "" : line.substr(0, eq);
}

std::string TStrings::Values(std::string_view name) const {
  int index = IndexOfName(name);
  if (index < 0) return "";
  std::string line = Get(index);
  return line.substr(line.find('=') + 1);
}

void TStrings::SetValues(std::string_view name, const std::string& value) {
  int index = IndexOfName(name);
  if (value.empty()) {
    if (index >= 0) Delete(index);
    return;
  }
  std::string line = std::string(name) + "=" + value;
  if (index < 0) {
    Add(line);
  } else {
    Put(index, line);
  }
}

std::string TStrings::Text() const {
  std::string text;
  for (int i = 0; i < Count(); ++i) {
    text += Get(i);
    text += "\r\n";
  }
  return text;
}

void TStrings::SetText(std::string_view text) {
  TUpdateScope update(*this);
  Clear();
  std::size_t start = 0;
  while (start < text.size()) {
    std::size_t end = text.find_first_of("\r\n", start);
    if (end == std::string_view::npos) {
      Add(std::string(text.substr(start)));
      break;
    }
    Add(std::string(text.substr(start, end - start)));
    start = end + 1;
    if (text[end] == '\r' && start < text.size() && text[start] == '\n') ++start;
  }
}

std::string TStrings::CommaText() const {
  if (Count() == 1 && Get(0).empty()) return "\"\"";
  std::string text;
  for (int i = 0; i < Count(); ++i) {
    if (i > 0) text += ',';
    std::string s = Get(i);
    if (!NeedsQuotes(s)) {
      text += s;
      continue;
    }
    text += '"';
    for (char c : s) {
      text += c;
      if (c == '"') text += c;
    }
    text += '"';
  }
  return text;
}

void TStrings::SetCommaText(std::string_view text) {
  TUpdateScope update(*this);
  Clear();
  std::size_t i = 0;
  auto skipBlanks = [&] {
    while (i < text.size() && static_cast<unsigned char>(text[i]) <= ' ') ++i;
  };
  skipBlanks();
  while (i < text.size()) {
    std::string item;
    if (text[i] == '"') {
      for (++i; i < text.size(); ++i) {
        if (text[i] == '"') {
          if (i + 1 < text.size() && text[i + 1] == '"') {
            item += '"';
            ++i;
          } else {
            ++i;
            break;
          }
        } else {
          item += text[i];
        }
      }
    } else {
      while (i < text.size() && static_cast<unsigned char>(text[i]) > ' ' && text[i] != ',')
        item += text[i++];
    }
    Add(item);
    skipBlanks();
    if (i < text.size() && text[i] == ',') {
      ++i;
      skipBlanks();
      if (i >= text.size()) Add("");
    }
  }
}

void TStrings::LoadFromStream(TStream& stream) {
  std::string text(static_cast<std::size_t>(stream.Size() - stream.Position()), '\0');
  stream.ReadBuffer(text.data(), static_cast<int64_t>(text.size()));
  SetText(text);
}

void TStrings::SaveToStream(TStream& stream) const {
  std::string text = Text();
  stream.WriteBuffer(text.data(), static_cast<int64_t>(text.size()));
}

void TStrings::LoadFromFile(const std::string& fileName) {
  TFileStream stream(fileName, fmOpenRead);
  LoadFromStream(stream);
}

void TStrings::SaveToFile(const std::string& fileName) const {
  SaveFileAtomically(fileName, Text());
}

void TStrings::BeginUpdate() {
  if (fUpdateCount == 0) SetUpdateState(true);
  ++fUpdateCount;
}

void TStrings::EndUpdate() {
  if (fUpdateCount > 0 && --fUpdateCount == 0) SetUpdateState(false);
}

void TStrings::SetUpdateState(bool) {}

void TStrings::Assign(const TPersistent* source) {
  auto* other = dynamic_cast<const TStrings*>(source);
  if (!other) {
    TPersistent::Assign(source);
    return;
  }
  if (other == this) return;
  TUpdateScope update(*this);
  Clear();
  AddStrings(*other);
}

void TStrings::DefineProperties(TFiler& filer) {
  filer.DefineProperty(
      "Strings",
      [this](TReader& reader) {
        TUpdateScope update(*this);
        Clear();
        reader.ReadListBegin();
        while (!reader.EndOfList()) Add(reader.ReadString());
        reader.ReadListEnd();
      },
      [this](TWriter& writer) {
        writer.WriteListBegin();
        for (int i = 0; i < Count(); ++i) writer.WriteString(Get(i));
        writer.WriteListEnd();
      },
      Count() > 0);
}

const TClassRecord& TStringList::StaticClass() {
  static const TClassRecord& record =
      TClassBuilder<TStringList, TStrings>("TStringList", "Classes").Build();
  return record;
}

TStringList::~TStringList() {
  OnChange = {};
  OnChanging = {};
  Clear();
}

void TStringList::CheckIndex(int index) const {
  if (index < 0 || index >= Count()) IndexError(index);
}

std::string TStringList::Get(int index) const {
  CheckIndex(index);
  return fItems[static_cast<std::size_t>(index)].String;
}

void TStringList::Put(int index, const std::string& s) {
  if (fSorted) throw EStringListError("Operation not allowed on sorted string list");
  CheckIndex(index);
  Changing();
  fItems[static_cast<std::size_t>(index)].String = s;
  Changed();
}

TObject* TStringList::GetObject(int index) const {
  CheckIndex(index);
  return fItems[static_cast<std::size_t>(index)].Object;
}

void TStringList::PutObject(int index, TObject* object) {
  CheckIndex(index);
  Changing();
  TObject*& slot = fItems[static_cast<std::size_t>(index)].Object;
  if (fOwnsObjects && slot != object) delete slot;
  slot = object;
  Changed();
}

int TStringList::Add(const std::string& s) {
  int index = Count();
  if (fSorted) {
    if (Find(s, index)) {
      if (fDuplicates == dupIgnore) return index;
      if (fDuplicates == dupError) throw EStringListError("String list does not allow duplicates");
    }
  }
  InsertItem(index, s);
  return index;
}

void TStringList::Insert(int index, const std::string& s) {
  if (fSorted) throw EStringListError("Operation not allowed on sorted string list");
  if (index < 0 || index > Count()) IndexError(index);
  InsertItem(index, s);
}

void TStringList::InsertItem(int index, const std::string& s) {
  Changing();
  fItems.insert(fItems.begin() + index, TItem{s, nullptr});
  Changed();
}

void TStringList::Delete(int index) {
  CheckIndex(index);
  Changing();
  TObject* object = fItems[static_cast<std::size_t>(index)].Object;
  fItems.erase(fItems.begin() + index);
  if (fOwnsObjects) delete object;
  Changed();
}

void TStringList::Clear() {
  if (fItems.empty()) return;
  Changing();
  std::vector<TItem> items;
  items.swap(fItems);
  if (fOwnsObjects)
    for (TItem& item : items) delete item.Object;
  Changed();
}

void TStringList::Exchange(int a, int b) {
  CheckIndex(a);
  CheckIndex(b);
  Changing();
  std::swap(fItems[static_cast<std::size_t>(a)], fItems[static_cast<std::size_t>(b)]);
  Changed();
}

int TStringList::IndexOf(std::string_view s) const {
  if (!fSorted) return TStrings::IndexOf(s);
  int index;
  return Find(s, index) ? index : -1;
}

bool TStringList::Find(std::string_view s, int& index) const {
  int low = 0, high = Count() - 1;
  bool found = false;
  while (low <= high) {
    int mid = (low + high) / 2;
    int c = CompareText(fItems[static_cast<std::size_t>(mid)].String, s);
    if (c < 0) {
      low = mid + 1;
    } else {
      high = mid - 1;
      if (c == 0) {
        found = true;
        if (fDuplicates != dupAccept) low = mid;
      }
    }
  }
  index = low;
  return found;
}

void TStringList::Sort() {
  CustomSort([](const TStringList& list, int a, int b) {
    return CompareText(list.fItems[static_cast<std::size_t>(a)].String,
                       list.fItems[static_cast<std::size_t>(b)].String);
  });
}

void TStringList::CustomSort(const TCompare& compare) {
  if (fItems.size() < 2) return;
  Changing();
  // Sort a permutation, since the comparison asks the list by index.
  std::vector<int> order(fItems.size());
  for (std::size_t i = 0; i < order.size(); ++i) order[i] = static_cast<int>(i);
  std::stable_sort(order.begin(), order.end(),
                   [&](int a, int b) { return compare(*this, a, b) < 0; });
  std::vector<TItem> sorted;
  sorted.reserve(fItems.size());
  for (int i : order) sorted.push_back(std::move(fItems[static_cast<std::size_t>(i)]));
  fItems.swap(sorted);
  Changed();
}

void TStringList::SetSorted(bool sorted) {
  if (sorted == fSorted) return;
  if (sorted) Sort();
  fSorted = sorted;
}

void TStringList::SetUpdateState(bool updating) {
  if (updating) {
    Changing();
  } else {
    Changed();
  }
}

void TStringList::Changing() {
  if (UpdateCount() == 0) OnChanging(this);
}

void TStringList::Changed() {
  if (UpdateCount() == 0) OnChange(this);
}

}  // namespace dravik
