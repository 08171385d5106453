#pragma once

#include <vector>

#include "window/FormLayout.h"

namespace quicktock {

// The controls the Tab key moves over, in tab order: text boxes, buttons and visible check boxes.
// Labels, the hidden check box, the line and the timer never take the focus. A control that is
// disabled at the moment is passed over by the toolkit, not left out here.
std::vector<ControlId> TabOrder(const Controls& controls);

// Where the focus goes when the window first shows: the first control in the laid-out tab order.
ControlId InitialFocus();

}  // namespace quicktock
