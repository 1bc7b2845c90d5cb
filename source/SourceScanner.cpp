// ParseLines: one forward pass over the bytes of Source. Each state of the scanner jumps to the
// next byte that can change it (a quote, a comment delimiter, for literals a line break) and
// marks the bytes it passed in one go, so the work per byte is a compare, not a branch.
#include <climits>
#include <cstring>

#include "source/SourceParser.h"

#if defined(__SSE2__)
#include <emmintrin.h>

namespace dravik {
#endif

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

class TScanner {
 public:
  TScanner(const TSourceParser& parser, std::string& mask, std::vector<TSourceCodeBlock>& blocks)
      : fParser(parser),
        fText(parser.Source.data()),
        fSize(parser.Source.size()),
        fMask(mask.data()),
        fBlocks(blocks) {}

  void ScanPascal() {
    for (size_t pos = 0; (pos = Skip<TPascalCode>(pos)) < fSize;) {
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
    }
  }

  void ScanC() {
    for (size_t pos = 0; (pos = Skip<TCCode>(pos)) < fSize;) {
      if (fText[pos] != '/') {
        pos = CString(pos);
      } else if (Next(pos) == '/') {
        pos = LineComment(pos);
      } else {
        pos = StarComment(pos, '/');
      }
    }
  }

 private:
  // Where an open block began.
  struct TStart {
    size_t Pos;
    int32_t Line;
    int32_t Column;
  };

  char Next(size_t pos) const { return pos + 1 < fSize ? fText[pos + 1] : '\0'; }
  TStart StartAt(size_t pos) const {
    return {pos, fLine, static_cast<int32_t>(pos - fLineStart + 1)};
  }
  void Fill(size_t from, size_t to, char letter) {
    if (to > from) std::memset(fMask + from, letter, to - from);
  }
  void Emit(TBlockType type, const TStart& start, size_t last) {
    fBlocks.emplace_back(&fParser, type, static_cast<int32_t>(start.Pos),
                         static_cast<int32_t>(last - start.Pos + 1), start.Line, start.Column);
  }

  // Passes over a run of code or comment bytes from `pos` up to the first byte where it may end
  // (or the end of the text): marks the bytes with the run's letter, keeps the line breaks as
  // they are and counts them. Whole chunks are marked at once; bytes past the end of the run are
  // marked again by whatever owns them.
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
      _mm_storeu_si128(reinterpret_cast<__m128i*>(fMask + pos),
                       _mm_or_si128(_mm_and_si128(breaks, here), _mm_andnot_si128(breaks, letter)));
      const int ends = Run::Chunk(here, next);
      const int before = ends ? (1 << __builtin_ctz(ends)) - 1 : 0xFFFF;
      // A line ends at LF, and at CR unless LF follows.
      const int lineEnds =
          _mm_movemask_epi8(_mm_or_si128(lf, _mm_andnot_si128(Is(next, '\n'), cr))) & before;
      if (lineEnds) {
        fLine += __builtin_popcount(lineEnds);
        fLineStart = pos + (31 - __builtin_clz(lineEnds)) + 1;
      }
      if (ends) return pos + __builtin_ctz(ends);
      pos += 16;
    }
#endif
    for (; pos < fSize; ++pos) {
      if (IsLineBreak(fText[pos])) {
        pos = LineBreak(pos) - 1;
      } else if (Run::At(fText, pos, fSize)) {
        return pos;
      } else {
        fMask[pos] = Run::kLetter;
      }
    }
    return fSize;
  }

  // CR LF, LF and CR each end a line; the mask keeps the break bytes.
  size_t LineBreak(size_t pos) {
    fMask[pos] = fText[pos];
    if (fText[pos] == '\r' && Next(pos) == '\n') fMask[++pos] = '\n';
    ++fLine;
    fLineStart = pos + 1;
    return fLineStart;
  }

  // A literal ends at its closing quote or, unterminated, with the last byte of its line.
  size_t PascalString(size_t open) {
    const TStart start = StartAt(open);
    fMask[open] = '[';
    size_t pos = open + 1;
    for (;;) {
      const size_t stop = FindAny<'\'', '\r', '\n'>(fText, pos, fSize);
      Fill(pos, stop, 's');
      if (stop < fSize && fText[stop] == '\'') {
        if (Next(stop) == '\'') {
          fMask[stop] = fMask[stop + 1] = 's';
          pos = stop + 2;
          continue;
        }
        fMask[stop] = ']';
        Emit(btString, start, stop);
        return stop + 1;
      }
      fMask[stop - 1] = ']';
      Emit(btString, start, stop - 1);
      return stop;
    }
  }

  // C literals know backslash escapes; a backslash at the end of a line continues the literal
  // on the next one, and an empty continuation line ends it at that backslash.
  size_t CString(size_t open) {
    const TStart start = StartAt(open);
    const char quote = fText[open];
    fMask[open] = '[';
    size_t pos = open + 1;
    size_t continuation = open;
    for (;;) {
      const size_t stop = quote == '"' ? FindAny<'"', '\\', '\r', '\n'>(fText, pos, fSize)
                                       : FindAny<'\'', '\\', '\r', '\n'>(fText, pos, fSize);
      Fill(pos, stop, 's');
      if (stop == fSize || IsLineBreak(fText[stop])) {
        const size_t last = stop > fLineStart ? stop - 1 : continuation;
        fMask[last] = ']';
        Emit(btString, start, last);
        return stop;
      }
      if (fText[stop] == quote || stop + 1 == fSize) {
        fMask[stop] = ']';
        Emit(btString, start, stop);
        return stop + 1;
      }
      if (!IsLineBreak(fText[stop + 1])) {
        fMask[stop] = fMask[stop + 1] = 's';
        pos = stop + 2;
        continue;
      }
      fMask[stop] = '\\';
      continuation = stop;
      pos = LineBreak(stop + 1);
    }
  }

  size_t LineComment(size_t open) {
    const TStart start = StartAt(open);
    const size_t stop = FindAny<'\r', '\n'>(fText, open, fSize);
    fMask[open] = '{';
    Fill(open + 1, stop - 1, 'c');
    fMask[stop - 1] = '}';
    Emit(btComment, start, stop - 1);
    return stop;
  }

  // `(* *)` in Pascal, `/* */` in C: `open` is the opener's first byte, the `*` follows it.
  size_t StarComment(size_t open, char closer) {
    const TStart start = StartAt(open);
    fMask[open] = '{';
    fMask[open + 1] = 'c';
    for (size_t pos = open + 2;; ++pos) {
      pos = Skip<TStarCommentInside>(pos);
      if (pos == fSize) return UnterminatedComment(start);
      fMask[pos] = 'c';
      if (Next(pos) == closer) {
        fMask[pos + 1] = '}';
        Emit(btComment, start, pos + 1);
        return pos + 2;
      }
    }
  }

  size_t BraceComment(size_t open) {
    const TStart start = StartAt(open);
    fMask[open] = '{';
    const size_t close = Skip<TBraceCommentInside>(open + 1);
    if (close == fSize) return UnterminatedComment(start);
    fMask[close] = '}';
    Emit(btComment, start, close);
    return close + 1;
  }

  // A comment still open at the end of the text ends with the text's last byte that is not a
  // line break.
  size_t UnterminatedComment(const TStart& start) {
    size_t last = fSize - 1;
    while (last > start.Pos && IsLineBreak(fText[last])) --last;
    fMask[last] = '}';
    Emit(btComment, start, last);
    return fSize;
  }

  const TSourceParser& fParser;
  const char* fText;
  size_t fSize;
  char* fMask;
  std::vector<TSourceCodeBlock>& fBlocks;
  int32_t fLine = 0;
  size_t fLineStart = 0;
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
  TScanner scanner(*this, fMask, fBlocks.fItems);
  if (type == ctPascal) {
    scanner.ScanPascal();
  } else {
    scanner.ScanC();
  }
}

}  // namespace dravik
