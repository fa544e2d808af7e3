#include "model/Notifier.h"

#include <string>

#include "platform/RuntimeError.h"

namespace plotara {

void Notifier::ReportError(std::string_view routine, int number) {
  ReportFailure(routine, number, ErrorText(number));
}

void Notifier::ReportFailure(std::string_view routine, int number, std::string_view text) {
  if (number == err::InvalidUseOfNull || !Handlers.ErrorMsg) return;
  std::string source, description;
  std::function<void(std::string&, std::string&)> handler;  // a copy: it may set another while it runs
  try {
    handler = Handlers.ErrorMsg;
    source = "Error " + std::to_string(number) + " has occured in Plotara.ocx, ";
    source += routine;
    description = text;
  } catch (...) {
    return;  // nothing may escape the error path, not even a failed allocation
  }
  CallHost([&] { handler(source, description); });
}

void Notifier::Fire(const std::function<void()>& handler) {
  if (SuppressRaisingEvents || !handler) return;
  CallHost(std::function<void()>(handler));  // a copy, as above
}

}  // namespace plotara
