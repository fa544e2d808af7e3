#include "platform/RuntimeError.h"

#include "plotara/AutomationError.h"

namespace plotara {

std::string_view ErrorText(int number) noexcept {
  switch (number) {
    case 3:
      return "Return without GoSub";
    case 5:
      return "Invalid procedure call or argument";
    case 6:
      return "Overflow";
    case 7:
      return "Out of memory";
    case 9:
      return "Subscript out of range";
    case 10:
      return "This array is fixed or temporarily locked";
    case 11:
      return "Division by zero";
    case 13:
      return "Type mismatch";
    case 14:
      return "Out of string space";
    case 28:
      return "Out of stack space";
    case 52:
      return "Bad file name or number";
    case 53:
      return "File not found";
    case 61:
      return "Disk full";
    case 70:
      return "Permission denied";
    case 75:
      return "Path/File access error";
    case 76:
      return "Path not found";
    case 91:
      return "Object variable or With block variable not set";
    case 94:
      return "Invalid use of Null";
    case 380:
      return "Invalid property value";
    case 383:
      return "Property is read-only";
    case 438:
      return "Object doesn't support this property or method";
    case 448:
      return "Named argument not found";
    case 449:
      return "Argument not optional";
    case 450:
      return "Wrong number of arguments or invalid property assignment";
    case 481:
      return "Invalid picture";
    case 521:
      return "Can't open Clipboard";
    case 3146:
      return "Data source call failed";
    default:
      return "Application-defined or object-defined error";
  }
}

const char* RuntimeError::what() const noexcept {
  return ErrorText(number_).data();
}

void Raise(int number) {
  throw RuntimeError(number);
}

AutomationError::AutomationError(int number) : AutomationError(number, std::string(ErrorText(number))) {}

}  // namespace plotara
