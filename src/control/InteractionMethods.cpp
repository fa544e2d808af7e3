// The host's side of interaction: the mouse and the scroll bars as a window reports them, the pointer
// shape and repaint notice it reads back, the read-out switch and the clipboard copy. A press, a release
// and the bars may change a graph's view; the host hears of it (ViewChanged).
#include <algorithm>

#include "control/Control.h"
#include "interact/Clipboard.h"
#include "interact/Mouse.h"
#include "interact/ScrollBars.h"
#include "interact/ViewLimits.h"
#include "interact/Zoom.h"
#include "plotara/Plotara.h"

namespace plotara {

void Plotara::Picture1_MouseDown(int16_t Button, int16_t Shift, float X, float Y) {
  WatchingViews(c_->State, c_->Notify, [&] { plotara::Picture1_MouseDown(c_->View, Button, Shift, X, Y); });
}

void Plotara::Picture1_MouseMove(int16_t Button, int16_t Shift, float X, float Y) {
  plotara::Picture1_MouseMove(c_->View, Button, Shift, X, Y);
}

void Plotara::Picture1_MouseUp(int16_t Button, int16_t Shift, float X, float Y) {
  WatchingViews(c_->State, c_->Notify, [&] { plotara::Picture1_MouseUp(c_->View, Button, Shift, X, Y); });
}

namespace {
void SetValue(ScrollBarElement& bar, int32_t value) {
  bar.Value = std::clamp(value, 0, bar.Max);
}
}  // namespace

void Plotara::HScroll1_Scroll(int32_t Value) {
  SetValue(c_->State.HScroll1, Value);
  WatchingViews(c_->State, c_->Notify, [&] { plotara::HScroll1_Scroll(c_->View); });
}

void Plotara::HScroll1_Change(int32_t Value) {
  SetValue(c_->State.HScroll1, Value);
  WatchingViews(c_->State, c_->Notify, [&] { plotara::HScroll1_Change(c_->View); });
}

void Plotara::VScroll1_Scroll(int32_t Value) {
  SetValue(c_->State.VScroll1, Value);
  WatchingViews(c_->State, c_->Notify, [&] { plotara::VScroll1_Scroll(c_->View); });
}

void Plotara::VScroll1_Change(int32_t Value) {
  SetValue(c_->State.VScroll1, Value);
  WatchingViews(c_->State, c_->Notify, [&] { plotara::VScroll1_Change(c_->View); });
}

int16_t Plotara::MousePointer() const {
  return static_cast<int16_t>(c_->Picture1->MousePointer);
}

void Plotara::OnPictureChanged(std::function<void(const PixelRect&)> handler) {
  if (!handler) {
    c_->Picture1->OnRefresh({});
    return;
  }
  Notifier& n = c_->Notify;
  c_->Picture1->OnRefresh(
      [&n, handler = std::move(handler)](const PixelRect& r) { n.CallHost([&] { handler(r); }); });
}

void Plotara::SetClipboard(ClipboardService* clipboard) {
  c_->Clipboard = clipboard;
}

void Plotara::SetShowXYcoords(bool TF) {
  plotara::SetShowXYcoords(c_->State, c_->Notify, TF);
}

void Plotara::CopyToClipboard() {
  plotara::CopyToClipboard(c_->Notify, c_->Clipboard, *c_->Picture1);
}

}  // namespace plotara
