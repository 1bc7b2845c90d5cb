#include "apps/dravik/Command.h"

namespace dravik {

TCommandLine::TCommandLine(const std::vector<std::string>& args,
                           const std::set<std::string>& valueOptions,
                           const std::set<std::string>& flags) {
  bool optionsEnded = false;
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& arg = args[i];
    if (optionsEnded || arg.size() < 2 || arg[0] != '-') {
      fPositionals.push_back(arg);
      continue;
    }
    if (arg == "--") {
      optionsEnded = true;
      continue;
    }
    if (arg[1] != '-') throw EUsage{"unknown option '" + arg + "'"};
    std::string name = arg.substr(2);
    std::optional<std::string> inlineValue;
    if (auto eq = name.find('='); eq != std::string::npos) {
      inlineValue = name.substr(eq + 1);
      name.resize(eq);
    }
    if (valueOptions.count(name)) {
      if (!inlineValue && i + 1 >= args.size())
        throw EUsage{"option '--" + name + "' needs a value"};
      fValues[name] = inlineValue ? *inlineValue : args[++i];
      fAll[name].push_back(fValues[name]);
    } else if (flags.count(name)) {
      if (inlineValue) throw EUsage{"option '--" + name + "' takes no value"};
      fValues[name] = "";
    } else {
      throw EUsage{"unknown option '--" + name + "'"};
    }
  }
}

std::optional<std::string> TCommandLine::Value(const std::string& name) const {
  auto it = fValues.find(name);
  if (it == fValues.end()) return std::nullopt;
  return it->second;
}

std::vector<std::string> TCommandLine::Values(const std::string& name) const {
  auto it = fAll.find(name);
  return it == fAll.end() ? std::vector<std::string>() : it->second;
}

void TCommandLine::ExpectPositionals(std::size_t min, std::size_t max) const {
  if (fPositionals.size() < min) throw EUsage{"missing argument"};
  if (fPositionals.size() > max) throw EUsage{"unexpected argument '" + fPositionals[max] + "'"};
}

}  // namespace dravik
