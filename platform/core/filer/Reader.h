#pragma once
// TReader: reads a component stream into components through their type information: published
// properties, extra stream properties, collections, child components, component references
// (resolved once the whole root is read) and method references by name.

#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "platform/core/filer/Filer.h"
#include "platform/core/filer/StreamFormat.h"
#include "platform/core/system/Variant.h"

namespace dravik {

class TBinaryObjectReader;
class TClassRecord;
class TCollection;
class TStandInClasses;
struct TPropInfo;

class TReader : public TFiler {
 public:
  explicit TReader(TStream& stream);
  ~TReader() override;

  // Reads a whole stream ("TPF0" and its root) into root; with no root, creates one of the
  // class the stream names. Loaded is called on every component read, once all are read.
  TComponent* ReadRootComponent(TComponent* root);
  // Reads one component (header, properties, children) owned by Owner().
  TComponent* ReadComponent(TComponent* component);
  // The properties and children of instance, after its header.
  void ReadData(TComponent* instance);
  // The children of instance, after its properties, up to the end of their list.
  void ReadChildren(TComponent* instance);
  void ReadProperty(TPersistent* instance);
  void ReadCollection(TCollection& collection);

  TValueType NextValue();
  TValueType ReadValue();
  bool EndOfList();
  void ReadListBegin();
  void ReadListEnd();
  int32_t ReadInteger();
  int64_t ReadInt64();
  bool ReadBoolean();
  char ReadChar();
  long double ReadFloat();
  std::string ReadString();  // any string marker, as UTF-8
  std::string ReadIdent();   // identifiers, and nil/false/true as their names
  Variant ReadVariant();
  void SkipValue();
  std::string ReadPropName();
  // Appends the next value's bytes, its marker first, to out.
  void CopyValue(std::string& out);

  TComponent* Owner() const { return fOwner; }
  void SetOwner(TComponent* owner) { fOwner = owner; }

  void DefineProperty(const std::string& name, const TReaderProc& readData,
                      const TWriterProc& writeData, bool hasData) override;
  void DefineBinaryProperty(const std::string& name, const TStreamProc& readData,
                            const TStreamProc& writeData, bool hasData) override;

  // Where the class of a component comes from: the hook first (for classes described at run
  // time), then the registered classes.
  std::function<const TClassRecord*(const std::string& className)> OnFindComponentClass;
  // A method named in the stream: the hook may supply its code; by default the root's class.
  std::function<void(const std::string& methodName, void*& code)> OnFindMethod;
  // A read error: set handled to skip the offending property and go on.
  std::function<void(const std::string& message, bool& handled)> OnError;

  // With stand-ins, nothing a stream holds is refused for want of a class: a class that is
  // neither found by the hook nor registered is described at run time, and each component is
  // made a stand-in of it (StandIn.h); a property the class does not publish, an event handler
  // or a reference that cannot be resolved, and a component's prefix are kept with the object
  // (KeptStreamData.h) for the writer; an inherited component whose ancestor is missing is
  // made. Malformed input is still an error.
  void SetStandIns(std::shared_ptr<TStandInClasses> classes);
  const std::shared_ptr<TStandInClasses>& StandIns() const { return fStandIns; }

 private:
  struct TFixup {
    TPersistent* Instance;  // null once dropped with the items of a collection
    const TPropInfo* Prop;
    std::string Name;
    // With stand-ins: where the reference is kept when it cannot be resolved.
    TPersistent* Holder = nullptr;
    std::string Path;
    std::string Anchor;
  };
  struct TUnknownProperty;
  struct TKeepValue;

  void ReadPropValue(TPersistent& instance, const TPropInfo& prop);
  void ReadPropertyPath(TPersistent& instance, const std::string& path);
  // One value of a published property, by kind; next is the value's marker, not yet read.
  void ReadIntegerProp(TPersistent& instance, const TPropInfo& prop, TValueType next);
  void ReadCharProp(TPersistent& instance, const TPropInfo& prop);
  void ReadEnumProp(TPersistent& instance, const TPropInfo& prop);
  void ReadSetValue(TPersistent& instance, const TPropInfo& prop);
  void ReadFloatProp(TPersistent& instance, const TPropInfo& prop, TValueType next);
  void ReadStringProp(TPersistent& instance, const TPropInfo& prop);
  void ReadInt64Prop(TPersistent& instance, const TPropInfo& prop, TValueType next);
  void ReadReferenceProp(TPersistent& instance, const TPropInfo& prop);
  void ReadMethodProp(TPersistent& instance, const TPropInfo& prop);
  void ReadVariantProp(TPersistent& instance, const TPropInfo& prop);
  const TClassRecord& FindComponentClass(const std::string& className, bool root);
  // The path of the last property of instance that its class took; empty when none.
  std::string AnchorFor(const TPersistent* instance) const;
  void Keep(TPersistent& instance, const std::string& path, std::string value);
  void FixupReferences();
  void AddFixup(TFixup fixup);
  // Forgets the references waiting inside the collection's items, before they are freed.
  void DropFixupsWithin(const TCollection& collection);

  std::unique_ptr<TBinaryObjectReader> fDriver;
  TComponent* fOwner = nullptr;
  TComponent* fParent = nullptr;
  std::vector<TComponent*> fLoaded;
  std::vector<TComponent*> fCreated;  // by this read, in the order of creation
  std::vector<TFixup> fFixups;
  // For each collection, the fixups waiting inside it (at any depth): a collection read again
  // finds its own without looking at the others.
  std::unordered_map<const TCollection*, std::vector<std::size_t>> fFixupsWithin;
  std::string fPropName;  // the name DefineProperty matches against
  bool fPropFound = false;
  int fDepth = 0;
  std::shared_ptr<TStandInClasses> fStandIns;
  // With stand-ins: the last property read that its class took, and whose it was.
  const TPersistent* fAnchorOwner = nullptr;
  std::string fAnchor;
  TPersistent* fReading = nullptr;  // the instance whose property list is being read
  std::string fReadingPath;
  TComponent* fLookupRoot = nullptr;  // the owner of what is read inside an inline frame
};

// A component of root by a dotted path of names; "Owner" or root's own name stand for root.
TComponent* FindNestedComponent(TComponent* root, std::string_view path);

// Whole-stream helpers.
TComponent* ReadComponent(TStream& stream, TComponent* instance);
void WriteComponent(TStream& stream, TComponent* instance);

}  // namespace dravik
