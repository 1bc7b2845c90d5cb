#pragma once
// TBitmap: a picture as a persistent sub-object (a button's Glyph), kept as the image file it
// came from (a BMP, or any format Qt reads) and given back byte for byte. Form files store it
// as the binary property Data: the file's size in 32 bits, then the file.

#include <QPixmap>
#include <string>

#include "platform/core/classes/Object.h"
#include "platform/core/typinfo/Method.h"

namespace dravik {

class TStream;

class TBitmap : public TPersistent {
 public:
  static const TClassRecord& StaticClass();
  const TClassRecord& ClassType() const override { return StaticClass(); }
  void Assign(const TPersistent* source) override;
  void DefineProperties(TFiler& filer) override;

  bool Empty() const { return fImageFile.empty(); }
  const std::string& ImageFile() const { return fImageFile; }
  void SetImageFile(std::string bytes);
  // The picture as Qt draws it; null when Qt cannot read the file.
  QPixmap Pixmap() const;
  TNotifyEvent OnChange;

 private:
  void ReadData(TStream& stream);
  void WriteData(TStream& stream) const;
  std::string fImageFile;
};

}  // namespace dravik
