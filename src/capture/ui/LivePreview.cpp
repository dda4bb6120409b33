#include "capture/ui/LivePreview.h"

#include <QPainter>

namespace leapmark {

LivePreview::LivePreview(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("CapturePRO1"));
    setMinimumSize(160, 120);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void LivePreview::show(std::shared_ptr<const PreviewImage> image)
{
    if (!image || image->width <= 0 || image->height <= 0)
        return;
    m_image = std::move(image);
    m_picture = QImage(reinterpret_cast<const uchar*>(m_image->pixels.data()), m_image->width,
                       m_image->height, m_image->width * 4, QImage::Format_RGB32);
    m_frameNumber = m_image->deviceFrameNumber;
    update();
}

void LivePreview::clear()
{
    m_picture = QImage();
    m_image.reset();
    m_frameNumber = -1;
    update();
}

void LivePreview::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.fillRect(rect(), Qt::black);
    if (m_picture.isNull())
        return;
    const QSize fitted = m_picture.size().scaled(size(), Qt::KeepAspectRatio);
    const QRect target(QPoint((width() - fitted.width()) / 2, (height() - fitted.height()) / 2), fitted);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.drawImage(target, m_picture);
}

} // namespace leapmark
