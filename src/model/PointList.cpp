#include "model/PointList.h"

#include <sys/mman.h>
#include <unistd.h>

#include <utility>

#include "platform/HugePages.h"
#include "platform/RuntimeError.h"

namespace plotara {

namespace {
size_t PageSize() {
  static const size_t page = static_cast<size_t>(sysconf(_SC_PAGESIZE));
  return page;
}
}  // namespace

PointList::~PointList() {
  if (data_) munmap(data_, mappedBytes_);
}

PointList::PointList(PointList&& other) noexcept
    : data_(std::exchange(other.data_, nullptr)),
      count_(std::exchange(other.count_, 0)),
      capacity_(std::exchange(other.capacity_, 0)),
      mappedBytes_(std::exchange(other.mappedBytes_, 0)) {}

PointList& PointList::operator=(PointList&& other) noexcept {
  if (this != &other) {
    if (data_) munmap(data_, mappedBytes_);
    data_ = std::exchange(other.data_, nullptr);
    count_ = std::exchange(other.count_, 0);
    capacity_ = std::exchange(other.capacity_, 0);
    mappedBytes_ = std::exchange(other.mappedBytes_, 0);
  }
  return *this;
}

void PointList::Clear() {
  count_ = 0;
  if (mappedBytes_ > PageSize()) {
    // Give the memory of a large list back; a cleared graph starts small again.
    munmap(data_, mappedBytes_);
    data_ = nullptr;
    capacity_ = 0;
    mappedBytes_ = 0;
  }
}

void PointList::Grow() {
  // Double the mapping; untouched pages cost no memory, and mremap moves no data.
  const size_t bytes = mappedBytes_ == 0 ? PageSize() : mappedBytes_ * 2;
  void* p = data_ ? mremap(data_, mappedBytes_, bytes, MREMAP_MAYMOVE)
                  : mmap(nullptr, bytes, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
  if (p == MAP_FAILED) Raise(err::OutOfMemory);
  AskForHugePages(p, bytes);
  data_ = static_cast<Point*>(p);
  mappedBytes_ = bytes;
  capacity_ = bytes / sizeof(Point);
}

}  // namespace plotara
