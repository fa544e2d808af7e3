#include "platform/PictureFormat.h"

#include <gtest/gtest.h>

namespace plotara {
namespace {

TEST(PictureFormat, TheLastNamesExtensionChoosesTheFormatInAnyCase) {
  struct Row {
    const char* path;
    const char* extension;
    PictureFormat format;
  };
  const Row rows[] = {
      {"chart.png", ".png", PictureFormat::Png},
      {"out/Chart.SVG", ".svg", PictureFormat::Svg},
      {"/tmp/a.b/report.Pdf", ".pdf", PictureFormat::Pdf},
      {"archive.tar.png", ".png", PictureFormat::Png},
      {".png", ".png", PictureFormat::Png},  // a hidden file named for its format
      {"picture.bmp", ".bmp", PictureFormat::None},
      {"picture.svgz", ".svgz", PictureFormat::None},
      {"picture.", ".", PictureFormat::None},
      {"plots.png/chart", "", PictureFormat::None},  // the dot belongs to a folder
      {"chart", "", PictureFormat::None},
      {"", "", PictureFormat::None},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(r.path);
    EXPECT_EQ(FileExtension(r.path), r.extension);
    EXPECT_EQ(PictureFormatOf(r.path), r.format);
  }
  struct Named {
    const char* name;
    PictureFormat format;
  };
  for (const Named& n :
       {Named{"png", PictureFormat::Png}, Named{"SVG", PictureFormat::Svg}, Named{"Pdf", PictureFormat::Pdf},
        Named{".png", PictureFormat::None}, Named{"a.png", PictureFormat::None},
        Named{"jpeg", PictureFormat::None}, Named{"", PictureFormat::None}}) {
    EXPECT_EQ(PictureFormatNamed(n.name), n.format) << n.name;
  }
  EXPECT_TRUE(IsDocument(PictureFormat::Svg));
  EXPECT_TRUE(IsDocument(PictureFormat::Pdf));
  EXPECT_FALSE(IsDocument(PictureFormat::Png));
  EXPECT_FALSE(IsDocument(PictureFormat::None));
}

}  // namespace
}  // namespace plotara
