#pragma once
// Form files of every kind the tool reads: a binary component stream, its text form, or a
// resource file (.res, .lng) holding one; the kind is found from the bytes, not the name.

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/core/classes/Component.h"

namespace dravik {

class TComponent;
class TDravik;

enum class TFormFileKind { Binary, Resource, Text };

TFormFileKind DetectFormFileKind(std::string_view bytes);

// The bytes of the file at path; "-" reads standard input (InputFile.h: streams, size limit).
std::string ReadInput(const std::string& path);

// The binary component stream of a form file's bytes; resource names the stream of a resource
// file that holds several (EUsage when it is needed and missing).
std::string ComponentStreamOf(std::string bytes, const std::optional<std::string>& resource);

// The text form checked to be one object, as a binary stream.
std::string TextToBinary(std::string text);
// The component stream of a resource file: the one named, or the only one it holds.
std::string SelectResource(std::string bytes, const std::optional<std::string>& name);

// A form read into components of the registered classes. Every TDravik of it stays in the
// language it was stored in, whatever the user's language or the other forms.
class TLoadedForm {
 public:
  explicit TLoadedForm(const std::string& binary);
  ~TLoadedForm();
  TLoadedForm(const TLoadedForm&) = delete;
  TLoadedForm& operator=(const TLoadedForm&) = delete;

  TComponent* Root() const { return fRoot.get(); }
  // The TDravik components of the form in component order; the root itself when it is one.
  std::vector<TDravik*> Dravik() const;

 private:
  TComponentPtr<TComponent> fRoot;
};

}  // namespace dravik
