#include "source/DesignInterfaceTools.h"

#include <memory>

#include "platform/ide/ToolServices.h"

namespace dravik {

namespace {

constexpr int kChunk = 4096;

std::unique_ptr<TIEditorInterface> EditorOf(bool isForm, const std::string& name) {
  TIToolServices* services = ToolServices();
  if (!services) return nullptr;
  std::unique_ptr<TIModuleInterface> module =
      isForm ? services->GetFormModuleInterface(name) : services->GetModuleInterface(name);
  return module ? module->GetEditorInterface() : nullptr;
}

bool ReadWhole(TIEditorInterface& editor, std::string& text) {
  std::unique_ptr<TIEditReader> reader = editor.CreateReader();
  if (!reader) return false;
  text.clear();
  char chunk[kChunk];
  for (int position = 0;;) {
    const int count = reader->GetText(position, chunk, kChunk);
    if (count <= 0) return true;
    text.append(chunk, static_cast<std::size_t>(count));
    position += count;
  }
}

}  // namespace

bool ReadSourceCode(bool isForm, const std::string& name, std::string& text) {
  std::unique_ptr<TIEditorInterface> editor = EditorOf(isForm, name);
  if (!editor || !ReadWhole(*editor, text)) return false;
  if (text.ends_with("\r\n")) text.resize(text.size() - 2);
  return true;
}

bool WriteSourceCode(bool isForm, const std::string& name, const std::string& text) {
  std::unique_ptr<TIEditorInterface> editor = EditorOf(isForm, name);
  std::string old;
  if (!editor || !ReadWhole(*editor, old)) return false;
  std::unique_ptr<TIEditWriter> writer = editor->CreateWriter();
  if (!writer) return false;
  // Everything up to the old length goes, then the new text comes in.
  return writer->DeleteTo(static_cast<int>(old.size())) && writer->Insert(text);
}

}  // namespace dravik
