#include "app/ProgramIcon.h"

#include <QImage>
#include <QPixmap>

#include "app/icons/ProgramIconPixels.h"

namespace quicktock {
namespace {

QPixmap Pixmap(const std::uint32_t* pixels, int size) {
    // 32-bit words in the machine's byte order are what Format_ARGB32 holds.
    const QImage image(reinterpret_cast<const uchar*>(pixels), size, size, QImage::Format_ARGB32);
    return QPixmap::fromImage(image);  // copies the pixels
}

}  // namespace

QIcon ProgramIcon() {
    QIcon icon;
    icon.addPixmap(Pixmap(kProgramIcon16, 16));
    icon.addPixmap(Pixmap(kProgramIcon32, 32));
    return icon;
}

}  // namespace quicktock
