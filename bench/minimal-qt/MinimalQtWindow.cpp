// The smallest Qt Widgets program that does what Quicktock's window does at its simplest: one
// window that shows the date and time in a label, rewritten every second. It is the yardstick
// against which the measurement script compares Quicktock's start time, memory and processor time.

#include <QApplication>
#include <QDateTime>
#include <QLabel>
#include <QTimer>
#include <QWidget>

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    QWidget window;
    window.setWindowTitle("Minimal");
    window.resize(226, 120);  // Quicktock's client area at 96 dpi
    QLabel label(&window);
    label.setGeometry(72, 8, 121, 17);  // where Quicktock shows the system clock
    const auto showTime = [&label] {
        label.setText(QDateTime::currentDateTime().toString("yyyy/MM/dd HH:mm:ss"));
    };
    showTime();
    QTimer timer;
    QObject::connect(&timer, &QTimer::timeout, showTime);
    timer.start(1000);
    window.show();
    return application.exec();
}
