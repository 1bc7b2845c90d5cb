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

struct TKeptStreamData {
  std::string Prefix;  // a component's prefix bytes as read; empty without one
  std::vector<TKeptProperty> Properties;
};

}  // namespace dravik
