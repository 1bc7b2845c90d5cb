#include "library/LogFile.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <array>
#include <cerrno>
#include <cstdio>
#include <fstream>
#include <random>

#include "library/FileTools.h"
#include "platform/core/system/Exceptions.h"
#include "platform/core/system/SysUtils.h"
#include "platform/core/typinfo/ClassBuilder.h"

namespace dravik {

namespace {

const std::array<uint32_t, 256>& CrcTable() {
  static const std::array<uint32_t, 256> table = [] {
    std::array<uint32_t, 256> t{};
    for (uint32_t n = 0; n < 256; ++n) {
      uint32_t c = n;
      for (int k = 0; k < 8; ++k) c = c & 1 ? 0xEDB88320u ^ (c >> 1) : c >> 1;
      t[n] = c;
    }
    return t;
  }();
  return table;
}

std::string Hex8(uint32_t value) {
  char text[9];
  std::snprintf(text, sizeof text, "%08X", value);
  return text;
}

bool ParseHex8(std::string_view text, uint32_t& value) {
  if (text.size() < 8) return false;
  value = 0;
  for (char c : text.substr(0, 8)) {
    const int digit = c >= '0' && c <= '9' ? c - '0' : c >= 'A' && c <= 'F' ? c - 'A' + 10 : -1;
    if (digit < 0) return false;
    value = value << 4 | static_cast<uint32_t>(digit);
  }
  return true;
}

std::string WithoutLineEnd(std::string line) {
  if (!line.empty() && line.back() == '\r') line.pop_back();
  return line;
}

}  // namespace

uint32_t ChainLogLine(uint32_t previous, std::string_view line) {
  uint32_t crc = ~previous;
  for (unsigned char byte : line) crc = CrcTable()[(crc ^ byte) & 0xFF] ^ (crc >> 8);
  return ~crc;
}

int FindBrokenLogLine(const std::string& fileName) {
  std::ifstream file(fileName, std::ios::binary);
  if (!file) throw EInOutError("Cannot open log file " + fileName, errno);
  std::string line;
  uint32_t check = 0;
  bool started = false;
  for (int number = 1; std::getline(file, line); ++number) {
    line = WithoutLineEnd(std::move(line));
    uint32_t value = 0;
    if (!started) {
      // Lines before the start line were written unsigned.
      started = line.size() == 9 && line[0] == '#' && ParseHex8(line.substr(1), check);
      continue;
    }
    if (line.size() < 9 || line[8] != ' ' || !ParseHex8(line, value) ||
        value != ChainLogLine(check, std::string_view(line).substr(9)))
      return number;
    check = value;
  }
  return started ? 0 : 1;
}

const TTypeInfo& TypeInfoFor(TLogFileDir) {
  static const TTypeInfo& info =
      MakeEnumType("TLogFileDir", {"fdApplication", "fdTemporary", "fdWindows", "fdSystem"});
  return info;
}

const TTypeInfo& TypeInfoFor(TLogFileMode) {
  static const TTypeInfo& info =
      MakeEnumType("TLogFileMode", {"fmOpenFile", "fmCreateFile", "fmCreateUniqueFile"});
  return info;
}

const TClassRecord& TLogFile::StaticClass() {
  static const TClassRecord& record =
      TClassBuilder<TLogFile, TComponent>("TLogFile", "FileTools")
          .Property("Directory", &TLogFile::Directory, &TLogFile::SetDirectory)
          .Default(fdApplication)
          .Property("Enabled", &TLogFile::Enabled, &TLogFile::SetEnabled)
          .Default(true)
          .Property("FileName", &TLogFile::FileName, &TLogFile::SetFileName)
          .Property("IgnoreErrors", &TLogFile::IgnoreErrors, &TLogFile::SetIgnoreErrors)
          .Default(true)
          .Property("Mode", &TLogFile::Mode, &TLogFile::SetMode)
          .Default(fmOpenFile)
          .Property("SignedLines", &TLogFile::SignedLines, &TLogFile::SetSignedLines)
          .Default(false)
          .Property("TimeStamp", &TLogFile::TimeStamp, &TLogFile::SetTimeStamp)
          .Default(false)
          .Build();
  return record;
}

TLogFile::TLogFile(TComponent* owner) : TComponent(owner) {}

void TLogFile::BeforeDestruction() {
  CloseFile();
  TComponent::BeforeDestruction();
}

std::string TLogFile::BaseDir() const {
  switch (fDirectory) {
    case fdTemporary:
      return GetTempDir();
    case fdWindows:
      return GetWindowsDir();
    case fdSystem:
      return GetSystemDir();
    case fdApplication:
      break;
  }
  return GetApplicationDir();
}

void TLogFile::CreateFile() {
  CloseFile();
  if (!fEnabled || Trim(fFileName).empty()) return;
  std::string name = ExpandFileNameByDir(fFileName, BaseDir());
  if (fMode == fmCreateUniqueFile) name = MakeUniqueFileName(name);
  const std::size_t slash = name.find_last_of('/');
  if (!CreateDirRecurse(slash == 0 ? "/" : name.substr(0, slash)))
    throw EInOutError("Directory structure could not be created", errno);
  const bool append = fMode == fmOpenFile && FileExist(name);
  const int flags = O_RDWR | O_CLOEXEC | (append ? O_APPEND : O_CREAT | O_TRUNC | O_APPEND);
  fHandle = open(name.c_str(), flags, 0644);
  if (fHandle < 0) return Fail(errno);
  // Other writers are kept out while the log is open.
  if (flock(fHandle, LOCK_EX | LOCK_NB) != 0) {
    const int error = errno;
    close(fHandle);
    fHandle = -1;
    return Fail(error);
  }
  fFullName = name;
  if (!fSignedLines) return;
  if (lseek(fHandle, 0, SEEK_END) > 0 && ResumeChain()) return;
  std::random_device random;
  fCheck = random();
  const std::string start = "#" + Hex8(fCheck) + "\r\n";
  if (write(fHandle, start.data(), start.size()) != static_cast<ssize_t>(start.size())) Fail(errno);
}

bool TLogFile::ResumeChain() {
  std::ifstream file(fFullName, std::ios::binary);
  std::string line, last;
  while (std::getline(file, line))
    if (!WithoutLineEnd(line).empty()) last = WithoutLineEnd(line);
  if (last.size() == 9 && last[0] == '#') return ParseHex8(last.substr(1), fCheck);
  return last.size() >= 9 && last[8] == ' ' && ParseHex8(last, fCheck);
}

void TLogFile::CloseFile() {
  if (fHandle >= 0) close(fHandle);
  fHandle = -1;
  fFullName.clear();
  fFailed = false;
}

void TLogFile::WriteTimeStamp() {
  WriteLine(LogDateTime());
}

void TLogFile::WriteValue(const Variant& value) {
  const std::string text = VarToStr(value);
  WriteLine(fTimeStamp ? LogDateTime() + (text.empty() ? "" : " " + text) : text);
}

void TLogFile::WriteLine(const std::string& text) {
  if (fHandle < 0 && !fFailed) CreateFile();
  if (fHandle < 0 || fFailed) return;
  std::string line;
  if (fSignedLines) {
    fCheck = ChainLogLine(fCheck, text);
    line = Hex8(fCheck) + " ";
  }
  line += text + "\r\n";
  if (write(fHandle, line.data(), line.size()) != static_cast<ssize_t>(line.size())) Fail(errno);
}

void TLogFile::Fail(int error) {
  fFailed = true;
  if (!fIgnoreErrors) throw EInOutError("Error writing text to log file", error);
}

const TClassRecord& TKeepDirectory::StaticClass() {
  static const TClassRecord& record =
      TClassBuilder<TKeepDirectory, TComponent>("TKeepDirectory", "FileTools").Build();
  return record;
}

TKeepDirectory::TKeepDirectory(TComponent* owner) : TComponent(owner) {
  char path[4096];
  if (getcwd(path, sizeof path)) fKept = path;
}

void TKeepDirectory::BeforeDestruction() {
  if (!fKept.empty()) (void)!chdir(fKept.c_str());  // a folder that is gone stays gone
  TComponent::BeforeDestruction();
}

namespace {
const TClassRegistration kRegistrations[] = {TClassRegistration(TLogFile::StaticClass()),
                                             TClassRegistration(TKeepDirectory::StaticClass())};
}  // namespace

}  // namespace dravik
