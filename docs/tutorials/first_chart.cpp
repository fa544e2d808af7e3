// The C++ tutorial's program (docs/tutorials/cpp.md): temperatures of a day with their error bars, a
// model curve, and a control that reports what goes wrong. Usage: first_chart [OUT.png]
#include <plotara/Plotara.h>

#include <iostream>
#include <string>

int main(int argc, char** argv) {
  const std::string out = argc > 1 ? argv[1] : "first_chart.png";

  // 1. A control and its size in pixels.
  plotara::Plotara chart;
  chart.ResizePicture(640, 400);

  // 2. Methods never throw: a failure inside one comes to the ErrorMsg event.
  int failures = 0;
  chart.Events().ErrorMsg = [&](std::string& source, std::string& description) {
    std::cerr << source << ": " << description << "\n";
    ++failures;
  };

  // 3. A graph with fixed X limits and an automatic Y axis, then a data set of points.
  chart.NewGraph("A day in the hall", 0, 24);
  chart.NewDataSet("measured");
  const double hours[] = {0, 3, 6, 9, 12, 15, 18, 21, 24};
  const double celsius[] = {15.5, 14.8, 15.2, 18.9, 22.4, 23.1, 20.6, 17.9, 16.2};
  for (int i = 0; i < 9; ++i) chart.AddDataPoint(hours[i], celsius[i], 0.6);  // X, Y and the error
  chart.SymbolStyle(5, 2.2, 0x0000C0, 0x000060, 1);  // red diamonds (symbol 5) with a dark edge
  chart.DataLine(0x0000C0, 1, 1);

  // 4. A curve of a formula in a data set of its own.
  chart.NewDataSet("model");
  chart.AddMathFunc("19 - 4 * COS((x - 3) * 3.14159 / 12)");
  chart.DataLine(0x808080, 2, 2);

  // 5. Properties address the selected axis and data set; a value that does not fit throws.
  chart.SelectYaxis(1);
  chart.AxisTitle(plotara::Variant("degrees Celsius"));
  try {
    chart.AxisThickness(int64_t{300});  // a thickness is 0 to 255
  } catch (const plotara::AutomationError& e) {
    std::cout << "refused: error " << e.Number() << ", " << e.Description() << "\n";
  }

  // 6. Setters never draw: Refresh does. Then the picture goes to a file (.png, .svg or .pdf).
  chart.Refresh();
  try {
    chart.SavePicture(out);
  } catch (const plotara::AutomationError& e) {
    std::cerr << "cannot write " << out << ": " << e.Description() << "\n";
    return 1;
  }
  return failures == 0 ? 0 : 1;
}
