#pragma once
// The debug trace. In the delivered build every line goes nowhere; a test (or a developer)
// attaches a sink to read them.

#include <functional>
#include <string>
#include <string_view>

namespace dravik {

using TDebugSink = std::function<void(std::string_view line)>;

void DebugMsg(std::string_view line);
void DebugVal(std::string_view name, std::string_view value);
void DebugVal(std::string_view name, int64_t value);

// Attaches a sink (replacing the previous one); an empty function detaches it.
void SetDebugSink(TDebugSink sink);

// A scoped trace of one routine: writes "> name" on entry and "< name" on exit.
class TDebug {
 public:
  explicit TDebug(std::string name);
  ~TDebug();
  TDebug(const TDebug&) = delete;
  TDebug& operator=(const TDebug&) = delete;
  void Msg(std::string_view line) const;

 private:
  std::string fName;
};

}  // namespace dravik
