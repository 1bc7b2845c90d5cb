#pragma once
// What opening a settings file does when some of its lines cannot be read.

namespace dravik {

enum class TDamagedFile {
  Refuse,  // the file is refused with an error naming it and the first bad line
  Repair,  // what can be read is kept; the next write replaces the file, the old one is kept
           // beside it as NAME.damaged
};

}  // namespace dravik
