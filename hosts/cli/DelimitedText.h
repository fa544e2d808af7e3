// Records of delimited text as spreadsheets and loggers write them (RFC 4180 and the habits around it):
// fields separated by a tab, a semicolon, a comma or runs of blanks, whichever the first record shows
// outside quotes (in that order); a field in double quotes may hold separators, line breaks and "" for a
// quote; '#' outside quotes starts a comment; blank and comment-only lines hold no record; a UTF-8
// byte-order mark before the first line and a carriage return before each line break are passed over.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "hosts/cli/LineReader.h"

namespace plotara {

class RecordReader {
 public:
  enum class Status { Record, End, ReadError, Malformed };

  // Reads in; a record (with the lines its quoted fields span) has at most maxRecord bytes.
  RecordReader(LineReader& in, size_t maxRecord) : in_(in), maxRecord_(maxRecord) {}

  // The fields of the next record, without their quotes and surrounding blanks. ReadError (the source
  // failed) or Malformed ("a quoted field is not closed") with the problem when there is none to read.
  Status Next(std::vector<std::string>& fields, std::string& problem);

  // The line the last record started on (1 for the first line).
  int Line() const { return line_; }
  // The separator: '\t', ';', ',' or ' ' for blanks; 0 before the first record.
  char Separator() const { return sep_; }

 private:
  // The next line into text_; false at the end or on an error (problem set).
  bool NextLine(std::string& problem);
  // Splits text_ into fields; a quoted field open at the end of a line takes the next lines.
  bool Split(std::vector<std::string>& fields, std::string& problem);
  // The separator the line shows outside quotes and before a comment.
  static char SeparatorOf(const std::string& line);

  LineReader& in_;
  size_t maxRecord_;
  std::string text_;
  int line_ = 0, linesRead_ = 0;
  bool readError_ = false;
  char sep_ = 0;
};

}  // namespace plotara
