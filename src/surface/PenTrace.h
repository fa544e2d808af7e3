// The trace of a round pen drawn along a polyline, smoothed, straight into 32-bit pixels: every point
// within half the pen's width of the line, whatever the number of segments or how often they pass over
// a place. Each pixel takes the colour in proportion to the share of it the trace covers, measured as
// cairo's rasteriser measures it (15 rows of samples a pixel, exact along each row) but for the union of
// the pen's positions rather than a polygon of its outline, and blended as cairo blends.
//
// This is the smoothed picture's way to stroke a line path: cairo's polygon rasteriser spends its time on
// every sample row of every edge, which a dense data line (a tall band in every pixel column) makes
// tens of milliseconds; here a pixel wholly inside the trace costs one store.
#pragma once

#include <cstdint>
#include <span>
#include <utility>
#include <vector>

#include "surface/Surface.h"

namespace plotara {

class PenTrace {
 public:
  struct Target {
    uint32_t* pixels;    // 0x00RRGGBB
    int stride;          // in pixels
    int x0, y0, x1, y1;  // the clip rectangle: [x0, x1) x [y0, y1)
  };

  // Draws the trace of a pen `width` pixels wide along the line through the centres of the points, in
  // rgb (0x00RRGGBB). The scratch space is kept for the next line.
  void Draw(std::span<const PixelPoint> points, int width, uint32_t rgb, const Target& target);

 private:
  // One position of the line: the points within r of the segment from (ax, ay) to (bx, by).
  struct Capsule {
    double ax, ay, bx, by;
    double top, bottom;  // the rows it reaches: y within [top, bottom]
    int firstRow, endRow;
    // An upright capsule is the same across every row between its ends' rows [coreTop, coreEnd): there
    // it covers pixels [f0, f1) wholly and [x0, f0), [f1, x1) in part, within the clip.
    bool upright;
    int coreTop, coreEnd, x0, f0, f1, x1;
    // The segment: from a by (dx, dy), its length, and its direction and normal of length 1.
    double dx, dy, len, ux, uy, inverseUx, inverseUy;
  };
  // The share of the pixel whose top-left corner is (x, y) that lies within r of the line through the
  // capsule's ends, or a negative number when the pixel reaches past either end (where the end discs
  // count too).
  double Strip(const Capsule& c, int x, int y) const;
  // Where capsule c crosses the sample rows of row y: the left and right end on each (lo above hi where
  // it does not).
  void SampleRows(const Capsule& c, int y, float* lo, float* hi) const;
  void Add(double ax, double ay, double bx, double by, const Target& target);
  // Where the horizontal line y meets capsule c; false when it does not.
  bool Across(const Capsule& c, double y, double& left, double& right) const;
  // The same, cheaper, where the line meets only the straight sides of a slanted capsule; false where
  // it meets an end or the capsule is level or upright.
  bool Sides(const Capsule& c, double y, double& left, double& right) const;
  // Paints the rows of upright capsules that cover whole pixels (their cores) at once, column by column,
  // leaving their ends to the rows.
  void PaintCores(const Target& target, uint32_t rgb);
  bool InCore(int x, int y, const Target& target) const;
  void Row(int y, const Target& target, uint32_t rgb);
  double Coverage(int x, int y, size_t from, size_t to);

  double r_ = 0.5, r2_ = 0.25;
  std::vector<float> chords_, noChords_;  // SampleRows' half chords of the end discs, negative where none
  std::vector<Capsule> capsules_;
  std::vector<uint32_t> order_;  // capsule indices by first row
  std::vector<uint32_t> rowStart_;
  std::vector<uint32_t> active_;  // capsules reaching the row being drawn
  // The row being drawn: pixels wholly covered are written at once; the others are gathered as ranges
  // of pixels that a capsule covers in part.
  struct Part {
    int x0, x1;
    uint32_t capsule;
  };
  std::vector<Part> parts_;
  struct Core {
    int x0, x1, y0, y1;
  };
  std::vector<Core> cores_;
  std::vector<uint32_t> coreStart_, coreAt_, coreFill_;  // the cores over each column of the clip
  std::vector<uint8_t> full_;                 // per pixel of the clip's width: written whole this row
  std::vector<std::pair<int, int>> written_;  // the ranges to clear in full_ after the row
  // Where each capsule crosses the sample rows of the row being drawn, worked out once per row.
  std::vector<int> crossingsAt_;  // per capsule: index into crossings_, or -1
  std::vector<float> crossings_;
  std::vector<int> crossed_;  // the capsules with crossings this row
  std::vector<size_t> over_;  // the crossings of the capsules over the pixel being measured
  std::vector<std::pair<float, float>> spans_;
};

}  // namespace plotara
