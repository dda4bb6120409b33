#pragma once

#include "review/DecodeWorker.h"

#include <QElapsedTimer>
#include <QString>
#include <QWidget>

#include <cstdint>
#include <filesystem>
#include <memory>

class QSlider;
class QTimer;

namespace leapmark {

/**
 * Shows one video frame by frame in place of a media player control: a file name (setting it
 * loads, "" releases the file), a position in frames, a selection that play plays at the file's
 * rate, the display size (3 full screen, 4 fit to the window), a position slider and key events.
 * Decoding happens on the worker's thread; this widget only paints the frames it is given, taking
 * them straight from the worker's cache when they are there.
 */
class VideoPlayer : public QWidget, private DecodeListener
{
    Q_OBJECT

public:
    static constexpr int fullScreenSize = 3;
    static constexpr int fitToWindowSize = 4;
    /** The decode-ahead cache: about 30 frames of 1920 x 1080. */
    static constexpr std::size_t cacheBudgetBytes = std::size_t{192} * 1024 * 1024;

    /** Decodes through FFmpeg unless given another way to open videos. */
    explicit VideoPlayer(QWidget* parent = nullptr, DecodeWorker::Opener opener = {});
    ~VideoPlayer() override;

    /** Loads the file; "" closes it, and the file is free when this returns. */
    void setFileName(const QString& path);
    [[nodiscard]] QString fileName() const { return m_fileName; }

    /**
     * The position in frames; fractions are rounded (half to even) to the frame shown. Once the
     * file is open it always lies inside it; one that could not be opened stands at 0.
     */
    [[nodiscard]] double position() const { return m_position; }
    void setPosition(double frames);

    void setSelectionStart(double frames) { m_selectionStart = frames; }
    void setSelectionEnd(double frames) { m_selectionEnd = frames; }
    [[nodiscard]] double selectionStart() const { return m_selectionStart; }
    [[nodiscard]] double selectionEnd() const { return m_selectionEnd; }

    [[nodiscard]] int displaySize() const { return m_displaySize; }
    void setDisplaySize(int size);

    /** Plays the selection at the file's frame rate. */
    void play();
    /** Ends playing and shows the first frame. */
    void stop();
    [[nodiscard]] bool isPlaying() const { return m_playing; }

    [[nodiscard]] bool isOpen() const { return m_open; }
    /** A file is named and the worker has not yet told whether it opens. */
    [[nodiscard]] bool isOpening() const { return !m_fileName.isEmpty() && !m_open && !m_openFailed; }
    [[nodiscard]] std::int64_t frameCount() const { return m_facts.frameCount; }
    [[nodiscard]] double framesPerSecond() const { return m_facts.framesPerSecond; }
    /** Why the file could not be opened; empty when it could. */
    [[nodiscard]] const QString& openError() const { return m_openError; }

    /** The frame the position stands on (clamped to the video), -1 with none open. */
    [[nodiscard]] std::int64_t wantedFrameIndex() const;
    /** The frame painted now, and its index (-1 with none). */
    [[nodiscard]] const std::shared_ptr<const VideoFrame>& shownFrame() const { return m_shown; }
    [[nodiscard]] std::int64_t shownFrameIndex() const { return m_shown ? m_shown->index : -1; }

    /** Writes a frame of a video as a bitmap on the worker; bitmapWritten tells how it went. */
    void writeFrameBitmap(const QString& videoPath, std::int64_t index, const std::filesystem::path& bitmap);

    [[nodiscard]] QSlider* positionSlider() const { return m_slider; }
    [[nodiscard]] DecodeWorker& worker() { return *m_worker; }

signals:
    /** A key pressed on the player, as its Windows key code. */
    void KeyDown(int keyCode);
    void videoReady();
    void videoFailedToOpen(const QString& reason);
    /** A frame was put on screen (not necessarily the one the position stands on, while catching up). */
    void frameShown(qint64 index);
    void bitmapWritten(leapmark::BitmapOutcome outcome, const QString& reason);
    /** Playing reached the end of the selection. */
    void playEnded();

protected:
    void paintEvent(QPaintEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

private:
    // DecodeListener, on the worker's thread: each passes its answer on to this widget's thread.
    void videoOpened(std::uint64_t generation, const VideoFacts& facts) override;
    void videoFailed(std::uint64_t generation, const Error& error) override;
    void frameReady(std::uint64_t generation, std::shared_ptr<const VideoFrame> frame) override;
    void frameFailed(std::uint64_t generation, std::int64_t index, const Error& error) override;
    void bitmapDone(std::uint64_t generation, BitmapOutcome outcome, const std::string& reason) override;

    [[nodiscard]] double clampedToVideo(double frames) const;
    void showWantedFrame();
    void display(std::shared_ptr<const VideoFrame> frame);
    void playTick();
    void syncSlider();
    void sliderMovedTo(int value);

    std::unique_ptr<DecodeWorker> m_worker;
    QSlider* m_slider;
    QTimer* m_playTimer;
    QElapsedTimer m_playClock;

    QString m_fileName;
    std::uint64_t m_generation = 0;
    bool m_open = false;
    VideoFacts m_facts;
    QString m_openError;
    bool m_openFailed = false;
    QString m_frameError;
    double m_position = 0.0;
    double m_selectionStart = 0.0;
    double m_selectionEnd = 0.0;
    int m_displaySize = fitToWindowSize;
    bool m_playing = false;
    std::int64_t m_requestedIndex = -1;
    std::shared_ptr<const VideoFrame> m_shown;
    bool m_syncingSlider = false;
};

} // namespace leapmark
