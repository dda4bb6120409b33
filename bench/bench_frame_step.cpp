// Stepping through a 1920 x 1080, 30 fps, 10-second video on the frame selection screen's player:
// single steps forward and back at the pace of the screen's 100 ms arrow-key poll, random jumps,
// and a held key repeating at 40 a second, each request timed until its frame is ready to paint;
// beside it the bare FFmpeg decode of the same frames. Motion JPEG, and H.264 with a key frame
// every 30 frames. Runs offscreen, without a display. Rows named on the command line
// (step_forward, step_back, random_jump, held_key) are the only ones run.

#include "BareDecoder.h"
#include "BenchTiming.h"
#include "review/FrameSelectionRules.h"
#include "review/ffmpeg/PatternVideo.h"
#include "review/ui/VideoPlayer.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QKeyEvent>
#include <QTimer>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <random>
#include <string>
#include <thread>
#include <vector>

#include <unistd.h>

namespace {

using leapmark::VideoPlayer;
using leapmark::bench::BareDecoder;
using leapmark::bench::Clock;
using leapmark::bench::millisecondsSince;
using leapmark::bench::Percentiles;
using leapmark::bench::percentiles;
using leapmark::bench::randomFrames;

constexpr int kFrames = 300;
constexpr int kStepPaceMs = 100;
constexpr int kHeldKeyMs = 5000;
constexpr int kKeyRepeatMs = 25;

/**
 * Runs the event loop until the player shows the frame; false after 5 s. The loop sleeps between
 * events, as the program's does: a loop polling for the frame would take a core from the decoder.
 */
bool waitForShown(VideoPlayer& player, std::int64_t frame)
{
    if (player.shownFrameIndex() == frame)
        return true;
    QEventLoop loop;
    const auto shown = QObject::connect(&player, &VideoPlayer::frameShown, &loop, [&](qint64 index) {
        if (index == frame)
            loop.quit();
    });
    QTimer::singleShot(5000, &loop, &QEventLoop::quit);
    loop.exec();
    QObject::disconnect(shown);
    return player.shownFrameIndex() == frame;
}

/** Runs the event loop for a while, as the program does between the operator's key presses. */
void idleFor(int ms)
{
    QEventLoop loop;
    QTimer::singleShot(ms, Qt::PreciseTimer, &loop, &QEventLoop::quit);
    loop.exec();
}

/**
 * Times the player through the frames: each is asked for, then waited for; paced or not. A frame
 * counts as ready when the player takes it to paint, as the bare decode beside it paints nothing.
 */
std::vector<double> throughPlayer(VideoPlayer& player, const std::vector<int>& frames, int paceMs)
{
    std::vector<double> samples;
    Clock::time_point shownAt;
    const auto connection =
        QObject::connect(&player, &VideoPlayer::frameShown, [&](qint64) { shownAt = Clock::now(); });
    for (const int frame : frames) {
        const auto start = Clock::now();
        player.setPosition(frame);
        if (!waitForShown(player, frame)) {
            std::fprintf(stderr, "frame %d never came\n", frame);
            samples.clear();
            break;
        }
        samples.push_back(std::chrono::duration<double, std::milli>(shownAt - start).count());
        const int left = paceMs - static_cast<int>(millisecondsSince(start));
        if (left > 0)
            idleFor(left);
    }
    QObject::disconnect(connection);
    return samples;
}

std::vector<double> throughBareDecoder(const std::filesystem::path& path, int first,
                                       const std::vector<int>& frames)
{
    BareDecoder bare(path);
    if (!bare.ok())
        return {};
    bare.decode(first);
    std::vector<double> samples;
    for (const int frame : frames) {
        const auto start = Clock::now();
        bare.decode(frame);
        samples.push_back(millisecondsSince(start));
    }
    return samples;
}

bool openAt(VideoPlayer& player, const std::filesystem::path& path, int frame)
{
    player.setFileName(QString::fromStdString(path.string()));
    QElapsedTimer timer;
    timer.start();
    while (!player.isOpen() && timer.elapsed() < 10000)
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 5);
    player.setPosition(frame);
    if (!waitForShown(player, frame))
        return false;
    idleFor(500); // the cache fills around the first frame, as it does while the operator looks
    return true;
}

void report(const char* what, const std::string& codec, const std::vector<double>& ours,
            const std::vector<double>& bare)
{
    const Percentiles p = percentiles(ours);
    const Percentiles b = percentiles(bare);
    std::printf("%s %s median_ms=%.3f p95_ms=%.3f bare_median_ms=%.3f bare_p95_ms=%.3f ratio=%.2f\n", what,
                codec.c_str(), p.median, p.p95, b.median, b.p95, b.median > 0 ? p.median / b.median : 0.0);
    std::fflush(stdout);
}

/** The keypad 6 held down: the key repeats every 25 ms and each press steps as the screen steps. */
void heldKey(VideoPlayer& player, const std::string& codec)
{
    int mostInFlight = 0;
    int shown = 0;
    std::int64_t lastShown = player.shownFrameIndex();
    const auto connection = QObject::connect(&player, &VideoPlayer::frameShown, [&](qint64 index) {
        if (index != lastShown)
            ++shown;
        lastShown = index;
    });
    const auto stepper = QObject::connect(&player, &VideoPlayer::KeyDown, [&](int code) {
        if (code == leapmark::keypad6Code && player.position() < static_cast<double>(player.frameCount() - 1))
            player.setPosition(player.position() + 1.0);
        mostInFlight = std::max(mostInFlight, player.worker().requestsInFlight());
    });
    const std::int64_t from = player.shownFrameIndex();
    QElapsedTimer timer;
    timer.start();
    int presses = 0;
    // The requests waiting or being decoded, looked at every millisecond between presses.
    QTimer watch;
    watch.setTimerType(Qt::PreciseTimer);
    QObject::connect(&watch, &QTimer::timeout,
                     [&] { mostInFlight = std::max(mostInFlight, player.worker().requestsInFlight()); });
    watch.start(1);
    while (timer.elapsed() < kHeldKeyMs) {
        QKeyEvent press(QEvent::KeyPress, Qt::Key_6, Qt::KeypadModifier, QStringLiteral("6"), presses > 0);
        QCoreApplication::sendEvent(&player, &press);
        ++presses;
        idleFor(kKeyRepeatMs);
    }
    watch.stop();
    QKeyEvent release(QEvent::KeyRelease, Qt::Key_6, Qt::KeypadModifier, QStringLiteral("6"));
    QCoreApplication::sendEvent(&player, &release);
    const double seconds = static_cast<double>(timer.elapsed()) / 1000.0;
    QObject::disconnect(connection);
    QObject::disconnect(stepper);
    std::printf("held_key %s steps_per_second=%.1f backlog_max=%d\n", codec.c_str(),
                static_cast<double>(shown) / seconds, mostInFlight);
    std::fprintf(stderr, "  (%d presses, frames %lld to %lld, %d painted)\n", presses,
                 static_cast<long long>(from), static_cast<long long>(player.shownFrameIndex()), shown);
    std::fflush(stdout);
}

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    av_log_set_level(AV_LOG_ERROR);
    QApplication application(argc, argv);
    const QStringList named = QCoreApplication::arguments().mid(1);
    auto wanted = [&](const char* row) { return named.isEmpty() || named.contains(QLatin1String(row)); };

    const auto folder =
        std::filesystem::temp_directory_path() / ("leapmark-step-" + std::to_string(::getpid()));
    std::filesystem::create_directories(folder);

    struct Video
    {
        std::string codec;
        leapmark::testing::PatternVideoOptions options;
    };
    leapmark::testing::PatternVideoOptions mjpeg;
    mjpeg.encoder = "mjpeg";
    mjpeg.width = 1920;
    mjpeg.height = 1080;
    mjpeg.frames = kFrames;
    mjpeg.rateNumerator = 30;
    mjpeg.textured = true;
    leapmark::testing::PatternVideoOptions h264 = mjpeg;
    h264.encoder = leapmark::testing::encoderAvailable("libx264") ? "libx264" : "mpeg4";
    h264.keyFrameInterval = 30;
    const std::vector<Video> videos{{"mjpeg", mjpeg}, {h264.encoder == "libx264" ? "h264" : "mpeg4", h264}};

    std::vector<int> forward;
    std::vector<int> back;
    for (int frame = 1; frame < kFrames; ++frame) {
        forward.push_back(frame);
        back.push_back(kFrames - 1 - frame);
    }
    const std::vector<int> jumps = randomFrames(100, kFrames);

    int status = 0;
    for (const Video& video : videos) {
        const auto path = folder / (video.codec + ".avi");
        std::fprintf(stderr, "Writing %s ...\n", path.c_str());
        if (auto written = leapmark::testing::writePatternVideo(path, video.options); !written) {
            std::fprintf(stderr, "%s\n", written.error().text().c_str());
            return 1;
        }
        VideoPlayer player;
        player.resize(960, 600);
        player.show();

        if (wanted("step_forward")) {
            if (!openAt(player, path, 0))
                return 1;
            const auto stepForward = throughPlayer(player, forward, kStepPaceMs);
            report("step_forward", video.codec, stepForward, throughBareDecoder(path, 0, forward));
            status = stepForward.empty() ? 1 : status;
        }
        if (wanted("step_back")) {
            if (!openAt(player, path, kFrames - 1))
                return 1;
            const auto stepBack = throughPlayer(player, back, kStepPaceMs);
            report("step_back", video.codec, stepBack, throughBareDecoder(path, kFrames - 1, back));
            status = stepBack.empty() ? 1 : status;
        }
        if (wanted("random_jump")) {
            if (!openAt(player, path, 0))
                return 1;
            const auto jumped = throughPlayer(player, jumps, kStepPaceMs);
            report("random_jump", video.codec, jumped, throughBareDecoder(path, 0, jumps));
            status = jumped.empty() ? 1 : status;
        }
        if (wanted("held_key")) {
            if (!openAt(player, path, 0))
                return 1;
            heldKey(player, video.codec);
        }
    }
    std::filesystem::remove_all(folder);
    return status;
}
