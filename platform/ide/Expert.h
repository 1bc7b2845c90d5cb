#pragma once
// Experts: add-ins that the environment keeps while it runs. An expert answers what it is and
// where it appears; a library expert adds its own menu items through the tool services.

#include <cstdint>
#include <string>

namespace dravik {

enum TExpertStyle { esStandard, esForm, esProject, esAddIn };

using TExpertState = uint32_t;
inline constexpr TExpertState esEnabled = 1;
inline constexpr TExpertState esChecked = 2;

class TIExpert {
 public:
  virtual ~TIExpert() = default;
  virtual std::string GetName() = 0;
  virtual std::string GetAuthor() = 0;
  virtual std::string GetComment() = 0;
  virtual std::string GetPage() = 0;
  // The name of its glyph resource; empty for none.
  virtual std::string GetGlyph() = 0;
  virtual TExpertStyle GetStyle() = 0;
  virtual TExpertState GetState() = 0;
  virtual std::string GetIDString() = 0;
  virtual std::string GetMenuText() = 0;
  virtual void Execute() = 0;
};

}  // namespace dravik
