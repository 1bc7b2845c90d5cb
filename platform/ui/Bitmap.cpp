#include "platform/ui/Bitmap.h"

#include "platform/core/filer/Filer.h"
#include "platform/core/streams/Stream.h"
#include "platform/core/system/Exceptions.h"
#include "platform/core/system/SysUtils.h"
#include "platform/core/typinfo/ClassBuilder.h"

namespace dravik {

const TClassRecord& TBitmap::StaticClass() {
  static const TClassRecord& record =
      TClassBuilder<TBitmap, TPersistent>("TBitmap", "Graphics").Build();
  return record;
}

void TBitmap::Assign(const TPersistent* source) {
  if (auto* other = dynamic_cast<const TBitmap*>(source)) {
    SetImageFile(other->fImageFile);
    return;
  }
  if (!source) {
    SetImageFile({});
    return;
  }
  TPersistent::Assign(source);
}

void TBitmap::DefineProperties(TFiler& filer) {
  TPersistent::DefineProperties(filer);
  filer.DefineBinaryProperty(
      "Data", [this](TStream& stream) { ReadData(stream); },
      [this](TStream& stream) { WriteData(stream); }, !Empty());
}

void TBitmap::SetImageFile(std::string bytes) {
  if (bytes == fImageFile) return;
  fImageFile = std::move(bytes);
  OnChange(this);
}

QPixmap TBitmap::Pixmap() const {
  QPixmap pixmap;
  if (!Empty())
    pixmap.loadFromData(reinterpret_cast<const uchar*>(fImageFile.data()),
                        static_cast<uint>(fImageFile.size()));
  return pixmap;
}

// The size field must tell exactly the bytes that follow: a block that says otherwise is damaged.
void TBitmap::ReadData(TStream& stream) {
  const int64_t available = stream.Size() - stream.Position() - int64_t{sizeof(int32_t)};
  int32_t size = 0;
  stream.ReadBuffer(&size, sizeof size);
  if (size < 0 || size != available)
    throw EReadError(
        Format("Bitmap data: the size field says %d bytes, %d follow", {size, available}));
  std::string bytes(static_cast<std::size_t>(size), '\0');
  stream.ReadBuffer(bytes.data(), size);
  SetImageFile(std::move(bytes));
}

void TBitmap::WriteData(TStream& stream) const {
  const auto size = static_cast<int32_t>(fImageFile.size());
  stream.WriteBuffer(&size, sizeof size);
  stream.WriteBuffer(fImageFile.data(), size);
}

}  // namespace dravik
