#pragma once
// A subcommand of the dravik tool. Exit codes: 0 success, 1 a reported failure, 2 bad usage.

#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

namespace dravik {

class TStandardOutput;

struct TCommand {
  const char* Name;
  const char* Summary;
  const char* Usage;  // full help text, printed by `dravik NAME --help`
  // Prints its results to out; main flushes it. Failures are exceptions.
  int (*Run)(const std::vector<std::string>& args, TStandardOutput& out);
};

// Bad usage: the message is printed with a hint to --help, exit code 2.
struct EUsage {
  std::string Message;
};

// A failure with an exit code of its own; the message is printed as it is.
struct EExit {
  int Code;
  std::string Message;
};

// The arguments of one subcommand: long options (`--name VALUE`, `--name=VALUE`, flags) and
// positionals; "-" is a positional (standard input or output), "--" ends the options.
class TCommandLine {
 public:
  TCommandLine(const std::vector<std::string>& args, const std::set<std::string>& valueOptions,
               const std::set<std::string>& flags);

  bool Has(const std::string& name) const { return fValues.count(name) != 0; }
  std::optional<std::string> Value(const std::string& name) const;  // the last one given
  std::vector<std::string> Values(const std::string& name) const;   // every one, in order
  const std::vector<std::string>& Positionals() const { return fPositionals; }
  // Throws EUsage unless the number of positionals lies in [min, max].
  void ExpectPositionals(std::size_t min, std::size_t max) const;

 private:
  std::map<std::string, std::string> fValues;
  std::map<std::string, std::vector<std::string>> fAll;
  std::vector<std::string> fPositionals;
};

// Each subcommand's entry, defined in its own file.
extern const TCommand ConvertCommand;
extern const TCommand ClassesCommand;
extern const TCommand ScanCommand;
extern const TCommand CheckCommand;
extern const TCommand ShowCommand;
extern const TCommand RewriteCommand;
extern const TCommand FitCommand;   // runs the check in dravik-fit
extern const TCommand EditCommand;  // shows the editor in dravik-edit
extern const TCommand ExportCommand;
extern const TCommand SectionsCommand;
extern const TCommand ImportCommand;
extern const TCommand StatusCommand;
extern const TCommand PseudoCommand;
extern const TCommand ConfigCommand;
extern const TCommand VersionsCommand;
extern const TCommand OverviewCommand;
extern const TCommand MultilingualCommand;

}  // namespace dravik
