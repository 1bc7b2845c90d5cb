#include "platform/core/system/Debug.h"

#include <string>

namespace dravik {

namespace {

TDebugSink& Sink() {
  static TDebugSink sink;
  return sink;
}

}  // namespace

void DebugMsg(std::string_view line) {
  if (Sink()) Sink()(line);
}

void DebugVal(std::string_view name, std::string_view value) {
  if (Sink()) Sink()(std::string(name) + " = " + std::string(value));
}

void DebugVal(std::string_view name, int64_t value) {
  if (Sink()) DebugVal(name, std::to_string(value));
}

void SetDebugSink(TDebugSink sink) {
  Sink() = std::move(sink);
}

TDebug::TDebug(std::string name) : fName(std::move(name)) {
  DebugMsg("> " + fName);
}

TDebug::~TDebug() {
  DebugMsg("< " + fName);
}

void TDebug::Msg(std::string_view line) const {
  if (Sink()) DebugMsg(fName + ": " + std::string(line));
}

}  // namespace dravik
