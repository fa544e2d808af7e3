// The host's methods for data sets fed by a data source.
#include "control/Control.h"
#include "model/DataSets.h"
#include "model/Lookup.h"
#include "plotara/Plotara.h"
#include "sources/OpenSource.h"

namespace plotara {

namespace {

// Feeds the last data set of the current graph from the source `open` gives; error 9 without one.
template <class Open>
void Feed(Control& c, Open&& open) {
  const GraphRecord& g = c.State.Current();
  if (g.NumDataSets() < 1) Raise(err::SubscriptOutOfRange);
  if (g.DataSets.back().PointCount > 0) Raise(err::InvalidProcedureCall);
  try {
    std::shared_ptr<DataSource> source = open();
    auto feed = std::make_shared<SourceFeed>(source, source->Extent());
    AttachFeed(c.State, c.Notify, std::move(feed));
  } catch (const DataSourceError& e) {
    throw DescribedError(err::DataSourceFailed, e.what());
  }
}

}  // namespace

void Plotara::DataQuery(const std::string& Connection, const std::string& Query, const std::string& XColumn,
                        const std::string& YColumn) {
  c_->Notify.Guard("DataQuery", [&] {
    Feed(*c_, [&] { return OpenDataSource(Connection, {Query, XColumn, YColumn}); });
  });
}

void Plotara::UseDataSource(std::shared_ptr<DataSource> source) {
  c_->Notify.Guard("UseDataSource", [&] {
    if (!source) Raise(err::InvalidProcedureCall);
    Feed(*c_, [&] { return source; });
  });
}

void Plotara::DeferDataQueries(bool defer) {
  c_->State.DeferDataQueries = defer;
}

std::vector<std::function<void()>> Plotara::TakeDataQueries() {
  std::vector<std::function<void()>> out;
  for (const GraphRecord& g : c_->State.Graphs)
    for (const DataSetRecord& d : g.DataSets) {
      if (!d.Feed) continue;
      for (FoldRequest& r : d.Feed->TakeDeferred())
        out.push_back([feed = d.Feed, request = std::move(r)] { feed->Run(request); });
    }
  return out;
}

}  // namespace plotara
