#include "model/Notifier.h"

#include <string>

#include "platform/RuntimeError.h"

namespace plotara {

void Notifier::ReportError(std::string_view routine, int number) noexcept {
  if (number == err::InvalidUseOfNull) return;
  try {
    std::string source = "Error " + std::to_string(number) + " has occured in Plotara.ocx, ";
    source += routine;
    std::string description(ErrorText(number));
    if (Handlers.ErrorMsg) Handlers.ErrorMsg(source, description);
  } catch (...) {
    // Nothing may escape the error path, not even a failing handler.
  }
}

void Notifier::Fire(const std::function<void()>& handler) {
  if (SuppressRaisingEvents || !handler) return;
  try {
    handler();
  } catch (...) {
  }
}

}  // namespace plotara
