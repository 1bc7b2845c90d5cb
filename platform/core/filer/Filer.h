#pragma once
// TFiler: what TReader and TWriter share, above all the extra stream properties that a
// persistent object declares in DefineProperties.

#include <functional>
#include <string>

namespace dravik {

class TComponent;
class TPersistent;
class TReader;
class TStream;
class TWriter;

class TFiler {
 public:
  using TReaderProc = std::function<void(TReader&)>;
  using TWriterProc = std::function<void(TWriter&)>;
  using TStreamProc = std::function<void(TStream&)>;

  virtual ~TFiler() = default;

  // A property written by writeData as ordinary values when hasData is true, and read back by
  // readData when the stream names it.
  virtual void DefineProperty(const std::string& name, const TReaderProc& readData,
                              const TWriterProc& writeData, bool hasData) = 0;
  // A property stored as one block of bytes.
  virtual void DefineBinaryProperty(const std::string& name, const TStreamProc& readData,
                                    const TStreamProc& writeData, bool hasData) = 0;

  TComponent* Root() const { return fRoot; }
  // The object the one being written is compared with; null outside inherited forms.
  TPersistent* Ancestor() const { return fAncestor; }

 protected:
  TComponent* fRoot = nullptr;
  TPersistent* fAncestor = nullptr;
};

}  // namespace dravik
