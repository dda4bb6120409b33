#include "capture/CapturePipeline.h"
#include "capture/PipelineFakes.h"
#include "capture/ffmpeg/AviFrameWriter.h"
#include "capture/ffmpeg/CapturedVideo.h"
#include "simulator/LiveJumpCamera.h"
#include "support/FileSizeLimit.h"
#include "support/GoldenFile.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <csignal>
#include <fstream>
#include <optional>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

namespace leapmark {
namespace {

const SourceFormat smallCamera{{320, 240}, {30, 1}};

/** Frames numbered one after another from the first, as a capture without drops has them. */
void expectConsecutive(const std::vector<std::int64_t>& stamps)
{
    ASSERT_FALSE(stamps.empty());
    for (std::size_t i = 1; i < stamps.size(); ++i)
        ASSERT_EQ(stamps[i], stamps[0] + static_cast<std::int64_t>(i)) << "frame " << i;
}

/** What the pipeline said when the recording was stopped. */
struct StopOutcome
{
    std::optional<Error> failure;
    std::int64_t framesCounted = 0;
};

/** Records the simulated camera into a file until the recording ends or the time runs out. */
int recordSimulatedCamera(const std::filesystem::path& path, std::chrono::milliseconds longest,
                          testing::CollectedEvents& events, StopOutcome* outcome = nullptr)
{
    SteadyPacingClock clock;
    LiveJumpCamera camera(clock);
    CapturePipeline pipeline(clock, events);
    if (!pipeline.startDevice(camera, smallCamera, {}))
        return 10;
    auto writer = AviFrameWriter::open(path, smallCamera.size, smallCamera.rate, {});
    if (!writer)
        return 11;
    if (!pipeline.startRecording(std::move(*writer)))
        return 12;
    const auto deadline = std::chrono::steady_clock::now() + longest;
    while (pipeline.recording() && std::chrono::steady_clock::now() < deadline)
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    const bool endedByItself = !pipeline.recording();
    auto stopped = pipeline.stopRecording();
    pipeline.stopDevice();
    if (outcome) {
        if (!stopped)
            outcome->failure = stopped.error();
        outcome->framesCounted = pipeline.counters().totalFrames;
    }
    return endedByItself ? 0 : 13;
}

TEST(CaptureInterruption, AFullDiskStopsTheCaptureWithItsOwnMessageAndLeavesAReadableFile)
{
    testing::TempFolder folder;
    const auto path = folder.file("full.avi");
    const auto counted = folder.file("counted.txt");
    const int outcome = testing::runWithFileSizeLimit(96 * 1024, [&] {
        testing::CollectedEvents events;
        StopOutcome stop;
        const int recorded = recordSimulatedCamera(path, std::chrono::seconds(5), events, &stop);
        if (recorded != 0)
            return recorded;
        const auto warnings = events.warnings();
        const bool diskFull =
            warnings.size() == 1 && warnings[0].find("Recording stopped because the disk is full") == 0;
        if (!diskFull)
            return 20;
        if (!stop.failure || stop.failure->kind() != ErrorKind::DiskFull)
            return 21;
        std::ofstream(counted) << stop.framesCounted;
        return 0;
    });
    ASSERT_EQ(outcome, 0) << "10-13: the recording did not end by itself; 20: no disk-full warning; 21: the "
                             "stop did not report the full disk";

    const auto video = testing::readCapturedVideo(path);
    ASSERT_TRUE(video);
    EXPECT_GT(video->frameCount, 3);
    expectConsecutive(video->stamps);
    std::int64_t framesCounted = -1;
    std::ifstream(counted) >> framesCounted;
    EXPECT_EQ(framesCounted, video->frameCount) << "the frames counted are the frames in the file";
}

TEST(CaptureInterruption, ACaptureKilledPartWayStillOpensAndSteps)
{
    testing::TempFolder folder;
    const auto path = folder.file("killed.avi");
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        testing::CollectedEvents events;
        ::_exit(recordSimulatedCamera(path, std::chrono::seconds(30), events));
    }
    // Half a second of frames into the file, then the power goes.
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    const auto bytesSoFar = [&] {
        std::error_code missing;
        const auto size = std::filesystem::file_size(path, missing);
        return missing ? 0 : size;
    };
    while (bytesSoFar() < 32 * 1024 && std::chrono::steady_clock::now() < deadline)
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    std::this_thread::sleep_for(std::chrono::milliseconds(300));
    ::kill(child, SIGKILL);
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFSIGNALED(status));

    const auto video = testing::readCapturedVideo(path);
    ASSERT_TRUE(video);
    EXPECT_GT(video->frameCount, 5);
    EXPECT_EQ(video->framesPerSecond, 30.0);
    expectConsecutive(video->stamps);
}

/**
 * In a child: opens a recording, writes `frames` frames `gap` apart and is killed at once after
 * the last one, as a crash would end it.
 */
int writeSlowlyThenDie(const std::filesystem::path& path, int frames, std::chrono::milliseconds gap)
{
    auto writer = AviFrameWriter::open(path, smallCamera.size, smallCamera.rate, {});
    if (!writer)
        return 11;
    YuvPicture picture(smallCamera.size, ColourRange::Full);
    for (int i = 0; i < frames; ++i) {
        std::this_thread::sleep_for(gap);
        std::fill(picture.lumaPlane().begin(), picture.lumaPlane().end(), static_cast<std::uint8_t>(i * 8));
        if (!(*writer)->write(picture))
            return 12;
        // What a power cut would leave: all but the last second's frames are on the disk.
        if ((*writer)->framesStored() < i + 1 - 10)
            return 14;
    }
    ::raise(SIGKILL);
    return 13;
}

TEST(CaptureInterruption, AKilledCaptureKeepsItsHeaderAndAllButItsLastSecond)
{
    testing::TempFolder folder;
    // A device delivering far fewer frames than its nominal rate: 20 frames in 2 s at "30 fps".
    for (const int frames : {0, 20}) {
        const auto path = folder.file("slow" + std::to_string(frames) + ".avi");
        const pid_t child = ::fork();
        ASSERT_GE(child, 0);
        if (child == 0)
            ::_exit(writeSlowlyThenDie(path, frames, std::chrono::milliseconds(100)));
        int status = 0;
        ASSERT_EQ(::waitpid(child, &status, 0), child);
        ASSERT_TRUE(WIFSIGNALED(status)) << "the child ended by itself: " << WEXITSTATUS(status)
                                         << " (14: frames older than a second were not on the disk)";

        EXPECT_EQ(testing::fileBytes(path).substr(0, 4), "RIFF") << "the header is on the disk";
        if (frames == 0)
            continue;
        const auto video = testing::readCapturedVideo(path);
        ASSERT_TRUE(video);
        EXPECT_GE(video->frameCount, frames - 10) << "more than the last second's frames were lost";
    }
}

} // namespace
} // namespace leapmark
