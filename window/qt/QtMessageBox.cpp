#include "window/qt/QtMessageBox.h"

#include <QShowEvent>

namespace quicktock {

QtMessageBox::QtMessageBox(const QString& title, const QString& text, const QFont& font,
                           Place place, QWidget* owner)
    : QMessageBox(QMessageBox::Warning, title, text, QMessageBox::Ok, owner),
      place_(std::move(place)) {
    setFont(font);
}

void QtMessageBox::showEvent(QShowEvent* event) {
    QMessageBox::showEvent(event);  // takes its final size, centred on the owner
    if (!event->spontaneous()) {
        move(place_(size()));
    }
}

}  // namespace quicktock
