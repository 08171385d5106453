#include "window/qt/QtCheckBox.h"

#include <utility>

namespace quicktock {

QtCheckBox::QtCheckBox(QWidget* parent, std::function<void()> onUserClick)
    : QCheckBox(parent), onUserClick_(std::move(onUserClick)) {
    setTristate(true);  // so that a greyed value can be shown
}

void QtCheckBox::nextCheckState() {
    onUserClick_();
}

}  // namespace quicktock
