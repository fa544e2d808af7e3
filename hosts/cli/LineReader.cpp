#include "hosts/cli/LineReader.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <istream>

namespace plotara {

namespace {
constexpr size_t kBufferSize = 1 << 16;
}

std::unique_ptr<LineReader> LineReader::Open(const std::string& path, std::string& problem) {
  const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) {
    problem = std::strerror(errno);
    return nullptr;
  }
  return std::unique_ptr<LineReader>(new LineReader(fd, true));
}

LineReader::LineReader(int fd) : LineReader(fd, false) {}

LineReader::LineReader(int fd, bool owned) : fd_(fd), owned_(owned), buffer_(new char[kBufferSize]) {}

LineReader::LineReader(std::istream& in) : in_(&in), buffer_(new char[kBufferSize]) {}

LineReader::~LineReader() {
  if (owned_) ::close(fd_);
}

bool LineReader::Fill() {
  if (status_ != Status::Line) return false;
  begin_ = end_ = 0;
  if (in_) {
    in_->read(buffer_.get(), kBufferSize);
    end_ = static_cast<size_t>(in_->gcount());
    if (in_->bad()) {
      status_ = Status::Error;
      problem_ = "read error";
      return false;
    }
  } else {
    ssize_t n;
    do {
      n = ::read(fd_, buffer_.get(), kBufferSize);
    } while (n < 0 && errno == EINTR);
    if (n < 0) {
      status_ = Status::Error;
      problem_ = std::strerror(errno);
      return false;
    }
    end_ = static_cast<size_t>(n);
  }
  bytesRead_ += end_;
  if (end_ == 0) status_ = Status::End;
  return end_ > 0;
}

LineReader::Status LineReader::Next(std::string& line, size_t maxLine) {
  line.clear();
  bool any = false;
  for (;;) {
    if (begin_ == end_ && !Fill()) {
      if (status_ == Status::Error) return Status::Error;
      return any ? Status::Line : Status::End;
    }
    any = true;
    const char* start = buffer_.get() + begin_;
    const void* nl = std::memchr(start, '\n', end_ - begin_);
    const size_t n = nl ? static_cast<size_t>(static_cast<const char*>(nl) - start) : end_ - begin_;
    if (line.size() + n > maxLine) return Status::TooLong;
    line.append(start, n);
    begin_ += n;
    if (nl) {
      ++begin_;
      return Status::Line;
    }
  }
}

}  // namespace plotara
