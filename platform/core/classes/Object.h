#pragma once
// The root classes: TObject (every object the type information can describe) and TPersistent
// (objects that can be assigned to each other and streamed).

#include <memory>
#include <string>
#include <type_traits>

#include "platform/core/typinfo/ClassRecord.h"

namespace dravik {

class TFiler;
struct TKeptStreamData;

class TObject {
 public:
  TObject() = default;
  TObject(const TObject&) = delete;
  TObject& operator=(const TObject&) = delete;
  virtual ~TObject() = default;

  static const TClassRecord& StaticClass();
  virtual const TClassRecord& ClassType() const { return StaticClass(); }
  const std::string& ClassName() const { return ClassType().Name(); }
  bool InheritsFrom(const TClassRecord& record) const { return ClassType().InheritsFrom(record); }
};

class TPersistent : public TObject {
 public:
  TPersistent();
  ~TPersistent() override;
  static const TClassRecord& StaticClass();
  const TClassRecord& ClassType() const override { return StaticClass(); }

  // Copies the contents of source; EConvertError "Cannot assign a X to a Y" when neither side
  // knows how.
  virtual void Assign(const TPersistent* source);
  // Declares the extra stream properties that are not published properties.
  virtual void DefineProperties(TFiler& filer);
  // The object this one belongs to in the name path (a collection's owner, a component's owner).
  virtual TPersistent* GetOwner() const { return nullptr; }
  virtual std::string GetNamePath() const;

  // What a stream held for this object that its class has no place for; null when nothing.
  TKeptStreamData* KeptStreamData() const { return fKept.get(); }
  TKeptStreamData& KeepStreamData();  // made on first use

 protected:
  virtual void AssignTo(TPersistent* dest) const;

 private:
  std::unique_ptr<TKeptStreamData> fKept;
};

// Class type information for object references: T* publishes as T's class.
template <class T>
struct TTypeInfoOf<T*, std::enable_if_t<std::is_base_of_v<TObject, T>>> {
  static const TTypeInfo& Get() {
    if (const TClassRecord* building = TRecordInProgress<T>::Record) return building->TypeInfo();
    return T::StaticClass().TypeInfo();
  }
};

// Keeps a class in the list the reader creates classes from, for the program's life.
struct TClassRegistration {
  explicit TClassRegistration(const TClassRecord& record) { RegisterClass(record); }
};

}  // namespace dravik
