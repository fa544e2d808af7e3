// A data set's data source and what it has answered. The drawing asks the feed for the rows of each view;
// a view drawn before is answered from the cache and asks the source nothing. A host with threads of its
// own may leave the questions to them: the drawing then only notes what it needs (Defer), and the host
// runs those questions where it likes (Run) and draws again.
#pragma once

#include <cstdint>
#include <deque>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "plotara/DataSource.h"

namespace plotara {

// A request of a view with what the drawing needs to know besides the answer: where the line ends.
struct SourceQuestion {
  FoldRequest Request;
  // The interval that holds the rows at the source's greatest X alone (the end of the line), and whether
  // it shares its pixel column with the interval before it; -1 when the view does not reach the end.
  int32_t EndPart = -1;
  bool EndJoins = false;
};

class SourceFeed {
 public:
  SourceFeed(std::shared_ptr<DataSource> source, const SourceExtent& extent);

  const std::string& Name() const { return name_; }
  const SourceExtent& Extent() const { return extent_; }

  // The answer kept for a request, or null.
  std::shared_ptr<const FoldAnswer> Find(const FoldRequest& request) const;
  // Asks the source and keeps the answer. Raises DataSourceError.
  std::shared_ptr<const FoldAnswer> Ask(const FoldRequest& request);

  // Notes a request for a host to run; a request noted twice is run once.
  void Defer(const FoldRequest& request);
  // The noted requests, taken from the feed.
  std::vector<FoldRequest> TakeDeferred();
  // Runs a noted request on any thread: the answer is kept, a failure is held for Failure.
  void Run(const FoldRequest& request) noexcept;
  // The message of the last failure of a run request, taken from the feed; empty when there was none.
  std::string TakeFailure();

  // The request and answer of the last view drawn with the source's own rows: what is drawn while a view
  // waits for its rows or its source fails.
  void SetShown(const SourceQuestion& question, std::shared_ptr<const FoldAnswer> answer);
  std::pair<SourceQuestion, std::shared_ptr<const FoldAnswer>> Shown() const;

  // How many questions the source was asked, the extent's among them, and the rows and bytes its
  // answers moved.
  int64_t Questions() const;
  int64_t RowsMoved() const;
  int64_t BytesMoved() const;

 private:
  static constexpr size_t kKept = 8;  // answers kept, the last used first

  std::shared_ptr<DataSource> source_;
  const std::string name_;
  const SourceExtent extent_;
  std::mutex asking_;      // one question at a time
  mutable std::mutex mu_;  // everything below
  std::deque<std::pair<FoldRequest, std::shared_ptr<const FoldAnswer>>> kept_;
  std::vector<FoldRequest> deferred_;
  std::string failure_;
  SourceQuestion shownQuestion_;
  std::shared_ptr<const FoldAnswer> shown_;
  int64_t questions_ = 1, rows_ = 0, bytes_ = 0;
};

}  // namespace plotara
