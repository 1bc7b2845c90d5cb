#pragma once
// The command that makes a plain unit multilingual, or edits the language data of one that is:
// without a language file it rewrites the unit (UnitRewrite.h) under a new resource ID and
// writes the file after the editor ran; with one it finds the ID in the unit (putting the lines
// back on request), opens the editor on the file's data and saves it when the user committed.
// Where it runs decides how the source is read and written, how questions are put and whether
// an editor opens: the studio's editor buffers and dialogs, or the tool's files and terminal.

#include <functional>
#include <string>

namespace dravik {

class TDravik;

enum class TUnitAnswer { Yes, No, Cancel };

// How a message is put: its kind of dialog and the buttons it offers.
enum class TUnitQuestion {
  Report,    // an error, OK only
  Confirm,   // a confirmation, Yes/No
  Continue,  // an error, Yes/No
  Choose,    // an error, Yes/No/Cancel
};

struct TUnitCommandHost {
  // The unit's text; false when it cannot be read or written.
  std::function<bool(const std::string& pasName, std::string& text)> ReadSource;
  std::function<bool(const std::string& pasName, const std::string& text)> WriteSource;
  // Puts the message named key; answers the button chosen (Yes for a report).
  std::function<TUnitAnswer(const std::string& key, TUnitQuestion kind)> Ask;
  // The language editor on the unit's data; whether the user committed.
  std::function<bool(TDravik& dravik, const std::string& pasName)> Edit;
};

struct TUnitCommandResult {
  bool Finished = false;  // not stopped by an answer or a failure
  bool SourceWritten = false;
  bool UnitLoadsFile = false;  // the unit holds the InitDravik call with ResID
  bool LanguageFileWritten = false;
  std::string ResID;  // the unit's resource ID, when known
};

// fileName is the unit's or its form's: the unit and its language file share its base name.
TUnitCommandResult ExecuteUnitCommand(const std::string& fileName, const TUnitCommandHost& host);

}  // namespace dravik
