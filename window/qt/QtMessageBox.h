#pragma once

#include <QMessageBox>
#include <functional>

namespace quicktock {

// A warning about the window that opens where the window model places it: the box is sized as
// Qt sizes message boxes, then moved before it first appears.
class QtMessageBox final : public QMessageBox {
public:
    // Where the top-left corner of the box's frame goes, for the box's size without its frame.
    using Place = std::function<QPoint(QSize size)>;

    QtMessageBox(const QString& title, const QString& text, const QFont& font, Place place,
                 QWidget* owner);

protected:
    void showEvent(QShowEvent* event) override;

private:
    Place place_;
};

}  // namespace quicktock
