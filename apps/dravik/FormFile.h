#pragma once
// Form files of every kind the tool reads: a binary component stream, its text form, or a
// resource file (.res, .lng) holding one; the kind is found from the bytes, not the name.

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/core/classes/Component.h"

namespace dravik {

class TClassRecord;
class TComponent;
class TDravik;
class TStandInClasses;

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

// The form file's bytes with its component stream made anew by rewrite, in the file's own
// kind: a binary stream, its text form, or a resource file whose other resources stay as they
// are (resource chooses the stream as for ComponentStreamOf).
std::string RewriteFormFile(const std::string& bytes, const std::optional<std::string>& resource,
                            const std::function<std::string(const std::string& binary)>& rewrite);

// A form read into components: of the registered classes, and stand-ins for the classes the
// program does not have, so that nothing the file holds is lost. Isolated, every TDravik of it
// stays in the language it was stored in, whatever the user's language or the other forms;
// otherwise each joins the frame its domain and top-level flag choose, as in a program.
class TLoadedForm {
 public:
  // findClass, when given, is asked first for the class of each component (TReader).
  using TFindClass = std::function<const TClassRecord*(const std::string& className)>;
  enum class TFrames { Isolated, AsDeclared };
  explicit TLoadedForm(const std::string& binary, TFindClass findClass = {},
                       TFrames frames = TFrames::Isolated);
  ~TLoadedForm();
  TLoadedForm(const TLoadedForm&) = delete;
  TLoadedForm& operator=(const TLoadedForm&) = delete;

  TComponent* Root() const { return fRoot.get(); }
  // The TDravik components of the form in component order; the root itself when it is one.
  std::vector<TDravik*> Dravik() const;
  // The form's first TDravik; EConvertError "The form has no TDravik component" without one.
  TDravik& FirstDravik() const;
  // Switches every TDravik of the form to language, so that its properties hold that
  // language's values; ELanguageNotFound when one of them does not have it, or none is there.
  void SwitchLanguage(const std::string& language);
  // The form as a binary component stream.
  std::string Binary() const;

 private:
  std::shared_ptr<TStandInClasses> fStandIns;
  TComponentPtr<TComponent> fRoot;
};

}  // namespace dravik
