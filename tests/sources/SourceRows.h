// Rows for the data source tests, and two charts that draw them: one from its points, one from a source.
#pragma once

#include <gtest/gtest.h>

#include <unistd.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <random>
#include <string>
#include <utility>
#include <vector>

#include "plotara/DataSource.h"
#include "support/Chart.h"
#include "support/Events.h"
#include "support/Pixels.h"

namespace plotara::test {

using Rows = std::vector<std::pair<double, double>>;

// n rows of a noisy walk over X in [1, 1000], in order of X then Y, with runs of equal X (a few rows
// each) here and there and four rows at the greatest X, so that columns hold rows of one X and the line
// ends in a column of its own rows.
inline Rows WalkRows(size_t n, unsigned seed = 7) {
  std::mt19937_64 rng(seed);
  std::uniform_real_distribution<double> step(-1, 1), where(1, 1000);
  Rows rows;
  rows.reserve(n);
  double y = 0;
  while (rows.size() + 4 < n) {
    const double x = where(rng);
    y += step(rng);
    rows.push_back({x, y + 20 * step(rng) * step(rng)});
    if (rows.size() % 997 == 0)
      for (int k = 0; k < 3; ++k) rows.push_back({x, y + step(rng)});
  }
  for (int k = 0; k < 4; ++k) rows.push_back({1000.5, y + step(rng) * 5});
  std::sort(rows.begin(), rows.end());
  return rows;
}

// n rows a quarter second apart from 2026-03-29 00:00 UTC (Unix seconds), Y a noisy walk.
inline Rows InstantRows(size_t n) {
  Rows rows = WalkRows(n);
  for (size_t i = 0; i < rows.size(); ++i) rows[i].first = 1774742400.0 + 0.25 * static_cast<double>(i * 7);
  return rows;
}

// Rows in COPY's text format, every double to the last bit.
// A path in the temporary folder that no other test program running at the same time uses: other
// builds of the project run these tests side by side.
inline std::string ScratchPath(const std::string& name) {
  return (std::filesystem::path(::testing::TempDir()) / ("plotara-" + std::to_string(getpid()) + "-" + name))
      .string();
}

inline std::string CopyText(const Rows& rows) {
  std::string text;
  char line[64];
  for (const auto& [x, y] : rows) {
    std::snprintf(line, sizeof line, "%.17g\t%.17g\n", x, y);
    text += line;
  }
  return text;
}

// A graph with automatic axes (or X 0..10 and Y -5..10) and plain white fills, one data set with a line
// and no symbols; the X axis logarithmic when asked.
inline void SourceGraph(Plotara& p, bool logX, int16_t thickness, bool fixed = false) {
  if (fixed) {
    p.NewGraph("G", 0, 10, -5, 10);
  } else {
    p.NewGraph("G");
  }
  p.BorderStyle(0x00FFFFFF);
  p.PlotAreaColors(0x00FFFFFF);
  p.GraphShowTitle(false);
  p.LegendShow(false);
  if (logX) p.AxisStyle(-1, -1, true);
  p.NewDataSet("d");
  p.DataLine(0x00FF0000, thickness, 1);
  p.DataSymbol(0);
}

// The same rows drawn from points (the reference) and from a source.
struct TwoCharts {
  Chart points{600, 400}, fed{600, 400};
  // setup runs on both graphs before the rows come (AxisTime = True, say).
  TwoCharts(
      const Rows& rows, const std::function<void(Plotara&)>& feed, bool logX, int16_t thickness,
      bool fixed = false, const std::function<void(Plotara&)>& setup = [](Plotara&) {}) {
    SourceGraph(points.p, logX, thickness, fixed);
    setup(points.p);
    for (const auto& [x, y] : rows) points.p.AddDataPoint(x, y);
    SourceGraph(fed.p, logX, thickness, fixed);
    setup(fed.p);
    feed(fed.p);
  }
  // Both charts take the same steps (a zoom, a pan, a thicker line).
  void Both(const std::function<void(Plotara&)>& step) {
    step(points.p);
    step(fed.p);
  }
  // The pixels in which the two pictures differ, and that the line drew at least `ink` pixels.
  int Differences(int ink = 200) {
    points.p.Refresh();
    fed.p.Refresh();
    EXPECT_GE(CountColor(points.picture(), 0, 0, 600, 400, 0x00FF0000), ink) << "the line is drawn";
    return CountDifferences(fed.picture(), points.picture());
  }
};

// What a DataQuery on a new data set reports, and whether the data set was fed nonetheless.
struct QueryOutcome {
  std::vector<std::string> events;
  bool fed = false;
};
inline QueryOutcome Query(const std::string& connection, const std::string& query, const std::string& x = "",
                          const std::string& y = "") {
  Chart chart;
  EventLog log(chart.p);
  SourceGraph(chart.p, false, 1);
  log.events.clear();
  chart.p.DataQuery(connection, query, x, y);
  return {log.events, chart.state().Current().DataSets.back().Feed != nullptr};
}

}  // namespace plotara::test
