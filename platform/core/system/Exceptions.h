#pragma once
// The exception hierarchy of the framework. Every failure the system raises is an Exception
// (or a descendant) carrying an English message; ClassName() tells the kind by its original name.

#include <cstdint>
#include <exception>
#include <string>

#include "platform/core/system/FixedName.h"

namespace dravik {

class Exception : public std::exception {
 public:
  explicit Exception(std::string message) : fMessage(std::move(message)) {}
  virtual const char* ClassName() const { return "Exception"; }
  const std::string& Message() const { return fMessage; }
  void SetMessage(std::string message) { fMessage = std::move(message); }
  const char* what() const noexcept override { return fMessage.c_str(); }

 private:
  std::string fMessage;
};

// Each exception class is one line: its original name and its base.
template <TFixedName Name, class Base>
class ExceptionClass : public Base {
 public:
  using Base::Base;
  const char* ClassName() const override { return Name.value; }
};

// The silent exception: handlers let it pass without showing anything.
using EAbort = ExceptionClass<"EAbort", Exception>;
using EConvertError = ExceptionClass<"EConvertError", Exception>;
using EVariantError = ExceptionClass<"EVariantError", Exception>;
using EListError = ExceptionClass<"EListError", Exception>;
using EStringListError = ExceptionClass<"EStringListError", Exception>;
using EComponentError = ExceptionClass<"EComponentError", Exception>;
using EResNotFound = ExceptionClass<"EResNotFound", Exception>;
using EStreamError = ExceptionClass<"EStreamError", Exception>;
using EFCreateError = ExceptionClass<"EFCreateError", EStreamError>;
using EFOpenError = ExceptionClass<"EFOpenError", EStreamError>;
using EFilerError = ExceptionClass<"EFilerError", EStreamError>;
using EReadError = ExceptionClass<"EReadError", EFilerError>;
using EWriteError = ExceptionClass<"EWriteError", EFilerError>;
using EClassNotFound = ExceptionClass<"EClassNotFound", EFilerError>;
using EInvalidImage = ExceptionClass<"EInvalidImage", EFilerError>;
using EParserError = ExceptionClass<"EParserError", Exception>;
using EPropertyError = ExceptionClass<"EPropertyError", Exception>;
using EInvalidOperation = ExceptionClass<"EInvalidOperation", Exception>;
using EOutOfResources = ExceptionClass<"EOutOfResources", Exception>;

// An operating-system input/output failure; ErrorCode is the errno value.
class EInOutError : public Exception {
 public:
  EInOutError(std::string message, int errorCode)
      : Exception(std::move(message)), fErrorCode(errorCode) {}
  const char* ClassName() const override { return "EInOutError"; }
  int ErrorCode() const { return fErrorCode; }

 private:
  int fErrorCode;
};

// Raises EAbort with the framework's text.
[[noreturn]] void Abort();

}  // namespace dravik
