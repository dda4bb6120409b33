// Draws the program's small status pictures and icons into the folder given on the command line:
//   SmallSmiley.jpg  grid file present or grid loaded (main screen)
//   SmallCaution.jpg grid file missing (main screen)
//   face02.ico       grid ready (grid setup screen)
//   msgbox03.ico     grid edited or not solved yet (grid setup screen)
// Everything is drawn from shapes (no fonts), so the output is the same on every machine.
#include <QDir>
#include <QGuiApplication>
#include <QImage>
#include <QImageWriter>
#include <QPainter>
#include <QPainterPath>

#include <cstdio>

namespace {

constexpr int kSize = 32;
const QColor kJpegBackground(240, 240, 240); // the usual window colour behind the status pictures
const QColor kOutline(40, 40, 40);
const QColor kReadyGreen(52, 168, 83);
const QColor kCautionYellow(255, 204, 0);

QImage canvas(const QColor& background)
{
    QImage image(kSize, kSize, QImage::Format_ARGB32);
    image.fill(background);
    return image;
}

void drawFace(QPainter& painter, const QRectF& box, const QColor& skin)
{
    painter.setPen(QPen(kOutline, 1.5));
    painter.setBrush(skin);
    painter.drawEllipse(box);

    const double w = box.width();
    const double h = box.height();
    painter.setPen(Qt::NoPen);
    painter.setBrush(kOutline);
    painter.drawEllipse(QPointF(box.left() + w * 0.34, box.top() + h * 0.38), w * 0.07, h * 0.09);
    painter.drawEllipse(QPointF(box.left() + w * 0.66, box.top() + h * 0.38), w * 0.07, h * 0.09);

    QPen smile(kOutline, w * 0.08);
    smile.setCapStyle(Qt::RoundCap);
    painter.setPen(smile);
    painter.setBrush(Qt::NoBrush);
    const QRectF mouth(box.left() + w * 0.25, box.top() + h * 0.30, w * 0.50, h * 0.45);
    painter.drawArc(mouth, 200 * 16, 140 * 16);
}

void drawWarningTriangle(QPainter& painter, const QRectF& box)
{
    QPainterPath triangle;
    triangle.moveTo(box.center().x(), box.top());
    triangle.lineTo(box.right(), box.bottom());
    triangle.lineTo(box.left(), box.bottom());
    triangle.closeSubpath();
    QPen edge(kOutline, 1.5);
    edge.setJoinStyle(Qt::RoundJoin);
    painter.setPen(edge);
    painter.setBrush(kCautionYellow);
    painter.drawPath(triangle);

    // The exclamation mark: a tapering bar and a dot.
    const double cx = box.center().x();
    const double w = box.width();
    const double h = box.height();
    painter.setPen(Qt::NoPen);
    painter.setBrush(kOutline);
    QPainterPath bar;
    bar.moveTo(cx - w * 0.07, box.top() + h * 0.33);
    bar.lineTo(cx + w * 0.07, box.top() + h * 0.33);
    bar.lineTo(cx + w * 0.035, box.top() + h * 0.70);
    bar.lineTo(cx - w * 0.035, box.top() + h * 0.70);
    bar.closeSubpath();
    painter.drawPath(bar);
    painter.drawEllipse(QPointF(cx, box.top() + h * 0.82), w * 0.06, h * 0.06);
}

QImage smallSmiley()
{
    QImage image = canvas(kJpegBackground);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    drawFace(painter, QRectF(2, 2, 28, 28), kReadyGreen);
    return image;
}

QImage smallCaution()
{
    QImage image = canvas(kJpegBackground);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    drawWarningTriangle(painter, QRectF(1.5, 2.5, 29, 27));
    return image;
}

QImage readyIcon()
{
    QImage image = canvas(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    drawFace(painter, QRectF(1.5, 1.5, 29, 29), QColor(120, 210, 90));
    return image;
}

QImage notReadyIcon()
{
    // A small message box window carrying the warning sign.
    QImage image = canvas(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(kOutline, 1));
    painter.setBrush(Qt::white);
    painter.drawRoundedRect(QRectF(1.5, 3.5, 29, 26), 2, 2);
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(60, 110, 200));
    painter.drawRect(QRectF(2, 4, 28, 5));
    drawWarningTriangle(painter, QRectF(7, 11, 18, 16));
    return image;
}

bool save(const QImage& image, const QDir& folder, const QString& name, const char* format, int quality)
{
    QImageWriter writer(folder.filePath(name), format);
    if (quality > 0)
        writer.setQuality(quality);
    if (!writer.write(image)) {
        std::fprintf(stderr, "%s: %s\n", qPrintable(name), qPrintable(writer.errorString()));
        return false;
    }
    return true;
}

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: leapmark-draw-pictures OUTPUT_FOLDER\n");
        return 2;
    }
    const QDir folder(QString::fromLocal8Bit(argv[1]));
    bool written = save(smallSmiley(), folder, QStringLiteral("SmallSmiley.jpg"), "jpg", 95);
    written = save(smallCaution(), folder, QStringLiteral("SmallCaution.jpg"), "jpg", 95) && written;
    written = save(readyIcon(), folder, QStringLiteral("face02.ico"), "ico", 0) && written;
    written = save(notReadyIcon(), folder, QStringLiteral("msgbox03.ico"), "ico", 0) && written;
    return written ? 0 : 1;
}
