// The smallest Qt Widgets program that opens one window: the yardstick against which the
// measurement script compares Quicktock's start time, memory and processor time.

#include <QApplication>
#include <QWidget>

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    QWidget window;
    window.setWindowTitle("Minimal");
    window.resize(226, 120);  // Quicktock's client area at 96 dpi
    window.show();
    return application.exec();
}
