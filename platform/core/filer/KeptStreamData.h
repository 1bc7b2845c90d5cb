#pragma once
// What a stream held for an object that the object's class has no place for: the prefix of a
// component (inherited, inline, child position) and properties the class does not publish.
// Readers that keep such data (TReader with stand-ins) attach it to the object; the writer puts
// it back where it was, so a stream read and written again keeps every byte of it.

#include <cstdint>
#include <string>
#include <vector>

namespace dravik {

struct TKeptProperty {
  std::string Path;    // as the stream names it ("Left", "Font.Quality")
  std::string Anchor;  // the path of the property the class knows that was read before it, or
                       // empty when none was
  std::string Value;   // the value's bytes, marker first
};

// A value the class took that was stored otherwise than the writer spells it (an enumeration
// value by another name, or in other case): written as read while the property keeps it.
struct TKeptSpelling {
  std::string Path;
  int64_t Ordinal;
  std::string Value;  // the value's bytes as read
};

struct TKeptStreamData {
  std::string Prefix;  // a component's prefix bytes as read; empty without one
  std::vector<TKeptProperty> Properties;
  std::vector<TKeptSpelling> Spellings;
};

}  // namespace dravik
