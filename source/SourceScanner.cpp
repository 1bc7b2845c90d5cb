// The scan: one forward pass over the bytes of a text, whole (ParseLines) or window by window
// (TSourceStream). Each state of the scanner jumps to the next byte that can change it (a quote,
// a comment delimiter, for literals a line break) and marks the bytes it passed in one go, so the
// work per byte is a compare, not a branch.
#include <algorithm>
#include <climits>
#include <cstdint>
#include <cstring>

#include "platform/core/system/SysUtils.h"
#include "source/SourceParser.h"
#include "source/SourceStream.h"

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace dravik {

namespace {

bool IsLineBreak(char c) {
  return c == '\r' || c == '\n';
}

// The first position at or after `from` whose byte is one of Cs, or `size` when there is none.
template <char... Cs>
size_t FindAny(const char* text, size_t from, size_t size) {
#if defined(__SSE2__)
  while (from + 16 <= size) {
    const __m128i chunk = _mm_loadu_si128(reinterpret_cast<const __m128i*>(text + from));
    __m128i hits = _mm_setzero_si128();
    ((hits = _mm_or_si128(hits, _mm_cmpeq_epi8(chunk, _mm_set1_epi8(Cs)))), ...);
    if (const int bits = _mm_movemask_epi8(hits)) return from + __builtin_ctz(bits);
    from += 16;
  }
#endif
  for (; from < size; ++from) {
    const char c = text[from];
    if (((c == Cs) || ...)) return from;
  }
  return size;
}

#if defined(__SSE2__)
__m128i Is(__m128i chunk, char c) {
  return _mm_cmpeq_epi8(chunk, _mm_set1_epi8(c));
}
__m128i Pair(__m128i here, __m128i next, char first, char second) {
  return _mm_and_si128(Is(here, first), Is(next, second));
}
#endif

// The kinds of runs the scanner passes over in one go, each with the mask letter of its bytes
// and the bytes where it may end: At tests one byte, Chunk sixteen (bit i for byte i).
struct TPascalCode {
  static constexpr char kLetter = ' ';
  static bool At(const char* text, size_t pos, size_t size) {
    const char c = text[pos];
    const char next = pos + 1 < size ? text[pos + 1] : '\0';
    return c == '\'' || c == '{' || (c == '(' && next == '*') || (c == '/' && next == '/');
  }
#if defined(__SSE2__)
  static int Chunk(__m128i here, __m128i next) {
    return _mm_movemask_epi8(
        _mm_or_si128(_mm_or_si128(Is(here, '\''), Is(here, '{')),
                     _mm_or_si128(Pair(here, next, '(', '*'), Pair(here, next, '/', '/'))));
  }
#endif
};

struct TCCode {
  static constexpr char kLetter = ' ';
  static bool At(const char* text, size_t pos, size_t size) {
    const char c = text[pos];
    const char next = pos + 1 < size ? text[pos + 1] : '\0';
    return c == '\'' || c == '"' || (c == '/' && (next == '*' || next == '/'));
  }
#if defined(__SSE2__)
  static int Chunk(__m128i here, __m128i next) {
    return _mm_movemask_epi8(
        _mm_or_si128(_mm_or_si128(Is(here, '\''), Is(here, '"')),
                     _mm_or_si128(Pair(here, next, '/', '*'), Pair(here, next, '/', '/'))));
  }
#endif
};

template <char Closer>
struct TCommentInside {
  static constexpr char kLetter = 'c';
  static bool At(const char* text, size_t pos, size_t) { return text[pos] == Closer; }
#if defined(__SSE2__)
  static int Chunk(__m128i here, __m128i) {
    return _mm_movemask_epi8(Is(here, Closer));
  }
#endif
};
using TBraceCommentInside = TCommentInside<'}'>;
using TStarCommentInside = TCommentInside<'*'>;

// The line the scanner is on: its 0-based number and the offset of its first byte in the whole
// text.
struct TLineState {
  int64_t Line = 0;
  int64_t LineStart = 0;
};

// Scans one window of the text: the bytes from offset `base` of the whole text. When more text
// follows the window (not `end`), whatever the window's bytes do not decide (a literal or comment
// that is not closed within it, a last byte whose meaning depends on the next) is left for the
// next window, which begins where the scan answers. Each block goes to emit (a TScannedBlock);
// the mask letters go to mask, when there is one.
template <class Sink>
class TScanner {
 public:
  TScanner(std::string_view text, int64_t base, bool end, char* mask, TLineState& lines, Sink& emit)
      : fText(text.data()),
        fSize(text.size()),
        fBase(base),
        fEnd(end),
        fMask(mask),
        fLines(lines),
        fEmit(emit) {}

  // Both answer where the undecided rest of the window begins (the window's size when all of it
  // is decided).
  size_t ScanPascal() {
    for (size_t pos = 0;;) {
      if ((pos = Skip<TPascalCode>(pos)) == fSize) return fRanOut;
      switch (fText[pos]) {
        case '\'':
          pos = PascalString(pos);
          break;
        case '{':
          pos = BraceComment(pos);
          break;
        case '(':
          pos = StarComment(pos, ')');
          break;
        default:
          pos = LineComment(pos);
      }
      if (pos == kSuspended) return fResume;
    }
  }

  size_t ScanC() {
    for (size_t pos = 0;;) {
      if ((pos = Skip<TCCode>(pos)) == fSize) return fRanOut;
      if (fText[pos] != '/') {
        pos = CString(pos);
      } else if (Next(pos) == '/') {
        pos = LineComment(pos);
      } else {
        pos = StarComment(pos, '/');
      }
      if (pos == kSuspended) return fResume;
    }
  }

 private:
  static constexpr size_t kSuspended = SIZE_MAX;

  // Where an open block began.
  struct TStart {
    size_t Pos;
    int64_t Line;
    int64_t Column;
  };

  char Next(size_t pos) const { return pos + 1 < fSize ? fText[pos + 1] : '\0'; }
  TStart StartAt(size_t pos) const {
    return {pos, fLines.Line, fBase + static_cast<int64_t>(pos) - fLines.LineStart + 1};
  }
  void Mark(size_t pos, char letter) {
    if (fMask) fMask[pos] = letter;
  }
  void Fill(size_t from, size_t to, char letter) {
    if (fMask && to > from) std::memset(fMask + from, letter, to - from);
  }
  void Emit(TBlockType type, const TStart& start, size_t last) {
    fEmit(TScannedBlock{type, fBase + static_cast<int64_t>(start.Pos),
                        std::string_view(fText + start.Pos, last - start.Pos + 1), start.Line,
                        start.Column});
  }
  // Leaves the block that began at start to the next window, which scans it again from there.
  size_t Suspend(const TStart& start) {
    fResume = start.Pos;
    fLines.Line = start.Line;
    fLines.LineStart = fBase + static_cast<int64_t>(start.Pos) - (start.Column - 1);
    return kSuspended;
  }

  // Passes over a run of code or comment bytes from `pos` up to the first byte where it may end
  // (or the end of the text): marks the bytes with the run's letter, keeps the line breaks as
  // they are and counts them. Whole chunks are marked at once; bytes past the end of the run are
  // marked again by whatever owns them. Answers fSize when the run goes on to the end of what the
  // window decides, and fRanOut is then where it stopped.
  template <class Run>
  size_t Skip(size_t pos) {
#if defined(__SSE2__)
    const __m128i letter = _mm_set1_epi8(Run::kLetter);
    while (pos + 17 <= fSize) {
      const __m128i here = _mm_loadu_si128(reinterpret_cast<const __m128i*>(fText + pos));
      const __m128i next = _mm_loadu_si128(reinterpret_cast<const __m128i*>(fText + pos + 1));
      const __m128i lf = Is(here, '\n');
      const __m128i cr = Is(here, '\r');
      const __m128i breaks = _mm_or_si128(lf, cr);
      if (fMask)
        _mm_storeu_si128(
            reinterpret_cast<__m128i*>(fMask + pos),
            _mm_or_si128(_mm_and_si128(breaks, here), _mm_andnot_si128(breaks, letter)));
      const int ends = Run::Chunk(here, next);
      const int before = ends ? (1 << __builtin_ctz(ends)) - 1 : 0xFFFF;
      // A line ends at LF, and at CR unless LF follows.
      const int lineEnds =
          _mm_movemask_epi8(_mm_or_si128(lf, _mm_andnot_si128(Is(next, '\n'), cr))) & before;
      if (lineEnds) {
        // Rarely more than one per chunk: clearing bits beats a popcount call on CPUs whose
        // baseline has no popcount instruction.
        for (int bits = lineEnds; bits; bits &= bits - 1) ++fLines.Line;
        fLines.LineStart = fBase + static_cast<int64_t>(pos) + (31 - __builtin_clz(lineEnds)) + 1;
      }
      if (ends) return pos + __builtin_ctz(ends);
      pos += 16;
    }
#endif
    // Before more text, the window's last byte stays undecided: a CR, a '(' or a '/' there means
    // what the next byte makes it.
    const size_t decidable = fEnd || fSize == 0 ? fSize : fSize - 1;
    for (; pos < decidable; ++pos) {
      if (IsLineBreak(fText[pos])) {
        pos = LineBreak(pos) - 1;
      } else if (Run::At(fText, pos, fSize)) {
        return pos;
      } else {
        Mark(pos, Run::kLetter);
      }
    }
    fRanOut = pos;
    return fSize;
  }

  // CR LF, LF and CR each end a line; the mask keeps the break bytes.
  size_t LineBreak(size_t pos) {
    Mark(pos, fText[pos]);
    if (fText[pos] == '\r' && Next(pos) == '\n') Mark(++pos, '\n');
    ++fLines.Line;
    fLines.LineStart = fBase + static_cast<int64_t>(pos) + 1;
    return pos + 1;
  }

  // A literal ends at its closing quote or, unterminated, with the last byte of its line.
  size_t PascalString(size_t open) {
    const TStart start = StartAt(open);
    Mark(open, '[');
    size_t pos = open + 1;
    for (;;) {
      const size_t stop = FindAny<'\'', '\r', '\n'>(fText, pos, fSize);
      Fill(pos, stop, 's');
      if (stop == fSize && !fEnd) return Suspend(start);
      if (stop < fSize && fText[stop] == '\'') {
        // Two quotes are one quote of the text; the second may be in the next window.
        if (stop + 1 == fSize && !fEnd) return Suspend(start);
        if (Next(stop) == '\'') {
          Mark(stop, 's');
          Mark(stop + 1, 's');
          pos = stop + 2;
          continue;
        }
        Mark(stop, ']');
        Emit(btString, start, stop);
        return stop + 1;
      }
      Mark(stop - 1, ']');
      Emit(btString, start, stop - 1);
      return stop;
    }
  }

  // C literals know backslash escapes; a backslash at the end of a line continues the literal
  // on the next one, and an empty continuation line ends it at that backslash.
  size_t CString(size_t open) {
    const TStart start = StartAt(open);
    const char quote = fText[open];
    Mark(open, '[');
    size_t pos = open + 1;
    size_t continuation = open;
    for (;;) {
      const size_t stop = quote == '"' ? FindAny<'"', '\\', '\r', '\n'>(fText, pos, fSize)
                                       : FindAny<'\'', '\\', '\r', '\n'>(fText, pos, fSize);
      Fill(pos, stop, 's');
      if (stop == fSize && !fEnd) return Suspend(start);
      if (stop == fSize || IsLineBreak(fText[stop])) {
        const size_t last =
            fBase + static_cast<int64_t>(stop) > fLines.LineStart ? stop - 1 : continuation;
        Mark(last, ']');
        Emit(btString, start, last);
        return stop;
      }
      // What a backslash escapes, and whether a CR after it is a CR LF, may be in the next
      // window.
      if (fText[stop] != quote && !fEnd &&
          (stop + 1 == fSize || (fText[stop + 1] == '\r' && stop + 2 == fSize)))
        return Suspend(start);
      if (fText[stop] == quote || stop + 1 == fSize) {
        Mark(stop, ']');
        Emit(btString, start, stop);
        return stop + 1;
      }
      if (!IsLineBreak(fText[stop + 1])) {
        Mark(stop, 's');
        Mark(stop + 1, 's');
        pos = stop + 2;
        continue;
      }
      Mark(stop, '\\');
      continuation = stop;
      pos = LineBreak(stop + 1);
    }
  }

  size_t LineComment(size_t open) {
    const TStart start = StartAt(open);
    const size_t stop = FindAny<'\r', '\n'>(fText, open, fSize);
    if (stop == fSize && !fEnd) return Suspend(start);
    Mark(open, '{');
    Fill(open + 1, stop - 1, 'c');
    Mark(stop - 1, '}');
    Emit(btComment, start, stop - 1);
    return stop;
  }

  // `(* *)` in Pascal, `/* */` in C: `open` is the opener's first byte, the `*` follows it.
  size_t StarComment(size_t open, char closer) {
    const TStart start = StartAt(open);
    Mark(open, '{');
    Mark(open + 1, 'c');
    for (size_t pos = open + 2;; ++pos) {
      pos = Skip<TStarCommentInside>(pos);
      if (pos == fSize) return fEnd ? UnterminatedComment(start) : Suspend(start);
      Mark(pos, 'c');
      if (Next(pos) == closer) {
        Mark(pos + 1, '}');
        Emit(btComment, start, pos + 1);
        return pos + 2;
      }
    }
  }

  size_t BraceComment(size_t open) {
    const TStart start = StartAt(open);
    Mark(open, '{');
    const size_t close = Skip<TBraceCommentInside>(open + 1);
    if (close == fSize) return fEnd ? UnterminatedComment(start) : Suspend(start);
    Mark(close, '}');
    Emit(btComment, start, close);
    return close + 1;
  }

  // A comment still open at the end of the text ends with the text's last byte that is not a
  // line break.
  size_t UnterminatedComment(const TStart& start) {
    size_t last = fSize - 1;
    while (last > start.Pos && IsLineBreak(fText[last])) --last;
    Mark(last, '}');
    Emit(btComment, start, last);
    return fSize;
  }

  const char* fText;
  size_t fSize;
  int64_t fBase;
  bool fEnd;
  char* fMask;
  TLineState& fLines;
  Sink& fEmit;
  size_t fRanOut = 0;
  size_t fResume = 0;
};

}  // namespace

void TSourceParser::ParseLines(TCodeType codeType) {
  const TCodeType type = codeType == ctAutoDetect ? fCodeType : codeType;
  if (type != ctPascal && type != ctC)
    throw ESourceParserError(std::string(ClassName()) + ".ParseLines: Invalid CodeType");
  if (Source.size() > static_cast<size_t>(INT32_MAX))
    throw ESourceParserError(std::string(ClassName()) + ".ParseLines: Source too large");
  fBlocks.fItems.clear();
  fMask.assign(Source.size(), ' ');
  auto emit = [this](const TScannedBlock& block) {
    fBlocks.fItems.emplace_back(this, block.Type, static_cast<int32_t>(block.Offset),
                                static_cast<int32_t>(block.Text.size()),
                                static_cast<int32_t>(block.Line),
                                static_cast<int32_t>(block.Column));
  };
  TLineState lines;
  TScanner scanner(Source, 0, true, fMask.data(), lines, emit);
  if (type == ctPascal) {
    scanner.ScanPascal();
  } else {
    scanner.ScanC();
  }
}

TSourceStream::TSourceStream(bool withMask) : fWithMask(withMask) {}

std::span<char> TSourceStream::Room(std::size_t minimum) {
  // At least as much again as is held: a block that spans many reads is then scanned again only
  // as often as the window doubles.
  const std::size_t wanted = fHeld + std::max(minimum, fHeld);
  if (fBuffer.size() < wanted) fBuffer.resize(wanted);
  return std::span<char>(fBuffer.data() + fHeld, fBuffer.size() - fHeld);
}

void TSourceStream::Append(std::size_t count) {
  fHeld += std::min(count, fBuffer.size() - fHeld);
}

TCodeType TSourceStream::DetectedCodeType(bool end) const {
  const std::string_view held(fBuffer.data(), fHeld);
  std::size_t first = 0;
  while (first < held.size() && IsBlankOrControl(held[first])) ++first;
  // The first word decides within its first seven bytes.
  if (!end && held.size() - first < 7) return ctAutoDetect;
  return DetectCodeType(held);
}

void TSourceStream::Scan(TCodeType type, bool end, TScanSink& sink) {
  if (type != ctPascal && type != ctC)
    throw ESourceParserError("TSourceStream.Scan: Invalid CodeType");
  // Until as many bytes arrived as the last scan left undecided, a scan would mostly go over the
  // same block again: waiting keeps the work linear however small the pieces are.
  if (!end && fHeld - fUndecided < fUndecided) return;
  const std::string_view window(fBuffer.data(), fHeld);
  if (fWithMask) fMask.assign(fHeld, ' ');
  auto emit = [&sink](const TScannedBlock& block) { sink.Block(block); };
  TLineState lines{fLine, fLineStart};
  TScanner scanner(window, fBase, end, fWithMask ? fMask.data() : nullptr, lines, emit);
  const std::size_t decided = type == ctPascal ? scanner.ScanPascal() : scanner.ScanC();
  fLine = lines.Line;
  fLineStart = lines.LineStart;
  if (fWithMask) sink.Mask(std::string_view(fMask.data(), decided));
  // Left, onto itself: copying front to back is safe.
  std::copy(fBuffer.begin() + static_cast<std::ptrdiff_t>(decided),
            fBuffer.begin() + static_cast<std::ptrdiff_t>(fHeld), fBuffer.begin());
  fHeld -= decided;
  fUndecided = fHeld;
  fBase += static_cast<int64_t>(decided);
}

}  // namespace dravik
