#include "window/TabOrder.h"

#include <algorithm>

namespace quicktock {

std::vector<ControlId> TabOrder(const Controls& controls) {
    std::vector<const Control*> focusable;
    for (const Control& c : controls) {
        const bool takesFocus = c.kind == ControlKind::TextBox ||
                                c.kind == ControlKind::CommandButton ||
                                c.kind == ControlKind::CheckBox;
        if (takesFocus && c.visible && c.tabIndex >= 0) {
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
