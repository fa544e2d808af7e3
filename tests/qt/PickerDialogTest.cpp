// The gradient picker dialog behind GetGradient and GetColor, clicked in a real window.
#include <gtest/gtest.h>

#include <QColorDialog>
#include <QComboBox>
#include <QPushButton>

#include "QtTesting.h"
#include "plotara/qt/PlColorsDialog.h"

namespace plotara::qt {
namespace {

using test::WhenModal;

QVariantList GetGradient(PlotaraWidget& w) {
  QVariantList args;
  w.invoke("GetGradient", args);
  return args;
}

TEST(PickerDialog, CancelAndOkayDecideWhatGetGradientReturns) {
  struct Row {
    const char* what;
    bool okay;
    QVariantList expected;  // PlColor1, PlColor2, gAngle, gShift, gStyle
  };
  const Row rows[] = {
      {"Cancel", false, {-1, -1, 0.0f, 0.0f, 1}},
      {"Okay", true, {0x123456, 0x00ABCDEF, 30.0f, 0.25f, -4}},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.what);
    PlotaraWidget w;
    QString caption;
    QStringList buttons;
    WhenModal<PlColorsDialog>([&](PlColorsDialog* d) {
      caption = d->windowTitle();
      buttons = {d->okayButton()->text(), d->cancelButton()->text()};
      GradientPicker* p = d->picker();
      p->setColor1(0x123456);
      p->setColor2(0x00ABCDEF);
      p->setAngle(30);
      p->setShift(0.25f);
      p->setStyle(-4);
      QTest::mouseClick(row.okay ? d->okayButton() : d->cancelButton(), Qt::LeftButton);
    });
    const QVariantList got = GetGradient(w);
    EXPECT_EQ(caption, "plGradient Picker");
    EXPECT_EQ(buttons, (QStringList{"Okay", "Cancel"}));
    ASSERT_EQ(got.size(), 5);
    for (int i = 0; i < 5; ++i) EXPECT_EQ(got[i].toDouble(), row.expected[i].toDouble()) << "argument " << i;
    EXPECT_FALSE(w.pickerDialog()->isVisible()) << "hidden after the choice";
  }
}

TEST(PickerDialog, IsMadeOnceAndKeepsItsStateBetweenCalls) {
  PlotaraWidget w;
  PlColorsDialog* first = nullptr;
  WhenModal<PlColorsDialog>([&](PlColorsDialog* d) {
    first = d;
    d->picker()->setColor1(0x0000FF);
    QTest::mouseClick(d->cancelButton(), Qt::LeftButton);
  });
  GetGradient(w);
  int32_t colourShown = 0;
  WhenModal<PlColorsDialog>([&](PlColorsDialog* d) {
    EXPECT_EQ(d, first);
    colourShown = d->picker()->color1();
    QTest::mouseClick(d->okayButton(), Qt::LeftButton);
  });
  const QVariantList got = GetGradient(w);
  EXPECT_EQ(colourShown, 0x0000FF) << "the picker kept what the user set before cancelling";
  EXPECT_EQ(got.value(0).toInt(), 0x0000FF);
}

TEST(PickerDialog, ResizingBelowTheMinimumSnapsBackTo3000Twips) {
  PlotaraWidget w;
  QSize snapped, picker;
  QPoint okay, cancel;
  WhenModal<PlColorsDialog>([&](PlColorsDialog* d) {
    d->resize(133, 133);  // 2000 x 2000 twips at 15 a pixel
    QTest::qWait(100);
    snapped = d->size();
    picker = d->picker()->size();
    okay = d->okayButton()->pos();
    cancel = d->cancelButton()->pos();
    QTest::mouseClick(d->cancelButton(), Qt::LeftButton);
  });
  GetGradient(w);
  EXPECT_EQ(snapped, QSize(200, 200)) << "3000 x 3000 twips";
  EXPECT_EQ(picker, QSize(200 - 2 * 8, 200 - 80)) << "equal margins; 1200 twips for the buttons";
  EXPECT_EQ(okay.y(), 8 + 120 + 8) << "120 twips below the picker";
  EXPECT_EQ(cancel.y(), okay.y());
}

TEST(PickerDialog, GetColorShowsStyleZeroAndGetGradientKeepsTheStyle) {
  PlotaraWidget w;
  w.pickerDialog()->picker()->setStyle(3);
  int16_t styleShown = -99;
  QString styleText;
  WhenModal<PlColorsDialog>([&](PlColorsDialog* d) {
    styleShown = d->picker()->style();
    styleText = d->picker()->styleBox()->currentText();
    d->picker()->setColor1(0x00336699);
    QTest::mouseClick(d->okayButton(), Qt::LeftButton);
  });
  QVariantList one;
  w.invoke("GetColor", one);
  EXPECT_EQ(styleShown, 0);
  EXPECT_EQ(styleText, "Single colour");
  EXPECT_EQ(one.value(0).toInt(), 0x00336699);

  w.pickerDialog()->picker()->setStyle(5);
  WhenModal<PlColorsDialog>([&](PlColorsDialog* d) {
    styleShown = d->picker()->style();
    QTest::mouseClick(d->okayButton(), Qt::LeftButton);
  });
  EXPECT_EQ(GetGradient(w).value(4).toInt(), 5);
  EXPECT_EQ(styleShown, 5);
}

TEST(PickerDialog, ASwatchOpensTheColourDialog) {
  PlotaraWidget w;
  GradientPicker* p = w.pickerDialog()->picker();
  p->show();
  (void)QTest::qWaitForWindowExposed(p);
  WhenModal<QColorDialog>([](QColorDialog* c) {
    c->setCurrentColor(QColor(0x10, 0x20, 0x30));
    c->accept();
  });
  QTest::mouseClick(p->color2Swatch(), Qt::LeftButton);
  EXPECT_EQ(p->color2(), 0x302010) << "0x00BBGGRR, as the control takes colours";
  WhenModal<QColorDialog>([](QColorDialog* c) { c->reject(); });
  QTest::mouseClick(p->color2Swatch(), Qt::LeftButton);
  EXPECT_EQ(p->color2(), 0x302010) << "a cancelled colour dialog changes nothing";
}

TEST(PickerDialog, PreviewFollowsThePicker) {
  PlotaraWidget w;
  GradientPicker* p = w.pickerDialog()->picker();
  p->resize(300, 200);
  p->setColor1(0x0000FF);  // red
  p->setColor2(0xFF0000);  // blue
  p->setAngle(0);
  p->setShift(0);
  struct Row {
    int16_t style;
    QRgb left, right;
  };
  const Row rows[] = {{1, qRgb(255, 0, 0), qRgb(0, 0, 255)}, {0, qRgb(255, 0, 0), qRgb(255, 0, 0)}};
  for (const Row& row : rows) {
    p->setStyle(row.style);
    const QImage& img = p->preview()->image();
    ASSERT_FALSE(img.isNull());
    const int y = img.height() / 2;
    auto near = [](QRgb a, QRgb b) {
      return std::abs(qRed(a) - qRed(b)) < 20 && std::abs(qGreen(a) - qGreen(b)) < 20 &&
             std::abs(qBlue(a) - qBlue(b)) < 20;
    };
    EXPECT_TRUE(near(img.pixel(1, y), row.left)) << "style " << row.style;
    EXPECT_TRUE(near(img.pixel(img.width() - 2, y), row.right)) << "style " << row.style;
  }
}

}  // namespace
}  // namespace plotara::qt
