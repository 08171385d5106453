#pragma once

#include <QCheckBox>
#include <functional>

namespace quicktock {

// A check box whose state belongs to the window model: a click or the space bar asks the model,
// which decides the new value, instead of cycling the box's own states.
class QtCheckBox final : public QCheckBox {
public:
    explicit QtCheckBox(QWidget* parent, std::function<void()> onUserClick);

protected:
    void nextCheckState() override;

private:
    std::function<void()> onUserClick_;
};

}  // namespace quicktock
