// Handing a control the scale it is laid out at, for the kinds of control that take one: a control
// that does not yet lay itself out by a scale is left as it is.
#pragma once

#include "win/Scale.h"

namespace ui {

template <class Control>
void GiveScale(Control& control, win::Scale scale) {
  if constexpr (requires { control.SetScale(scale); }) control.SetScale(scale);
}

}  // namespace ui
