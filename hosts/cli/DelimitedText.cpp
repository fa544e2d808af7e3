#include "hosts/cli/DelimitedText.h"

namespace plotara {

namespace {

bool IsBlank(char c) {
  return c == ' ' || c == '\t';
}

}  // namespace

bool RecordReader::NextLine(std::string& problem) {
  std::string line;
  switch (in_.Next(line, maxRecord_)) {
    case LineReader::Status::End:
      return false;
    case LineReader::Status::Error:
      problem = in_.Problem();
      readError_ = true;
      return false;
    case LineReader::Status::TooLong:
      ++linesRead_;
      problem = "a row longer than " + std::to_string(maxRecord_) + " characters";
      return false;
    case LineReader::Status::Line:
      break;
  }
  if (++linesRead_ == 1 && line.starts_with("\xEF\xBB\xBF")) line.erase(0, 3);
  if (!line.empty() && line.back() == '\r') line.pop_back();
  text_ = std::move(line);
  return true;
}

char RecordReader::SeparatorOf(const std::string& line) {
  bool quoted = false, tab = false, semicolon = false, comma = false;
  for (char c : line) {
    if (c == '"') quoted = !quoted;
    if (quoted) continue;
    if (c == '#') break;
    tab |= c == '\t';
    semicolon |= c == ';';
    comma |= c == ',';
  }
  return tab ? '\t' : semicolon ? ';' : comma ? ',' : ' ';
}

bool RecordReader::Split(std::vector<std::string>& fields, std::string& problem) {
  fields.clear();
  const char sep = sep_;
  size_t i = 0;
  auto at = [&](auto test) { return i < text_.size() && test(text_[i]); };
  auto isSep = [&](char c) { return sep == ' ' ? IsBlank(c) : c == sep; };
  auto blankNotSep = [&](char c) { return IsBlank(c) && !isSep(c); };
  for (;;) {
    std::string field;
    // Blanks around a field are no part of it; where blanks separate, a run of them is one separator.
    while (at([&](char c) { return sep == ' ' ? IsBlank(c) : blankNotSep(c); })) ++i;
    if (at([](char c) { return c == '"'; })) {
      for (++i;;) {
        if (i == text_.size()) {
          // The quoted field goes on in the next line, with the line break it holds.
          std::string before;
          std::swap(before, text_);
          if (!NextLine(problem)) {
            if (problem.empty()) problem = "a quoted field is not closed";
            return false;
          }
          if (before.size() + 1 + text_.size() > maxRecord_) {
            problem = "a row longer than " + std::to_string(maxRecord_) + " characters";
            return false;
          }
          i = before.size() + 1;
          text_ = before + '\n' + text_;
          continue;
        }
        if (text_[i] == '"' && i + 1 < text_.size() && text_[i + 1] == '"') {
          field += '"';
          i += 2;
        } else if (text_[i] == '"') {
          ++i;
          break;
        } else {
          field += text_[i++];
        }
      }
      while (at(blankNotSep)) ++i;
      if (at([&](char c) { return !isSep(c) && c != '#'; })) {
        problem = "field " + std::to_string(fields.size() + 1) + " has text after its closing quote";
        return false;
      }
    } else {
      const size_t start = i;
      while (at([&](char c) { return c != '#' && !isSep(c); })) ++i;
      field = text_.substr(start, i - start);
      while (!field.empty() && IsBlank(field.back())) field.pop_back();
    }
    fields.push_back(std::move(field));
    if (sep == ' ')
      while (at(IsBlank)) ++i;
    if (!at([](char c) { return c != '#'; })) return true;
    if (sep != ' ') ++i;  // past the separator
  }
}

RecordReader::Status RecordReader::Next(std::vector<std::string>& fields, std::string& problem) {
  problem.clear();
  for (;;) {
    if (!NextLine(problem)) {
      line_ = linesRead_;
      return problem.empty() ? Status::End : readError_ ? Status::ReadError : Status::Malformed;
    }
    line_ = linesRead_;
    // Blank and comment-only lines hold no record.
    const size_t first = text_.find_first_not_of(" \t");
    if (first == std::string::npos || text_[first] == '#') continue;
    if (sep_ == 0) sep_ = SeparatorOf(text_);
    if (Split(fields, problem)) return Status::Record;
    return readError_ ? Status::ReadError : Status::Malformed;
  }
}

}  // namespace plotara
