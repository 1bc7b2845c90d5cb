#include "platform/core/resources/ComponentRes.h"

#include "platform/core/classes/Component.h"
#include "platform/core/filer/Reader.h"
#include "platform/core/filer/StreamFormat.h"
#include "platform/core/filer/Writer.h"
#include "platform/core/resources/ResourceFile.h"
#include "platform/core/streams/AtomicFile.h"
#include "platform/core/streams/FileStream.h"
#include "platform/core/streams/MemoryStream.h"
#include "platform/core/streams/ResourceStream.h"
#include "platform/core/system/Exceptions.h"
#include "platform/core/system/SysUtils.h"

namespace dravik {

void WriteComponentRes(TStream& stream, const std::string& resName, TComponent* instance) {
  TMemoryStream data;
  WriteComponent(data, instance);
  WriteResourceHeader16(stream, TResourceId(UpperCase(resName)),
                        static_cast<uint32_t>(data.Size()));
  stream.WriteBuffer(data.Memory(), data.Size());
}

TComponent* ReadComponentRes(TStream& stream, TComponent* instance) {
  uint32_t size = ReadFormResourceHeader(stream);
  if (size == 0) throw EReadError("The resource holds no component stream");
  TMemoryStream data;
  data.CopyFrom(stream, size);
  data.SetPosition(0);
  return ReadComponent(data, instance);
}

void WriteComponentResFile(const std::string& fileName, TComponent* instance) {
  TMemoryStream data;
  WriteComponentRes(data, instance->ClassName(), instance);
  SaveFileAtomically(fileName,
                     std::string_view(data.Memory(), static_cast<std::size_t>(data.Size())));
}

TComponent* ReadComponentResFile(const std::string& fileName, TComponent* instance) {
  TFileStream file(fileName, fmOpenRead);
  return ReadComponentRes(file, instance);
}

TComponent* ReadComponentResource(const std::string& resName, TComponent* instance) {
  TResourceStream resource(resName);
  char head[4] = {};
  resource.Read(head, sizeof head);
  resource.SetPosition(0);
  if (std::string_view(head, 4) == std::string_view(FilerSignature, 4))
    return ReadComponent(resource, instance);
  return ReadComponentRes(resource, instance);
}

}  // namespace dravik
