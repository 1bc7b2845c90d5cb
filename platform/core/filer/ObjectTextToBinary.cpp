#include <string>
#include <vector>

#include "platform/core/filer/BinaryObjectReader.h"
#include "platform/core/filer/BinaryObjectWriter.h"
#include "platform/core/filer/ObjectText.h"
#include "platform/core/filer/Parser.h"
#include "platform/core/resources/ResourceFile.h"
#include "platform/core/streams/MemoryStream.h"
#include "platform/core/streams/Stream.h"
#include "platform/core/system/Exceptions.h"

namespace dravik {

namespace {

class TTextFormCompiler {
 public:
  TTextFormCompiler(TStream& input, TStream& output) : fParser(input), fWriter(output) {}

  void Run() {
    fWriter.WriteSignature();
    CompileObject(0);
    fWriter.FlushBuffer();
  }

 private:
  // A name stored as a short string.
  std::string ShortName(std::string name) {
    if (name.size() > 255) fParser.Error("Name longer than 255 characters");
    return name;
  }

  int32_t Int32Token(const char* what) {
    int64_t value = fParser.TokenInt();
    if (value < INT32_MIN || value > INT32_MAX) fParser.Error(std::string(what) + " out of range");
    return static_cast<int32_t>(value);
  }

  // Pascal's reserved words that structure the text; no value or property has their names.
  bool AtKeyword() const { return fParser.TokenSymbolIs("end") || AtObjectKeyword(); }
  bool AtObjectKeyword() const {
    return fParser.TokenSymbolIs("object") || fParser.TokenSymbolIs("inherited") ||
           fParser.TokenSymbolIs("inline");
  }

  void CompileObject(int depth) {
    if (depth > kMaxNestingDepth) fParser.Error("Components nested too deeply");
    TFilerFlags flags = 0;
    if (fParser.TokenSymbolIs("inherited"))
      flags = ffInherited;
    else if (fParser.TokenSymbolIs("inline"))
      flags = ffInline;
    else
      fParser.CheckTokenSymbol("object");
    fParser.NextToken();
    fParser.CheckToken(toSymbol);
    std::string name;
    std::string className = fParser.TokenString();
    fParser.NextToken();
    if (fParser.Token() == ':') {
      fParser.NextToken();
      fParser.CheckToken(toSymbol);
      name = className;
      className = fParser.TokenString();
      fParser.NextToken();
    }
    int32_t childPos = 0;
    if (fParser.Token() == '[') {
      fParser.NextToken();
      childPos = Int32Token("Child position");
      fParser.NextToken();
      fParser.CheckToken(']');
      fParser.NextToken();
      flags |= ffChildPos;
    }
    fWriter.BeginComponent(flags, childPos, ShortName(className), ShortName(name));
    while (!AtKeyword()) CompileProperty(depth);
    fWriter.EndList();
    while (!fParser.TokenSymbolIs("end")) CompileObject(depth + 1);
    fParser.NextToken();
    fWriter.EndList();
  }

  void CompileProperty(int depth) {
    if (fParser.Token() == toEOF || AtKeyword()) fParser.CheckTokenSymbol("end");
    fParser.CheckToken(toSymbol);
    std::string name = fParser.TokenString();
    while (fParser.NextToken() == '.') {
      fParser.NextToken();
      fParser.CheckToken(toSymbol);
      name += "." + fParser.TokenString();
    }
    fWriter.BeginProperty(ShortName(std::move(name)));
    fParser.CheckToken('=');
    fParser.NextToken();
    CompileValue(depth);
  }

  void CompileValue(int depth) {
    if (depth > kMaxNestingDepth) fParser.Error("Values nested too deeply");
    switch (fParser.Token()) {
      case toInteger:
        if (fParser.TokenIsUnsigned())
          fWriter.WriteUInt64(fParser.TokenUInt());
        else
          fWriter.WriteInteger(fParser.TokenInt());
        fParser.NextToken();
        break;
      case toFloat:
        CompileFloat();
        fParser.NextToken();
        break;
      case toString:
      case toWString:
        CompileString();
        break;
      case toSymbol:
        if (AtKeyword()) ValueExpected();
        fWriter.WriteIdent(ShortName(fParser.TokenComponentIdent()));
        fParser.NextToken();
        break;
      case '[':
        CompileSet();
        break;
      case '(':
        CompileList(depth);
        break;
      case '<':
        CompileCollection(depth);
        break;
      case '{':
        CompileBinary();
        break;
      default:
        ValueExpected();
    }
  }

  [[noreturn]] void ValueExpected() const {
    fParser.Error("Property value expected but " + fParser.TokenDescription() + " found");
  }

  void CompileFloat() {
    switch (fParser.FloatType()) {
      case 's':
        fWriter.WriteSingle(fParser.TokenSingle());
        break;
      case 'd':
        fWriter.WriteDate(fParser.TokenDouble());
        break;
      case 'c':
        fWriter.WriteCurrency(fParser.TokenCurrency());
        break;
      default:
        fWriter.WriteFloat(fParser.TokenFloat());
        break;
    }
  }

  // Fragments joined by "+" make one string; it is wide when any fragment is.
  void CompileString() {
    bool wide = fParser.Token() == toWString;
    std::string bytes = fParser.TokenString();
    std::u16string units = fParser.TokenWideString();
    while (fParser.NextToken() == '+') {
      fParser.NextToken();
      if (fParser.Token() != toWString) fParser.CheckToken(toString);
      wide = wide || fParser.Token() == toWString;
      bytes += fParser.TokenString();
      units += fParser.TokenWideString();
    }
    if (wide)
      fWriter.WriteWideString(units);
    else
      fWriter.WriteString(bytes);
  }

  void CompileSet() {
    std::vector<std::string> elements;
    if (fParser.NextToken() != ']') {
      for (;;) {
        fParser.CheckToken(toSymbol);
        elements.push_back(ShortName(fParser.TokenString()));
        if (fParser.NextToken() == ']') break;
        fParser.CheckToken(',');
        fParser.NextToken();
      }
    }
    fWriter.WriteSet(elements);
    fParser.NextToken();
  }

  void CompileList(int depth) {
    fParser.NextToken();
    fWriter.BeginList();
    while (fParser.Token() != ')') CompileValue(depth + 1);
    fWriter.EndList();
    fParser.NextToken();
  }

  void CompileCollection(int depth) {
    fParser.NextToken();
    fWriter.BeginCollection();
    while (fParser.Token() != '>') {
      fParser.CheckTokenSymbol("item");
      if (fParser.NextToken() == '[') {
        fParser.NextToken();
        fWriter.WriteInteger(Int32Token("Item index"));
        fParser.NextToken();
        fParser.CheckToken(']');
        fParser.NextToken();
      }
      fWriter.BeginList();
      while (!fParser.TokenSymbolIs("end")) CompileProperty(depth + 1);
      fParser.NextToken();
      fWriter.EndList();
    }
    fWriter.EndList();
    fParser.NextToken();
  }

  void CompileBinary() {
    TMemoryStream data;
    fParser.HexToBinary(data);
    fWriter.WriteBinary(data.Memory(), static_cast<std::size_t>(data.Size()));
    fParser.NextToken();
  }

  TParser fParser;
  TBinaryObjectWriter fWriter;
};

}  // namespace

void ObjectTextToBinary(TStream& input, TStream& output) {
  TTextFormCompiler(input, output).Run();
}

void ObjectTextToResource(TStream& input, TStream& output) {
  TMemoryStream binary;
  ObjectTextToBinary(input, binary);
  binary.SetPosition(0);
  std::string className;
  {
    TBinaryObjectReader reader(binary);
    reader.ReadSignature();
    className = reader.BeginComponent().ClassName;
  }
  for (char& c : className)
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  WriteResourceHeader16(output, TResourceId(className), static_cast<uint32_t>(binary.Size()));
  binary.SaveToStream(output);
}

}  // namespace dravik
