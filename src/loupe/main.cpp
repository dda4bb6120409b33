// leapmark-loupe: the screen loupe the configuration screen starts beside Leapmark.
#include "loupe/LoupeWindow.h"

#include <QApplication>
#include <QCursor>
#include <QScreen>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Leapmark Loupe"));

    leapmark::LoupeWindow loupe;
    // Top right corner of the screen, out of the way of the picture being measured.
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        const QRect area = screen->availableGeometry();
        loupe.move(area.right() - loupe.width() - 16, area.top() + 16);
    }
    loupe.show();
    return QApplication::exec();
}
