/* A chart drawn through the C interface: monthly sales with a trend curve.
 * Usage: sales_c [OUT.png] */
#include <plotara/plotara_c.h>

#include <stdio.h>

/* Stops the program with the message of a call that failed. */
#define CHECK(call)                                             \
  do {                                                          \
    if ((call) != PLOTARA_OK) {                                 \
      fprintf(stderr, "%s: %s\n", #call, plotara_last_error()); \
      return 1;                                                 \
    }                                                           \
  } while (0)

static void on_error(void* user, plotara_event event, const char* source, const char* description) {
  (void)event;
  ++*(int*)user;
  fprintf(stderr, "%s: %s\n", source, description);
}

int main(int argc, char** argv) {
  const char* out = argc > 1 ? argv[1] : "sales.png";
  plotara_control* chart;
  int errors = 0;
  CHECK(plotara_create(96, &chart)); /* 96 dpi; 192 draws at print quality */
  CHECK(plotara_set_event_handler(chart, PLOTARA_ERROR_MSG, on_error, &errors));
  CHECK(plotara_resize(chart, 800, 600)); /* the picture in pixels */

  plotara_value name = plotara_text("Sales");
  CHECK(plotara_invoke(chart, "NewGraph", 1, &name, NULL, NULL));
  name = plotara_text("2026");
  CHECK(plotara_invoke(chart, "NewDataSet", 1, &name, NULL, NULL));
  double month[12], sales[12];
  for (int i = 0; i < 12; ++i) {
    month[i] = i + 1;
    sales[i] = 38 + 3 * (i + 1) + (i + 1) % 4;
  }
  CHECK(plotara_add_points(chart, month, sales, NULL, 12));
  plotara_value line[] = {plotara_long(0xC00000), plotara_long(2), plotara_long(1)};
  CHECK(plotara_invoke(chart, "DataLine", 3, line, NULL, NULL));
  name = plotara_text("trend");
  CHECK(plotara_invoke(chart, "NewDataSet", 1, &name, NULL, NULL));
  plotara_value formula = plotara_text("40 + 3 * x");
  CHECK(plotara_invoke(chart, "AddMathFunc", 1, &formula, NULL, NULL));
  CHECK(plotara_put(chart, "AxisColor", plotara_long(0x0000FF))); /* colours are 0x00BBGGRR: red */
  CHECK(plotara_invoke(chart, "Refresh", 0, NULL, NULL, NULL));

  const uint32_t* pixels;
  int width, height, stride;
  CHECK(plotara_picture(chart, &pixels, &width, &height, &stride));
  CHECK(plotara_save(chart, out));
  printf("%s %dx%d\n", out, width, height);
  plotara_destroy(chart);
  return errors == 0 ? 0 : 1;
}
