// A chart drawn by a program that knows only the public header: monthly sales with a trend curve.
// Usage: example_sales [OUT.png]
#include <plotara/Plotara.h>

#include <iostream>

int main(int argc, char** argv) {
  const std::string out = argc > 1 ? argv[1] : "sales.png";
  plotara::Plotara chart;  // 96 dpi; plotara::Plotara chart(192) draws at print quality
  chart.Events().ErrorMsg = [](std::string& source, std::string& description) {
    std::cerr << source << ": " << description << "\n";
  };
  chart.ResizePicture(800, 600);  // pixels, with room for the scroll bars and read-out beside them
  chart.NewGraph("Sales");        // a graph with automatic X and Y axes
  chart.NewDataSet("2026");       // blue circles, the first automatic style
  for (int month = 1; month <= 12; ++month) chart.AddDataPoint(month, 38 + 3 * month + month % 4);
  chart.DataLine(0xC00000, 2, 1);  // join them with a 2-pixel solid line
  chart.NewDataSet("trend");
  chart.AddMathFunc("40 + 3 * x");  // a curve of a formula
  chart.Refresh();                  // setters never redraw; Refresh does
  try {
    chart.SavePicture(out);
  } catch (const plotara::AutomationError& e) {
    std::cerr << "cannot write " << out << ": " << e.Description() << "\n";
    return 1;
  }
  std::cout << out << "\n";
  return 0;
}
