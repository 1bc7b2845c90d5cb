#pragma once
// TWriter: writes components as a component stream: the root and its children, each with its
// stored published properties that differ from their defaults, its extra stream properties,
// collections, component references by name ("Owner" for the root) and methods by name.

#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "platform/core/filer/Filer.h"
#include "platform/core/filer/StreamFormat.h"
#include "platform/core/system/Variant.h"

namespace dravik {

class TBinaryObjectWriter;
class TCollection;
struct TKeptSpelling;
struct TKeptStreamData;
struct TPropInfo;

class TWriter : public TFiler {
 public:
  explicit TWriter(TStream& stream);
  ~TWriter() override;

  void WriteRootComponent(TComponent* root);  // "TPF0" and the root with its children
  void WriteComponent(TComponent* component);
  void WriteData(TComponent* instance);  // header, properties and children
  void WriteProperties(TPersistent* instance);
  void WriteCollection(const TCollection& collection);

  void WriteListBegin();
  void WriteListEnd();
  void WriteInteger(int64_t value);
  void WriteBoolean(bool value);
  void WriteChar(char value);
  void WriteFloat(long double value);  // vaExtended
  void WriteSingle(float value);
  void WriteCurrency(TCurrency value);
  void WriteDate(double value);
  void WriteString(const std::string& value);
  void WriteIdent(const std::string& value);
  void WriteVariant(const Variant& value);
  // A value as stored bytes, its marker first (what TReader::CopyValue gives).
  void WriteRawValue(std::string_view bytes);

  void DefineProperty(const std::string& name, const TReaderProc& readData,
                      const TWriterProc& writeData, bool hasData) override;
  void DefineBinaryProperty(const std::string& name, const TStreamProc& readData,
                            const TStreamProc& writeData, bool hasData) override;

 private:
  void WriteProperty(TPersistent& instance, const TPropInfo& prop);
  // One published property by kind, unless it holds its default.
  void WriteOrdinalProp(TPersistent& instance, const TPropInfo& prop);
  void WriteFloatProp(TPersistent& instance, const TPropInfo& prop);
  void WriteStringProp(TPersistent& instance, const TPropInfo& prop);
  void WriteObjectProp(TPersistent& instance, const TPropInfo& prop);
  void WriteMethodProp(TPersistent& instance, const TPropInfo& prop);
  void WriteVariantProp(TPersistent& instance, const TPropInfo& prop);
  void WritePropName(const std::string& name);
  std::string ComponentReference(TComponent* component) const;

  // The properties kept for the instance being written (KeptStreamData.h), each written once:
  // after the property it followed when read, the others at the end.
  struct TKeptWriting {
    const TKeptStreamData* Data = nullptr;
    std::vector<bool> Written;
  };
  void WriteKeptAfter(std::string_view path);
  void WriteKeptRest();
  const TKeptSpelling* FindSpelling(const std::string& name, int64_t value) const;

  std::unique_ptr<TBinaryObjectWriter> fDriver;
  std::string fPropPath;  // "Font." while the properties of a sub-object are written
  TKeptWriting* fKept = nullptr;
};

}  // namespace dravik
