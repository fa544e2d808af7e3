// Numbered run-time errors. The control's failure behaviour is defined in terms of a run-time that raises
// errors by number (6 overflow, 9 subscript out of range, ...); this is that run-time's error type.
#pragma once

#include <exception>
#include <memory>
#include <string>
#include <string_view>

namespace plotara {

// Error numbers the control raises or reports.
namespace err {
inline constexpr int InvalidProcedureCall = 5;
inline constexpr int Overflow = 6;
inline constexpr int OutOfMemory = 7;
inline constexpr int SubscriptOutOfRange = 9;
inline constexpr int DivisionByZero = 11;
inline constexpr int TypeMismatch = 13;
inline constexpr int FileNotFound = 53;
inline constexpr int PathFileAccess = 75;
inline constexpr int InvalidUseOfNull = 94;
inline constexpr int InvalidPropertyValue = 380;
inline constexpr int ReadOnlyProperty = 383;
inline constexpr int NotSupported = 438;
inline constexpr int ArgumentNotOptional = 449;
inline constexpr int WrongArgumentCount = 450;
inline constexpr int NamedArgumentNotFound = 448;
inline constexpr int CantOpenClipboard = 521;
inline constexpr int DataSourceFailed = 3146;  // a data set's database failed; the message says how
}  // namespace err

// The standard message text of an error number.
std::string_view ErrorText(int number) noexcept;

class RuntimeError : public std::exception {
 public:
  explicit RuntimeError(int number) noexcept : number_(number) {}
  int Number() const noexcept { return number_; }
  const char* what() const noexcept override;

 private:
  int number_;
};

// A run-time error whose message is its own, not the number's standard text: what a database said, with
// the source's name.
class DescribedError : public RuntimeError {
 public:
  DescribedError(int number, std::string description)
      : RuntimeError(number), description_(std::make_shared<const std::string>(std::move(description))) {}
  const char* what() const noexcept override { return description_->c_str(); }

 private:
  std::shared_ptr<const std::string> description_;  // shared, so that copies never throw
};

[[noreturn]] void Raise(int number);

}  // namespace plotara
