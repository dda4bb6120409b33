#include "review/ui/VideoPlayer.h"

#include "common/PathText.h"
#include "common/WholeNumber.h"
#include "review/ffmpeg/FfmpegVideoDecoder.h"
#include "review/ui/ReviewLog.h"
#include "shell/ui/KeyCode.h"
#include "shell/ui/NamedControl.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QSlider>
#include <QTimer>
#include <QVBoxLayout>

#include <algorithm>
#include <cmath>
#include <limits>

namespace leapmark {
namespace {

Result<std::unique_ptr<VideoDecoder>> openWithFfmpeg(const std::filesystem::path& path)
{
    auto decoder = FfmpegVideoDecoder::open(path);
    if (!decoder)
        return decoder.error();
    return std::unique_ptr<VideoDecoder>(std::move(*decoder));
}

constexpr int kEscapeCode = 27;

} // namespace

VideoPlayer::VideoPlayer(QWidget* parent, DecodeWorker::Opener opener)
    : QWidget(parent), m_worker(std::make_unique<DecodeWorker>(
                           opener ? std::move(opener) : DecodeWorker::Opener(openWithFfmpeg),
                           static_cast<DecodeListener&>(*this), cacheBudgetBytes)),
      m_slider(namedControl<QSlider>(this, "PositionSlider")), m_playTimer(new QTimer(this))
{
    setObjectName(QStringLiteral("MediaPlayer1"));
    setAccessibleName(QStringLiteral("Video"));
    setFocusPolicy(Qt::StrongFocus);
    setMinimumSize(320, 260);
    setAttribute(Qt::WA_OpaquePaintEvent);
    m_slider->setOrientation(Qt::Horizontal);
    m_slider->setAccessibleName(QStringLiteral("Position"));
    m_slider->setRange(0, 0);
    // The screen steps with the arrow keys itself; the slider takes the mouse, Home/End and Page keys.
    m_slider->setFocusPolicy(Qt::TabFocus);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addStretch(1);
    layout->addWidget(m_slider);
    connect(m_slider, &QSlider::valueChanged, this, &VideoPlayer::sliderMovedTo);
    m_playTimer->setTimerType(Qt::PreciseTimer);
    connect(m_playTimer, &QTimer::timeout, this, &VideoPlayer::playTick);
}

VideoPlayer::~VideoPlayer()
{
    // The worker's thread must be gone before the answers it posts could find half a widget.
    m_worker.reset();
}

void VideoPlayer::setFileName(const QString& path)
{
    m_playTimer->stop();
    m_playing = false;
    m_fileName = path;
    m_open = false;
    m_facts = {};
    m_openError.clear();
    m_openFailed = false;
    m_frameError.clear();
    m_position = 0.0;
    m_requestedIndex = -1;
    m_shown.reset();
    m_generation = m_worker->load(toPath(ss(path)));
    if (path.isEmpty())
        m_worker->waitForLoad(m_generation);
    syncSlider();
    update();
}

void VideoPlayer::setPosition(double frames)
{
    if (!std::isfinite(frames))
        return;
    m_position = m_open ? clampedToVideo(frames) : frames;
    syncSlider();
    showWantedFrame();
}

double VideoPlayer::clampedToVideo(double frames) const
{
    const auto last = static_cast<double>(std::max<std::int64_t>(0, m_facts.frameCount - 1));
    return std::clamp(frames, 0.0, last);
}

std::int64_t VideoPlayer::wantedFrameIndex() const
{
    if (!m_open || m_facts.frameCount <= 0)
        return -1;
    return clampedWholeNumber<std::int64_t>(m_position, 0, m_facts.frameCount - 1);
}

void VideoPlayer::showWantedFrame()
{
    const std::int64_t wanted = wantedFrameIndex();
    if (wanted < 0 || shownFrameIndex() == wanted)
        return;
    if (auto cached = m_worker->cache().find(wanted)) {
        // The worker drops a request not yet started: the position it was for has been left.
        m_worker->lookingAt(wanted);
        m_requestedIndex = -1;
        display(std::move(cached));
        return;
    }
    if (m_requestedIndex != wanted) {
        m_requestedIndex = wanted;
        m_worker->requestFrame(wanted);
    }
}

void VideoPlayer::display(std::shared_ptr<const VideoFrame> frame)
{
    m_shown = std::move(frame);
    m_frameError.clear();
    update();
    emit frameShown(m_shown->index);
}

void VideoPlayer::setDisplaySize(int size)
{
    if (size != fullScreenSize && size != fitToWindowSize)
        return;
    if (size == m_displaySize)
        return;
    m_displaySize = size;
    if (size == fullScreenSize) {
        setWindowFlag(Qt::Window, true);
        showFullScreen();
    } else {
        setWindowFlag(Qt::Window, false);
        showNormal();
        show();
    }
    setFocus();
}

void VideoPlayer::play()
{
    if (!m_open || m_facts.framesPerSecond <= 0.0)
        return;
    m_playing = true;
    setPosition(m_selectionStart);
    m_playClock.start();
    // However slow a rate the file claims, the timer still ticks once a day.
    constexpr int dayMs = 24 * 60 * 60 * 1000;
    m_playTimer->start(clampedWholeNumber(std::floor(1000.0 / m_facts.framesPerSecond), 1, dayMs));
}

void VideoPlayer::stop()
{
    m_playTimer->stop();
    m_playing = false;
    setPosition(0.0);
}

void VideoPlayer::playTick()
{
    // Frames follow the clock, not the ticks: a late tick skips frames rather than slowing down.
    const double elapsedSeconds = static_cast<double>(m_playClock.elapsed()) / 1000.0;
    const double next = m_selectionStart + std::floor(elapsedSeconds * m_facts.framesPerSecond);
    if (next >= m_selectionEnd) {
        m_playTimer->stop();
        m_playing = false;
        setPosition(m_selectionEnd);
        emit playEnded();
        return;
    }
    setPosition(next);
}

void VideoPlayer::syncSlider()
{
    m_syncingSlider = true;
    // A file claiming more frames than the slider counts is reached to its last only by stepping.
    const std::int64_t last = std::max<std::int64_t>(0, m_facts.frameCount - 1);
    m_slider->setRange(
        0, m_open ? static_cast<int>(std::min<std::int64_t>(last, std::numeric_limits<int>::max())) : 0);
    m_slider->setValue(clampedWholeNumber(m_position, 0, m_slider->maximum()));
    m_syncingSlider = false;
}

void VideoPlayer::sliderMovedTo(int value)
{
    if (m_syncingSlider)
        return;
    m_position = m_open ? clampedToVideo(value) : value;
    showWantedFrame();
}

void VideoPlayer::writeFrameBitmap(const QString& videoPath, std::int64_t index,
                                   const std::filesystem::path& bitmap)
{
    m_worker->writeBitmap(toPath(ss(videoPath)), index, bitmap);
}

void VideoPlayer::paintEvent(QPaintEvent* event)
{
    QPainter painter(this);
    const QRect area(0, 0, width(), height() - (m_slider->isVisible() ? m_slider->height() : 0));
    painter.fillRect(area, Qt::black);
    // The slider paints only its groove and handle; the strip behind it is this widget's to clear,
    // or the handle's old places stay on screen.
    painter.fillRect(QRect(0, area.bottom() + 1, width(), height() - area.height()), palette().window());
    if (m_shown) {
        const QImage image(m_shown->bgr.data(), m_shown->width, m_shown->height, m_shown->bytesPerLine,
                           QImage::Format_BGR888);
        const QSize fitted = image.size().scaled(area.size(), Qt::KeepAspectRatio);
        const QRect target(area.x() + (area.width() - fitted.width()) / 2,
                           area.y() + (area.height() - fitted.height()) / 2, fitted.width(), fitted.height());
        // A move of the slider repaints only the strip behind it: scaling the whole picture for that
        // would hold up the frame the move asked for by as long as decoding it.
        if (event->region().intersects(target)) {
            painter.setRenderHint(QPainter::SmoothPixmapTransform, fitted != image.size());
            painter.drawImage(target, image);
        }
    }
    const QString message = !m_openError.isEmpty() ? m_openError : m_frameError;
    if (!message.isEmpty()) {
        painter.setPen(Qt::white);
        painter.drawText(area.adjusted(8, 8, -8, -8), Qt::AlignCenter | Qt::TextWordWrap, message);
    }
}

void VideoPlayer::keyPressEvent(QKeyEvent* event)
{
    const int code = windowsKeyCode(*event);
    if (code == kEscapeCode && m_displaySize == fullScreenSize) {
        setDisplaySize(fitToWindowSize);
        event->accept();
        return;
    }
    if (code == 0) {
        QWidget::keyPressEvent(event);
        return;
    }
    event->accept();
    emit KeyDown(code);
}

void VideoPlayer::mousePressEvent(QMouseEvent* event)
{
    setFocus();
    // On the full screen a click plays the selection again.
    if (m_displaySize == fullScreenSize && event->button() == Qt::LeftButton)
        play();
    QWidget::mousePressEvent(event);
}

// Answers of the worker.

void VideoPlayer::videoOpened(std::uint64_t generation, const VideoFacts& facts)
{
    QMetaObject::invokeMethod(
        this,
        [this, generation, facts] {
            if (generation != m_generation)
                return;
            m_open = true;
            m_facts = facts;
            // A position set while the file was opening (the contact hint) may lie past its end.
            m_position = clampedToVideo(m_position);
            syncSlider();
            showWantedFrame();
            emit videoReady();
        },
        Qt::QueuedConnection);
}

void VideoPlayer::videoFailed(std::uint64_t generation, const Error& error)
{
    const QString reason = qs(error.text());
    QMetaObject::invokeMethod(
        this,
        [this, generation, reason] {
            if (generation != m_generation)
                return;
            qCWarning(lcReview).noquote() << "The video could not be opened:" << reason;
            m_openError = reason;
            m_openFailed = true;
            // No frame of the file can be shown: the position stands at its start.
            m_position = 0.0;
            syncSlider();
            update();
            emit videoFailedToOpen(reason);
        },
        Qt::QueuedConnection);
}

void VideoPlayer::frameReady(std::uint64_t generation, std::shared_ptr<const VideoFrame> frame)
{
    QMetaObject::invokeMethod(
        this,
        [this, generation, frame = std::move(frame)]() mutable {
            if (generation != m_generation || !m_open)
                return;
            if (frame->index == m_requestedIndex)
                m_requestedIndex = -1;
            const std::int64_t wanted = wantedFrameIndex();
            if (frame->index != wanted) {
                // The position moved on meanwhile: show the frame wanted now if it is at hand, else
                // this one while the wanted one comes.
                if (auto cached = m_worker->cache().find(wanted))
                    frame = std::move(cached);
                else if (m_requestedIndex != wanted) {
                    m_requestedIndex = wanted;
                    m_worker->requestFrame(wanted);
                }
            }
            if (shownFrameIndex() != frame->index)
                display(std::move(frame));
        },
        Qt::QueuedConnection);
}

void VideoPlayer::frameFailed(std::uint64_t generation, std::int64_t index, const Error& error)
{
    const QString reason = qs(error.text());
    QMetaObject::invokeMethod(
        this,
        [this, generation, index, reason] {
            if (generation != m_generation)
                return;
            if (index == m_requestedIndex)
                m_requestedIndex = -1;
            if (index == wantedFrameIndex()) {
                m_frameError = QStringLiteral("Frame %1 could not be decoded: %2").arg(index).arg(reason);
                qCWarning(lcReview).noquote() << m_frameError;
                update();
            }
        },
        Qt::QueuedConnection);
}

void VideoPlayer::bitmapDone(std::uint64_t, BitmapOutcome outcome, const std::string& reason)
{
    const QString text = qs(reason);
    QMetaObject::invokeMethod(
        this, [this, outcome, text] { emit bitmapWritten(outcome, text); }, Qt::QueuedConnection);
}

} // namespace leapmark
