// Lines of a file, standard input or a stream, read with a bound on their length, and with a read error
// told apart from the end: a failing disk or a folder must not pass for a short file.
#pragma once

#include <cstddef>
#include <iosfwd>
#include <memory>
#include <string>

namespace plotara {

class LineReader {
 public:
  enum class Status { Line, End, TooLong, Error };

  // Opens path for reading. nullptr, with the problem in the reader's words ("No such file or
  // directory"), when it cannot be opened.
  static std::unique_ptr<LineReader> Open(const std::string& path, std::string& problem);
  // Reads a descriptor it does not own (standard input: 0).
  explicit LineReader(int fd);
  // Reads a stream; a stream gone bad is a read error.
  explicit LineReader(std::istream& in);
  ~LineReader();
  LineReader(const LineReader&) = delete;
  LineReader& operator=(const LineReader&) = delete;

  // The next line without its line break (a last line without one counts). TooLong when it has more
  // than maxLine bytes, Error when reading failed (Problem() says why); both leave line unspecified.
  Status Next(std::string& line, size_t maxLine);

  const std::string& Problem() const { return problem_; }
  // Bytes taken from the source so far.
  size_t BytesRead() const { return bytesRead_; }

 private:
  LineReader(int fd, bool owned);
  // Refills the buffer; false at the end or on an error (status_ tells which).
  bool Fill();

  int fd_ = -1;
  bool owned_ = false;
  std::istream* in_ = nullptr;
  std::unique_ptr<char[]> buffer_;
  size_t begin_ = 0, end_ = 0;
  size_t bytesRead_ = 0;
  Status status_ = Status::Line;  // End or Error once the source has said so
  std::string problem_;
};

}  // namespace plotara
