#pragma once
// TLogFile, an append-only text log that can sign its lines so that a removed or altered line
// is found, and TKeepDirectory, which makes the current folder current again when it goes.

#include <cstdint>
#include <string>

#include "platform/core/classes/Component.h"
#include "platform/core/system/Variant.h"

namespace dravik {

enum TLogFileDir { fdApplication, fdTemporary, fdWindows, fdSystem };
const TTypeInfo& TypeInfoFor(TLogFileDir);
enum TLogFileMode { fmOpenFile, fmCreateFile, fmCreateUniqueFile };
const TTypeInfo& TypeInfoFor(TLogFileMode);

class TLogFile : public TComponent {
 public:
  explicit TLogFile(TComponent* owner);
  static const TClassRecord& StaticClass();
  const TClassRecord& ClassType() const override { return StaticClass(); }

  TLogFileDir Directory() const { return fDirectory; }
  void SetDirectory(TLogFileDir value) { fDirectory = value; }
  bool Enabled() const { return fEnabled; }
  void SetEnabled(bool value) { fEnabled = value; }
  const std::string& FileName() const { return fFileName; }
  void SetFileName(const std::string& value) { fFileName = value; }
  bool IgnoreErrors() const { return fIgnoreErrors; }
  void SetIgnoreErrors(bool value) { fIgnoreErrors = value; }
  TLogFileMode Mode() const { return fMode; }
  void SetMode(TLogFileMode value) { fMode = value; }
  bool TimeStamp() const { return fTimeStamp; }
  void SetTimeStamp(bool value) { fTimeStamp = value; }
  // Each line carries a check value chained from the line before.
  bool SignedLines() const { return fSignedLines; }
  void SetSignedLines(bool value) { fSignedLines = value; }

  // The file written to once the log is open, else empty.
  const std::string& FullName() const { return fFullName; }
  bool Failed() const { return fFailed; }

  // Opens the log; nothing happens when it is disabled or has no file name. EInOutError
  // "Directory structure could not be created" when its folder cannot be made.
  void CreateFile();
  void CloseFile();
  void WriteTimeStamp();
  void WriteValue(const Variant& value);

 protected:
  void BeforeDestruction() override;

 private:
  std::string BaseDir() const;
  void WriteLine(const std::string& text);
  void Fail(int error);
  // The check value the next signed line chains from, read from the end of an existing log.
  bool ResumeChain();

  TLogFileDir fDirectory = fdApplication;
  bool fEnabled = true;
  std::string fFileName;
  bool fIgnoreErrors = true;
  TLogFileMode fMode = fmOpenFile;
  bool fTimeStamp = false;
  bool fSignedLines = false;
  std::string fFullName;
  int fHandle = -1;
  bool fFailed = false;
  uint32_t fCheck = 0;
};

// The check value of a signed line: a CRC-32 of the line, chained from the previous value.
uint32_t ChainLogLine(uint32_t previous, std::string_view line);
// The number of the first line (from 1) of a signed log whose check value does not follow from
// the lines before it; 0 when every line checks out. EInOutError when it cannot be read.
int FindBrokenLogLine(const std::string& fileName);

class TKeepDirectory : public TComponent {
 public:
  explicit TKeepDirectory(TComponent* owner);
  static const TClassRecord& StaticClass();
  const TClassRecord& ClassType() const override { return StaticClass(); }
  const std::string& Kept() const { return fKept; }

 protected:
  void BeforeDestruction() override;

 private:
  std::string fKept;
};

}  // namespace dravik
