#include "InteractFixture.h"

namespace plotara::test {
namespace {

// A clipboard that keeps what it is given, and can refuse.
struct FakeClipboard : ClipboardService {
  bool refuseClear = false, refusePicture = false;
  int clears = 0;
  std::vector<uint32_t> pixels;
  int width = 0, height = 0;
  bool Clear() override {
    ++clears;
    pixels.clear();
    width = height = 0;
    return !refuseClear;
  }
  bool PutPicture(const PictureView& v) override {
    if (refusePicture) return false;
    width = v.Width;
    height = v.Height;
    for (int y = 0; y < v.Height; ++y)
      pixels.insert(pixels.end(), v.Pixels + y * v.StridePixels, v.Pixels + y * v.StridePixels + v.Width);
    return true;
  }
};

using Clipboard = InteractTest;

TEST_F(Clipboard, CopiesThePictureAsLastDrawn) {
  FakeClipboard clip;
  p.SetClipboard(&clip);
  p.CopyToClipboard();
  ASSERT_EQ(clip.width, 400);
  EXPECT_EQ(clip.height, 300);
  const PictureView empty = p.Picture1();
  EXPECT_EQ(clip.pixels[150 * 400 + 200], empty.Pixels[150 * empty.StridePixels + 200])
      << "the empty surface";
  Graph("G");
  p.Refresh();
  p.AxisColor(0x0000FF);  // changed since the refresh: not in the copy
  p.CopyToClipboard();
  const PictureView shown = p.Picture1();
  int differ = 0;
  for (int y = 0; y < shown.Height; ++y)
    for (int x = 0; x < shown.Width; ++x)
      differ += clip.pixels[y * 400 + x] != shown.Pixels[y * shown.StridePixels + x];
  EXPECT_EQ(differ, 0);
  EXPECT_TRUE(log.events.empty() || log.Count("GraphScaleChanged") == log.events.size());
}

TEST_F(Clipboard, FailuresAreReportedAndLeaveTheClipboardEmpty) {
  const std::string error = "Error 521 has occured in Plotara.ocx, CopyToClipboard / Can't open Clipboard";
  p.CopyToClipboard();  // the host has none
  EXPECT_EQ(log.Take(), std::vector<std::string>{error});
  FakeClipboard clip;
  p.SetClipboard(&clip);
  clip.refusePicture = true;
  p.CopyToClipboard();
  EXPECT_EQ(log.Take(), std::vector<std::string>{error});
  EXPECT_EQ(clip.clears, 1);
  EXPECT_TRUE(clip.pixels.empty());
  clip.refuseClear = true;
  p.CopyToClipboard();
  EXPECT_EQ(log.Take(), std::vector<std::string>{error});
}

}  // namespace
}  // namespace plotara::test
