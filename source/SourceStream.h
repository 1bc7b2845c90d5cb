#pragma once
// A source text scanned as it arrives, piece by piece (a file read in chunks), with the results
// TSourceParser::ParseLines gives for the whole text: the same blocks and the same mask. Only the
// bytes not yet decided are held, so memory is bounded by the longest literal or comment, and
// nothing of the text needs to be in memory at once.

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "source/SourceParser.h"

namespace dravik {

// A literal (with its quotes) or a comment (with its delimiters) of the text.
struct TScannedBlock {
  TBlockType Type;
  int64_t Offset;         // of its first byte in the whole text
  std::string_view Text;  // its bytes; valid while the sink handles the block
  int64_t Line;           // 0-based
  int64_t Column;         // 1-based byte column
};

class TScanSink {
 public:
  virtual ~TScanSink() = default;
  // Each block, in text order.
  virtual void Block(const TScannedBlock& block) = 0;
  // The mask letters of the next bytes of the text (only for a stream made with a mask).
  virtual void Mask(std::string_view letters) { (void)letters; }
};

class TSourceStream {
 public:
  explicit TSourceStream(bool withMask);

  // Room at the end of the bytes held for the next bytes of the text: at least minimum, and at
  // least as many as are held, so that a block spanning many pieces is scanned again only as
  // often as the room doubles. Append(count) takes count bytes written there.
  std::span<char> Room(std::size_t minimum);
  void Append(std::size_t count);

  // The code type of the text from its first word (DetectCodeType), or ctAutoDetect while the
  // bytes held from the text's beginning do not decide it yet. Asked before the first Scan.
  TCodeType DetectedCodeType(bool end) const;

  // Scans the bytes held as far as they decide, as Pascal or C; end: no more bytes follow, and
  // all of them are decided. Before the end, a scan waits until as many bytes have arrived as
  // the last one left undecided, so each byte is scanned a bounded number of times however the
  // text is cut. ESourceParserError for another type.
  void Scan(TCodeType type, bool end, TScanSink& sink);

 private:
  bool fWithMask;
  std::vector<char> fBuffer;  // its first fHeld bytes are the text from offset fBase on
  std::size_t fHeld = 0;
  std::size_t fUndecided = 0;  // of the bytes held, those the last scan left
  int64_t fBase = 0;
  std::string fMask;
  // The line of the first byte held, and the offset of that line's first byte.
  int64_t fLine = 0;
  int64_t fLineStart = 0;
};

}  // namespace dravik
