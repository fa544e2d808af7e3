/* The C interface of Plotara: the control by name, for C programs and for other languages (the Python
 * module is built on it).
 *
 *   plotara_control* c;
 *   if (plotara_create(96, &c) != PLOTARA_OK) { fprintf(stderr, "%s\n", plotara_last_error()); ... }
 *   plotara_resize(c, 800, 600);
 *   plotara_value name = plotara_text("Sales");
 *   plotara_invoke(c, "NewGraph", 1, &name, NULL, NULL);
 *   plotara_put(c, "AxisColor", plotara_long(255));
 *   plotara_invoke(c, "Refresh", 0, NULL, NULL, NULL);
 *   plotara_save(c, "sales.png");
 *   plotara_destroy(c);
 *
 * Every call returns a status: PLOTARA_OK (0) or an error number (9 "Subscript out of range", 438 for a
 * member that does not exist, 13 for a value that does not convert, ...). After a failure,
 * plotara_last_error() gives its text (per thread, until the thread's next failing call). No C++
 * exception crosses this interface.
 *
 * Methods of the control report their own failures through the ErrorMsg event. While the host has no
 * ErrorMsg handler set, such a failure instead becomes the status of the call (the number of the error)
 * and its message ("Error 9 has occured in Plotara.ocx, SetSelectedData: Subscript out of range").
 * Calls the control itself takes in silence although they do nothing asked for are reported the same
 * way and not made: an index out of range given to SetSelectedGraph, SetSelectedAxis or SetSelectedData
 * (9), NewDataSet without a graph and points, formulas or texts without a data set (9), a formula that
 * does not compile given to AddMathFunc (5).
 *
 * Threads. A control belongs to one thread at a time: any thread may use it, but only one call on it
 * may run at once. A call made while a call on another thread runs on the same control fails with 5 and
 * touches nothing; serialise the calls of one control yourself (the Python module holds a lock per
 * control). Two controls share nothing and run on two threads in parallel. plotara_last_error,
 * plotara_version and the plotara_member_* calls may be used from any thread at any time.
 *
 * Events and lifetime. A handler runs synchronously, on the calling thread, inside the call that raised
 * the event, and may call back into the same control (read and change it, even draw or destroy it).
 * When it adds or removes graphs, axes, data sets or points, resets or resizes the control, the call
 * that raised the event stops its work there, with nothing reported; the next refresh draws the page as
 * it then is. A handler that only changes settings lets the call finish with them.
 * plotara_destroy from a handler ends the control's use at once: its handlers are no longer called and
 * every further call on it (from that handler or another) fails with 91; the memory is released when the
 * outermost call returns, after it has finished its work on a live control. Elsewhere, destroy a control
 * on the thread that used it last, when no call on it runs; never use the pointer afterwards.
 *
 * Texts handed out by a control (results, texts and lists written back into arguments, the texts of an
 * ErrorMsg event) stay valid until the end of the next call on that control, so a result can be passed
 * straight into the next call: plotara_get(c, "DataLegend", &v); plotara_invoke(c, "NewDataSet", 1, &v,
 * NULL, NULL). Copy what you keep longer.
 */
#ifndef PLOTARA_C_H
#define PLOTARA_C_H

#include <stddef.h>
#include <stdint.h>

#ifdef __cplusplus
extern "C" {
#endif

typedef struct plotara_control plotara_control;

#define PLOTARA_OK 0 /* the status of a call that succeeded */

/* The value of an argument, a property or a result. */
typedef enum plotara_type {
  PLOTARA_EMPTY = 0,   /* no value (a method without result) */
  PLOTARA_MISSING = 1, /* an argument left out: the member's default applies */
  PLOTARA_BOOLEAN = 2, /* integer: 0 or 1 */
  PLOTARA_LONG = 3,    /* integer (Byte, Integer and Long members) */
  PLOTARA_DOUBLE = 4,  /* number (Single and Double members) */
  PLOTARA_TEXT = 5,    /* text, UTF-8 */
  PLOTARA_TEXTS = 6    /* a list of texts: texts[0 .. integer-1], and texts[integer] is NULL */
} plotara_type;

/* A list holds any texts, line breaks included: texts points to integer texts and a NULL after them,
 * as argv does. A count that does not match the texts up to that NULL fails with 5. */
typedef struct plotara_value {
  int32_t type; /* a plotara_type; any other code fails with 13 */
  int32_t integer;
  double number;
  union {
    const char* text;
    const char* const* texts; /* PLOTARA_TEXTS */
  };
} plotara_value;

static inline plotara_value plotara_missing(void) {
  plotara_value v = {PLOTARA_MISSING, 0, 0.0, {NULL}};
  return v;
}
static inline plotara_value plotara_boolean(int b) {
  plotara_value v = {PLOTARA_BOOLEAN, b != 0, 0.0, {NULL}};
  return v;
}
static inline plotara_value plotara_long(int32_t i) {
  plotara_value v = {PLOTARA_LONG, i, 0.0, {NULL}};
  return v;
}
static inline plotara_value plotara_double(double d) {
  plotara_value v = {PLOTARA_DOUBLE, 0, d, {NULL}};
  return v;
}
static inline plotara_value plotara_text(const char* s) {
  plotara_value v = {PLOTARA_TEXT, 0, 0.0, {s}};
  return v;
}
/* count texts followed by a NULL: const char* names[] = {"a", "b", NULL}; plotara_texts(names, 2) */
static inline plotara_value plotara_texts(const char* const* texts, int32_t count) {
  plotara_value v = {PLOTARA_TEXTS, count, 0.0, {NULL}};
  v.texts = texts;
  return v;
}

/* The text of the calling thread's last failure ("" when none). */
const char* plotara_last_error(void);
/* "1.02" */
const char* plotara_version(void);

/* A control drawing at dpi dots per inch (96 is the screen's; 192 for print quality); NULL on failure. */
int plotara_create(double dpi, plotara_control** control);

/* How a control draws: start from plotara_default_options() and change what you need. */
typedef struct plotara_options {
  double dpi;    /* dots per inch, 24 to 2400 (96) */
  int antialias; /* nonzero: smooth lines, curves, circles and symbols; positions stay the aliased ones */
  int vector;    /* nonzero: keep the drawing as shapes and text, so .svg and .pdf are vector documents */
  /* the zlib level of the PNG files written (plotara_save, plotara_encode): 0 (none, fastest) to 9
   * (smallest); -1 zlib's default (6). 1 writes several times faster for a file about a third larger; the
   * pixels are the same at every level. Any other value fails with 5. */
  int png_compression;
} plotara_options;
static inline plotara_options plotara_default_options(void) {
  plotara_options o = {96.0, 0, 0, -1};
  return o;
}
int plotara_create_with_options(const plotara_options* options, plotara_control** control);
/* Releases the control (NULL: nothing); from one of its handlers, at the end of the running call. */
void plotara_destroy(plotara_control* control);

/* Sizes the control so that its picture is width x height pixels at its resolution. */
int plotara_resize(plotara_control* control, int width, int height);

/* Calls a method (or reads a property) by name, without regard to letter case. args: nargs values;
 * names: NULL, or nargs names with NULL for a positional argument ("Symbol" for Symbol:=5). The
 * arguments a method writes back (GetAxisNames, ...) are written into args. result may be NULL. More
 * arguments than the member has parameters fail with 450 before any is read. */
int plotara_invoke(plotara_control* control, const char* member, int nargs, plotara_value* args,
                   const char* const* names, plotara_value* result);
int plotara_get(plotara_control* control, const char* property, plotara_value* result);
int plotara_put(plotara_control* control, const char* property, plotara_value value);

/* Appends n points to the last data set of the current graph: AddDataPoint(x[i], y[i], e[i]); e may be
 * NULL. NaN and the infinities mark missing values: a point whose x or y is one is left out (a line
 * joins the points on either side), an e that is one gives no error bar (0). The arrays are taken a
 * block at a time, and GraphScaleChanged is raised once for the call. Stops at the first point that
 * fails; with no data set to take them, fails with 9 and adds none. */
int plotara_add_points(plotara_control* control, const double* x, const double* y, const double* e, size_t n);

/* The members of the interface: their count, the name of one (NULL outside 0..count-1), and what a
 * member is. kind: 1 method, 2 property; writable: a property that can be put; params: the number of
 * parameters of a method; out_mask: bit i set when the method writes back parameter i; result: the type
 * of a property or of a method's result (PLOTARA_EMPTY: none). */
int plotara_member_count(void);
const char* plotara_member_name(int index);
typedef struct plotara_member {
  int kind;
  int writable;
  int params;
  uint32_t out_mask;
  plotara_type result;
} plotara_member;
int plotara_member_info(const char* member, plotara_member* info);

/* Parameter index (0 to params-1) of a method: its name, the type its value converts to (type, and
 * type_name "Integer", "Single", ...), whether it may be left out and its default then (def; EMPTY for
 * none), and whether the method writes it back. The texts live as long as the library. */
typedef struct plotara_param {
  const char* name;
  int32_t type;
  const char* type_name;
  int optional;
  int out;
  plotara_value def;
} plotara_param;
int plotara_member_param(const char* member, int index, plotara_param* param);

/* The reference of a member, as `plotara members --long` prints it: its declaration ("Sub NewGraph(...)"),
 * meaning, unit, default (what a new control reads after NewGraph and NewDataSet) and range; "" where a
 * member has none. The texts live as long as the library. */
typedef struct plotara_reference {
  const char* signature;
  const char* meaning;
  const char* unit;
  const char* default_value;
  const char* range;
} plotara_reference;
int plotara_member_reference(const char* member, plotara_reference* reference);

/* Events: one handler per event, called synchronously inside the call that raises it (see "Events and
 * lifetime" above). source and description are set for ERROR_MSG and VIEW_CHANGED only (NULL
 * otherwise). NULL removes the handler. VIEW_CHANGED follows any change of a graph's view the user made
 * (a rubber band, Shift+click, an unzoom, the scroll bars, the wheel, a pinch, a pan, the keys), once
 * per gesture and graph, after the graph is drawn again: source is the graph's index as decimal text
 * ("0"), description its name. */
typedef enum plotara_event {
  PLOTARA_NEW_GRAPH_IN_FRONT = 0,
  PLOTARA_GRAPH_SCALE_CHANGED = 1,
  PLOTARA_GRAPH_POSITION_CHANGED = 2,
  PLOTARA_LEGEND_POSITION_CHANGED = 3,
  PLOTARA_ERROR_MSG = 4,
  PLOTARA_VIEW_CHANGED = 5
} plotara_event;
typedef void (*plotara_event_handler)(void* user, plotara_event event, const char* source,
                                      const char* description);
/* event is a plotara_event, passed as an int so that any number a caller passes is defined to arrive;
 * one outside the enum fails with 5. */
int plotara_set_event_handler(plotara_control* control, int event, plotara_event_handler handler, void* user);

/* Navigation beyond the mouse, as a window reports the wheel, the touchpad and the keys. x, y, dx and dy
 * are pixels of the picture (plotara_picture); shift is 1 Shift, 2 Ctrl, 4 Alt, added. *taken (taken may
 * be NULL) is 1 when the control took the gesture and 0 when it did not, so that a host passes it on.
 * Each changes the view of the graph under the pointer (the current graph for keys) as a rubber band
 * zoom does: within the full range, never narrower than the zoom limit allows, a logarithmic axis in log
 * space; the graph must allow zoom (GraphAllowZoom). The properties WheelZoom, PinchZoom, TouchPan and
 * KeyNavigation switch each off.
 *   plotara_wheel: delta in eighths of a degree, 120 a notch, positive zooms in about the pointer, four
 *   notches by 2; with Shift only the X axes, with Ctrl only the Y axes.
 *   plotara_pinch: zooms about (x, y) by factor (above 1 zooms in).
 *   plotara_pan: a two-finger scroll; the content follows the fingers by (dx, dy).
 *   plotara_key: a key pressed while the control has the focus: the arrows pan by the scroll bars' small
 *   change, Page Up and Page Down by their large change, + and - zoom by 2 about the middle of the plot,
 *   Home and Escape show the full range, Ctrl+C copies the picture to the clipboard. */
#define PLOTARA_KEY_ESCAPE 27
#define PLOTARA_KEY_PAGE_UP 33
#define PLOTARA_KEY_PAGE_DOWN 34
#define PLOTARA_KEY_HOME 36
#define PLOTARA_KEY_LEFT 37
#define PLOTARA_KEY_UP 38
#define PLOTARA_KEY_RIGHT 39
#define PLOTARA_KEY_DOWN 40
#define PLOTARA_KEY_C 67
#define PLOTARA_KEY_ADD 107
#define PLOTARA_KEY_SUBTRACT 109
int plotara_wheel(plotara_control* control, double x, double y, int delta, int shift, int* taken);
int plotara_pinch(plotara_control* control, double x, double y, double factor, int* taken);
int plotara_pan(plotara_control* control, double x, double y, double dx, double dy, int* taken);
int plotara_key(plotara_control* control, int key, int shift, int* taken);

/* The drawn data point nearest (x, y) (pixels of the picture) within max_distance pixels, in the graph
 * whose plot area lies under (x, y): found is 0 when there is none. name (the data set's legend) is
 * valid until the end of the next call on the control; distance is in pixels. */
typedef struct plotara_point {
  int found;
  int graph;    /* index from 0 */
  int data_set; /* index within the graph, from 0 */
  int index;    /* the point's place within the data set, from 0 */
  double x, y;  /* its values */
  const char* name;
  double distance;
} plotara_point;
int plotara_nearest_point(plotara_control* control, double x, double y, double max_distance,
                          plotara_point* point);

/* The picture the control shows: height rows of width pixels 0xXXRRGGBB (the top byte is not used),
 * stride bytes apart. Valid until the control next draws or changes size. */
int plotara_picture(const plotara_control* control, const uint32_t** pixels, int* width, int* height,
                    int* stride);
/* Writes the picture to a file: .png, .svg or .pdf. */
int plotara_save(const plotara_control* control, const char* path);
/* The file plotara_save would write for the format ("png", "svg" or "pdf"), in memory: size bytes at
 * bytes, valid until the end of the next call on the control. */
int plotara_encode(plotara_control* control, const char* format, const void** bytes, size_t* size);

#ifdef __cplusplus
}
#endif

#endif /* PLOTARA_C_H */
