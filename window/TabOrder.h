#pragma once

#include <vector>

#include "window/FormLayout.h"

namespace quicktock {

// Whether the control ever takes the keyboard focus: text boxes, buttons and visible check boxes.
// Labels, the hidden check box, the line and the timer never do. A control that is disabled at the
// moment is passed over by the toolkit, not left out here.
bool TakesFocus(const Control& control);

// The controls that take the focus, in the order the Tab key moves over them.
std::vector<ControlId> TabOrder(const ControlTable& controls);

// Where the focus goes when the window first shows: the first control in the laid-out tab order.
ControlId InitialFocus();

}  // namespace quicktock
