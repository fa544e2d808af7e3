#include "model/SourceFeed.h"

#include <algorithm>

namespace plotara {

SourceFeed::SourceFeed(std::shared_ptr<DataSource> source, const SourceExtent& extent)
    : source_(std::move(source)), name_(source_->Name()), extent_(extent) {}

std::shared_ptr<const FoldAnswer> SourceFeed::Find(const FoldRequest& request) const {
  std::lock_guard lock(mu_);
  for (const auto& [kept, answer] : kept_)
    if (kept == request) return answer;
  return nullptr;
}

std::shared_ptr<const FoldAnswer> SourceFeed::Ask(const FoldRequest& request) {
  std::lock_guard asking(asking_);
  // Another thread may have asked the same while this one waited.
  if (auto known = Find(request)) return known;
  auto answer = std::make_shared<const FoldAnswer>(source_->Fold(request));
  std::lock_guard lock(mu_);
  ++questions_;
  rows_ += answer->RowsMoved;
  bytes_ += answer->BytesMoved;
  kept_.emplace_front(request, answer);
  if (kept_.size() > kKept) kept_.pop_back();
  return answer;
}

void SourceFeed::Defer(const FoldRequest& request) {
  std::lock_guard lock(mu_);
  if (std::find(deferred_.begin(), deferred_.end(), request) == deferred_.end()) deferred_.push_back(request);
}

std::vector<FoldRequest> SourceFeed::TakeDeferred() {
  std::lock_guard lock(mu_);
  return std::exchange(deferred_, {});
}

void SourceFeed::Run(const FoldRequest& request) noexcept {
  std::string failure;
  try {
    Ask(request);
    return;
  } catch (const std::exception& e) {
    failure = e.what();
  } catch (...) {
    failure = name_ + ": the source failed";
  }
  std::lock_guard lock(mu_);
  failure_ = std::move(failure);
}

std::string SourceFeed::TakeFailure() {
  std::lock_guard lock(mu_);
  return std::exchange(failure_, {});
}

void SourceFeed::SetShown(const SourceQuestion& question, std::shared_ptr<const FoldAnswer> answer) {
  std::lock_guard lock(mu_);
  shownQuestion_ = question;
  shown_ = std::move(answer);
}

std::pair<SourceQuestion, std::shared_ptr<const FoldAnswer>> SourceFeed::Shown() const {
  std::lock_guard lock(mu_);
  return {shownQuestion_, shown_};
}

int64_t SourceFeed::Questions() const {
  std::lock_guard lock(mu_);
  return questions_;
}

int64_t SourceFeed::RowsMoved() const {
  std::lock_guard lock(mu_);
  return rows_;
}

int64_t SourceFeed::BytesMoved() const {
  std::lock_guard lock(mu_);
  return bytes_;
}

}  // namespace plotara
