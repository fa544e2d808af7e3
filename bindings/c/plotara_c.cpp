// The C interface's calls on a control: creation, sizing, members by name, bulk points, events and the
// picture. Each runs under the guard of CallGuard.h.
#include "plotara/plotara_c.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <system_error>
#include <vector>

#include "bindings/c/CallGuard.h"
#include "bindings/c/IgnoredCalls.h"
#include "bindings/c/Values.h"
#include "platform/AsciiCase.h"
#include "platform/PictureFormat.h"
#include "plotara/Automation.h"

namespace plotara::c_interface {

namespace {

thread_local std::string lastError;

void WireEvents(plotara_control* c) {
  EventHandlers& ev = c->control.Events();
  ev.NewGraphInFront = [c] { Raise(c, PLOTARA_NEW_GRAPH_IN_FRONT); };
  ev.GraphScaleChanged = [c] { Raise(c, PLOTARA_GRAPH_SCALE_CHANGED); };
  ev.GraphPositionChanged = [c] { Raise(c, PLOTARA_GRAPH_POSITION_CHANGED); };
  ev.LegendPositionChanged = [c] { Raise(c, PLOTARA_LEGEND_POSITION_CHANGED); };
  ev.ViewChanged = [c](int16_t graph) {
    std::vector<std::string> names;
    int16_t count = 0;
    c->control.GetGraphNames(names, count);  // graph i is entry i + 1
    const size_t entry = static_cast<size_t>(graph) + 1;
    Raise(c, PLOTARA_VIEW_CHANGED, HandOut(c, std::to_string(graph)),
          HandOut(c, entry < names.size() ? names[entry] : std::string()));
  };
  ev.ErrorMsg = [c](std::string& source, std::string& description) {
    if (c->handlers[PLOTARA_ERROR_MSG].fn) {
      Raise(c, PLOTARA_ERROR_MSG, HandOut(c, source), HandOut(c, description));
    } else if (c->pendingError == 0) {
      // "Error 9 has occured in Plotara.ocx, SetSelectedData": the number is the status.
      int number = 0;
      if (std::sscanf(source.c_str(), "Error %d", &number) != 1 || number == 0) number = 5;
      c->pendingError = number;
      c->pendingMessage = source + ": " + description;
    }
  };
}

// The picture as a file of the format would hold it: written to a private temporary folder (the saving
// code writes files only) and read back.
std::string Encode(const Plotara& control, const std::string& format) {
  namespace fs = std::filesystem;
  std::string folder = (fs::temp_directory_path() / "plotara-XXXXXX").string();
  if (!mkdtemp(folder.data())) throw AutomationError(75, "Path/File access error (no temporary folder)");
  const fs::path file = fs::path(folder) / ("picture." + format);
  struct Cleanup {
    std::string folder;
    ~Cleanup() {
      std::error_code ignored;
      fs::remove_all(folder, ignored);
    }
  } cleanup{folder};
  control.SavePicture(file.string());
  std::ifstream in(file, std::ios::binary);
  std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  if (!in.good() && !in.eof()) throw AutomationError(75);
  return bytes;
}

}  // namespace

int Fail(int number, std::string message) {
  lastError = std::move(message);
  return number;
}

const char* HandOut(plotara_control* c, std::string text) {
  return c->current.texts.emplace_back(std::move(text)).c_str();
}

void Raise(plotara_control* c, plotara_event event, const char* source, const char* description) {
  const auto& h = c->handlers[event];
  if (h.fn && !c->destroyed) h.fn(h.user, event, source, description);
}

void ReportMethodError(plotara_control* c, const std::string& member, int number,
                       const std::string& description) {
  std::string source = "Error " + std::to_string(number) + " has occured in Plotara.ocx, " + member;
  std::string text = description;
  c->control.Events().ErrorMsg(source, text);
}

}  // namespace plotara::c_interface

using namespace plotara::c_interface;

extern "C" {

const char* plotara_last_error(void) {
  return lastError.c_str();
}

const char* plotara_version(void) {
  return PLOTARA_C_VERSION;
}

int plotara_create_with_options(const plotara_options* options, plotara_control** control) {
  if (!control) return Fail(5, "Invalid procedure call or argument (no place for the control)");
  *control = nullptr;
  if (!options) return Fail(5, "Invalid procedure call or argument (no options)");
  if (!(options->dpi >= 24 && options->dpi <= 2400))
    return Fail(5, "Invalid procedure call or argument (dpi must be 24 to 2400)");
  if (options->png_compression < -1 || options->png_compression > 9)
    return Fail(5, "Invalid procedure call or argument (png_compression must be -1 to 9)");
  return Guard([&] {
    auto* c = new plotara_control(plotara::PlotaraOptions{.Dpi = options->dpi,
                                                          .Antialias = options->antialias != 0,
                                                          .Vector = options->vector != 0,
                                                          .PngCompression = options->png_compression});
    WireEvents(c);
    *control = c;
    return PLOTARA_OK;
  });
}

int plotara_create(double dpi, plotara_control** control) {
  plotara_options options = plotara_default_options();
  options.dpi = dpi;
  return plotara_create_with_options(&options, control);
}

void plotara_destroy(plotara_control* c) {
  if (!c) return;
  if (c->owner.load() == std::this_thread::get_id()) {
    c->destroyed = true;  // from a handler: the running call finishes and then deletes it
    return;
  }
  delete c;
}

int plotara_resize(plotara_control* c, int width, int height) {
  return GuardCall(c, [&] {
    if (width < 1 || height < 1 || width > 100000 || height > 100000)
      return Fail(5, "Invalid procedure call or argument (width and height must be 1 to 100000 pixels)");
    c->control.ResizePicture(width, height);
    return PLOTARA_OK;
  });
}

int plotara_invoke(plotara_control* c, const char* member, int nargs, plotara_value* args,
                   const char* const* names, plotara_value* result) {
  return GuardCall(c, [&] {
    if (!member) return Fail(5, "Invalid procedure call or argument (no member name)");
    if (nargs < 0 || (nargs > 0 && !args)) return Fail(5, "Invalid procedure call or argument (arguments)");
    // A count beyond the member's parameters fails before any argument is read.
    const plotara::MemberInfo* m = plotara::Members().Find(member);
    if (!m) throw plotara::AutomationError(438);
    if (static_cast<size_t>(nargs) > m->Params.size()) throw plotara::AutomationError(450);
    std::vector<plotara::Variant> positional;
    std::vector<plotara::NamedArg> named;
    std::vector<int> positionalSlot, namedSlot;
    for (int i = 0; i < nargs; ++i) {
      if (names && names[i]) {
        named.push_back({names[i], ToVariant(args[i])});
        namedSlot.push_back(i);
      } else {
        if (!named.empty())
          return Fail(5, "Invalid procedure call or argument (a positional argument follows a named one)");
        positional.push_back(ToVariant(args[i]));
        positionalSlot.push_back(i);
      }
    }
    if (ReportIgnoredCall(c, *m, positional, named)) return PLOTARA_OK;  // the status is the report's
    const plotara::Variant r = plotara::Invoke(c->control, member, positional, named);
    // Write back what the method returned through its arguments.
    for (size_t k = 0; k < positional.size(); ++k)
      if (k < m->Params.size() && m->Params[k].Out) args[positionalSlot[k]] = FromVariant(c, positional[k]);
    for (size_t k = 0; k < named.size(); ++k)
      for (const plotara::ParamInfo& p : m->Params)
        if (p.Out && plotara::EqualsNoCase(p.Name, named[k].Name))
          args[namedSlot[k]] = FromVariant(c, named[k].Value);
    if (result) *result = FromVariant(c, r);
    return PLOTARA_OK;
  });
}

int plotara_get(plotara_control* c, const char* property, plotara_value* result) {
  return GuardCall(c, [&] {
    if (!property || !result) return Fail(5, "Invalid procedure call or argument");
    *result = FromVariant(c, plotara::Get(c->control, property));
    return PLOTARA_OK;
  });
}

int plotara_put(plotara_control* c, const char* property, plotara_value value) {
  return GuardCall(c, [&] {
    if (!property) return Fail(5, "Invalid procedure call or argument");
    plotara::Put(c->control, property, ToVariant(value));
    return PLOTARA_OK;
  });
}

int plotara_add_points(plotara_control* c, const double* x, const double* y, const double* e, size_t n) {
  return GuardCall(c, [&] {
    if (n > 0 && (!x || !y)) return Fail(5, "Invalid procedure call or argument (no x or y)");
    if (n > 0 && ReportPointsWithoutDataSet(c)) return PLOTARA_OK;
    // A missing value (NaN) or an infinity: no point where x or y is one, no error bar where e is. A
    // failure (a value beyond Single, ...) stops the call, and its status says so.
    c->control.AddDataPoints({x, n}, {y, n}, e ? std::span<const double>(e, n) : std::span<const double>(),
                             true);
    return PLOTARA_OK;
  });
}

int plotara_set_event_handler(plotara_control* c, int event, plotara_event_handler handler, void* user) {
  return GuardCall(c, [&] {
    if (event < PLOTARA_NEW_GRAPH_IN_FRONT || event > PLOTARA_VIEW_CHANGED)
      return Fail(5, "Invalid procedure call or argument (event)");
    c->handlers[event] = {handler, user};
    return PLOTARA_OK;
  });
}

namespace {

// A position of the picture in twips; an argument that is not a finite number fails with 5.
float Twips(const plotara::Plotara& control, double pixels) {
  if (!std::isfinite(pixels))
    throw plotara::AutomationError(5, "Invalid procedure call or argument (a position)");
  return static_cast<float>(pixels * control.TwipsPerPixel());
}

int Took(bool took, int* taken) {
  if (taken) *taken = took ? 1 : 0;
  return PLOTARA_OK;
}

}  // namespace

int plotara_wheel(plotara_control* c, double x, double y, int delta, int shift, int* taken) {
  return GuardCall(c, [&] {
    return Took(
        c->control.Wheel(Twips(c->control, x), Twips(c->control, y), delta, static_cast<int16_t>(shift & 7)),
        taken);
  });
}

int plotara_pinch(plotara_control* c, double x, double y, double factor, int* taken) {
  return GuardCall(
      c, [&] { return Took(c->control.Pinch(Twips(c->control, x), Twips(c->control, y), factor), taken); });
}

int plotara_pan(plotara_control* c, double x, double y, double dx, double dy, int* taken) {
  return GuardCall(c, [&] {
    return Took(c->control.Pan(Twips(c->control, x), Twips(c->control, y), Twips(c->control, dx),
                               Twips(c->control, dy)),
                taken);
  });
}

int plotara_key(plotara_control* c, int key, int shift, int* taken) {
  return GuardCall(c, [&] {
    const bool known = key >= 0 && key <= INT16_MAX;
    return Took(known && c->control.KeyDown(static_cast<int16_t>(key), static_cast<int16_t>(shift & 7)),
                taken);
  });
}

int plotara_nearest_point(plotara_control* c, double x, double y, double max_distance, plotara_point* point) {
  return GuardCall(c, [&] {
    if (!point) return Fail(5, "Invalid procedure call or argument (no place for the point)");
    const double twips = c->control.TwipsPerPixel();
    const plotara::PointHit hit =
        c->control.NearestPoint(Twips(c->control, x), Twips(c->control, y), Twips(c->control, max_distance));
    *point = {hit.Found ? 1 : 0,           hit.Graph,           hit.DataSet, hit.Point, hit.X, hit.Y,
              HandOut(c, hit.DataSetName), hit.Distance / twips};
    return PLOTARA_OK;
  });
}

// Reading the picture is a call like any other: one thread at a time. Controls are only ever made by
// plotara_create, never const, so the guard may keep its bookkeeping in them.
int plotara_picture(const plotara_control* control, const uint32_t** pixels, int* width, int* height,
                    int* stride) {
  auto* c = const_cast<plotara_control*>(control);
  return GuardCall(c, [&] {
    const plotara::PictureView v = c->control.Picture1();
    if (pixels) *pixels = v.Pixels;
    if (width) *width = v.Width;
    if (height) *height = v.Height;
    if (stride) *stride = v.StridePixels * 4;
    return PLOTARA_OK;
  });
}

int plotara_save(const plotara_control* control, const char* path) {
  auto* c = const_cast<plotara_control*>(control);
  return GuardCall(c, [&] {
    if (!path) return Fail(5, "Invalid procedure call or argument (no path)");
    try {
      c->control.SavePicture(path);
    } catch (const plotara::AutomationError& e) {
      return Fail(e.Number(), e.Description() + " ('" + path + "')");
    }
    return PLOTARA_OK;
  });
}

int plotara_encode(plotara_control* c, const char* format, const void** bytes, size_t* size) {
  return GuardCall(c, [&] {
    if (!format || !bytes || !size) return Fail(5, "Invalid procedure call or argument");
    const std::string f = plotara::LowerCase(format);
    if (plotara::PictureFormatNamed(f) == plotara::PictureFormat::None)
      return Fail(
          5, std::string("Invalid procedure call or argument (format '") + format + "': png, svg or pdf)");
    const std::string& kept = c->current.texts.emplace_back(Encode(c->control, f));
    *bytes = kept.data();
    *size = kept.size();
    return PLOTARA_OK;
  });
}

}  // extern "C"
