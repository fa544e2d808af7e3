// The line of a data set fed by a data source. A view asks the source for its rows folded to the pixel
// columns of the plot, as the data set's X mapping and the surface's pixels place them, and draws, per
// column, the first and the last row and two points at its lowest and highest Y: the pixels of the line
// through all its rows (a folded one-pixel line and a wide one alike), from a few numbers per column.
#pragma once

#include <optional>
#include <vector>

#include "model/PointList.h"
#include "model/SourceFeed.h"
#include "render/Drawing.h"
#include "render/ItemView.h"

namespace plotara {

// The question the view of a data set asks of its source; none when the view holds no X.
std::optional<SourceQuestion> ViewQuestion(const ItemView& item, double twipsPerPixel,
                                           const SourceExtent& extent);

// The points that draw an answer's line, in stored coordinates (counted from the axes' origins).
std::vector<Point> AnswerPoints(const SourceQuestion& question, const FoldAnswer& answer,
                                const SourceExtent& extent, double originX = 0, double originY = 0);

// Draws the line of data set `item`, fed by `feed`, with the surface's pen. Its rows come from the feed's
// kept answers, else from its source; a source that fails (reported as "DataQuery") or a question left
// to the host (ControlState::DeferDataQueries) draws the last view that had its rows.
void DrawSourceLine(Drawing& d, Surface& s, const ItemView& item, SourceFeed& feed);

}  // namespace plotara
