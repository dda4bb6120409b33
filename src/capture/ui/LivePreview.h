#pragma once

#include "capture/PreviewImage.h"

#include <QImage>
#include <QWidget>

#include <memory>

namespace leapmark {

/** Shows the latest live picture of the capture device, scaled to fit and keeping its shape. */
class LivePreview final : public QWidget
{
    Q_OBJECT

public:
    explicit LivePreview(QWidget* parent = nullptr);

    void show(std::shared_ptr<const PreviewImage> image);
    void clear();

    [[nodiscard]] const QImage& picture() const { return m_picture; }
    /** The device's number of the frame shown; -1 before the first. */
    [[nodiscard]] std::int64_t frameNumber() const { return m_frameNumber; }

    QSize sizeHint() const override { return {480, 360}; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    std::shared_ptr<const PreviewImage> m_image; // keeps the pixels m_picture shows
    QImage m_picture;
    std::int64_t m_frameNumber = -1;
};

} // namespace leapmark
