// Checked access to the records by index: run-time error 9 for an index that does not exist.
#pragma once

#include <vector>

#include "model/Records.h"
#include "platform/RuntimeError.h"

namespace plotara {

// The entry at a 0-based index of a list, or error 9.
template <class T>
T& At(std::vector<T>& list, int index) {
  if (index < 0 || static_cast<size_t>(index) >= list.size()) Raise(err::SubscriptOutOfRange);
  return list[static_cast<size_t>(index)];
}

template <class T>
const T& At(const std::vector<T>& list, int index) {
  if (index < 0 || static_cast<size_t>(index) >= list.size()) Raise(err::SubscriptOutOfRange);
  return list[static_cast<size_t>(index)];
}

inline AxisRecord& AxisAt(GraphRecord& g, int index) {
  return At(g.Axes, index);
}
inline const AxisRecord& AxisAt(const GraphRecord& g, int index) {
  return At(g.Axes, index);
}
inline DataSetRecord& DataSetAt(GraphRecord& g, int index) {
  return At(g.DataSets, index);
}
inline const DataSetRecord& DataSetAt(const GraphRecord& g, int index) {
  return At(g.DataSets, index);
}

}  // namespace plotara
