#include "interact/Interaction.h"

namespace plotara {

struct InteractionParts {
  explicit InteractionParts(Control& c) : View{DrawingOf(c), Mouse} {}
  MouseSession Mouse;
  Interaction View;
};

Interaction& InteractionOf(Control& c) {
  if (!c.InteractionStore)
    c.InteractionStore =
        OwnedLater<InteractionParts>(new InteractionParts(c), [](InteractionParts* p) { delete p; });
  return c.InteractionStore->View;
}

}  // namespace plotara
