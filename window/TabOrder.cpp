#include "window/TabOrder.h"

#include <algorithm>

namespace quicktock {

bool TakesFocus(const Control& control) {
    const bool focusable = control.kind == ControlKind::TextBox ||
                           control.kind == ControlKind::CommandButton ||
                           control.kind == ControlKind::CheckBox;
    return focusable && control.visible && control.tabIndex >= 0;
}

std::vector<ControlId> TabOrder(const ControlTable& controls) {
    std::vector<const Control*> focusable;
    for (const Control& c : controls) {
        if (TakesFocus(c)) {
            focusable.push_back(&c);
        }
    }
    std::stable_sort(focusable.begin(), focusable.end(),
                     [](const Control* a, const Control* b) { return a->tabIndex < b->tabIndex; });
    std::vector<ControlId> order;
    for (const Control* c : focusable) {
        order.push_back(c->id);
    }
    return order;
}

ControlId InitialFocus() {
    return TabOrder(LaidOutControls()).front();
}

}  // namespace quicktock
