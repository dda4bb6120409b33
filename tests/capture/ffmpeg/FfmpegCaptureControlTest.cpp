#include "capture/ffmpeg/FfmpegCaptureControl.h"

#include "capture/CaptureEvents.h"
#include "capture/ffmpeg/CapturedVideo.h"
#include "capture/ffmpeg/ControlFakes.h"
#include "simulator/SimulatedVideoDevice.h"
#include "support/GoldenFile.h"
#include "support/TempFolder.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <thread>

namespace leapmark {
namespace {

using ::testing::Contains;
using ::testing::ElementsAre;
using ::testing::HasSubstr;
using namespace testing;

/** The back end on the simulated camera, with a catalog the test fills and a folder for files. */
class FfmpegCaptureControlTest : public ::testing::Test
{
protected:
    FfmpegCaptureControlTest() { control.setListener(&listener); }

    /** Connects the simulated camera at 320x240. */
    void connectSimulated()
    {
        const auto devices = control.videoDevices();
        const auto found = std::find(devices.begin(), devices.end(), SimulatedVideoDevice::deviceName);
        ASSERT_NE(found, devices.end());
        ASSERT_TRUE(control.connect(static_cast<int>(found - devices.begin())));
        ASSERT_EQ(control.currentResolution(), 0);
        ASSERT_EQ(control.resolutions()[0], "320x240");
    }

    /** Records for a while and stops. */
    void record(std::chrono::milliseconds length)
    {
        ASSERT_TRUE(control.startCapture());
        std::this_thread::sleep_for(length);
        ASSERT_TRUE(control.stopCapture());
        poster.drain();
    }

    static CaptureBackEndOptions options(const TempFolder& folder, const PacingClock& clock,
                                         LiveJumpTiming timing = {})
    {
        CaptureBackEndOptions chosen;
        chosen.watchDevices = false;
        chosen.relativeFolder = folder.path();
        chosen.builtInDevices.push_back(simulatedCameraDevice(clock, {}, timing, {320, 240}));
        return chosen;
    }

    TempFolder folder;
    QueuedPoster poster;
    SteadyPacingClock clock;
    PluggableCatalog catalog;
    NotingListener listener;
    FfmpegCaptureControl control{poster, clock, catalog, options(folder, clock, {0.6, 10.0, 4.0})};
};

TEST_F(FfmpegCaptureControlTest, TheSimulatedCameraIsAlwaysListedAndFirstWithoutARealOne)
{
    EXPECT_THAT(control.videoDevices(), ElementsAre(SimulatedVideoDevice::deviceName));
    EXPECT_EQ(control.currentVideoDevice(), 0);

    PluggableCatalog withCamera;
    withCamera.video = {{"/dev/video0", "USB camera", false}};
    FfmpegCaptureControl other(poster, clock, withCamera, options(folder, clock));
    EXPECT_THAT(other.videoDevices(), ElementsAre("USB camera", SimulatedVideoDevice::deviceName));
    EXPECT_THAT(other.connect(0).error().text(), HasSubstr("/dev/video0"));
    EXPECT_FALSE(other.connected());

    EXPECT_THAT(control.compressors(), ElementsAre("Motion JPEG", "FFV1 (lossless)", "H.264 (intra only)"));
    EXPECT_EQ(control.currentCompressor(), 0);
    EXPECT_THAT(control.effects(), ElementsAre("Deinterlace", "Mirror", "Grayscale", "Sharpen"));
    EXPECT_EQ(control.findEffect("Grayscale"), 2);
    EXPECT_EQ(control.findEffect("Emboss"), -1);
}

TEST_F(FfmpegCaptureControlTest, ConnectingOffersTheCameraSizesAndRecordsAFileWithItsCounters)
{
    EXPECT_FALSE(control.startCapture());
    connectSimulated();
    EXPECT_TRUE(control.connected());
    EXPECT_THAT(control.resolutions(), ElementsAre("320x240", "640x480", "1280x720", "1920x1080"));
    EXPECT_THAT(control.colorFormats(), ElementsAre("I420 (YUV 4:2:0)"));
    EXPECT_TRUE(control.videoInputs().empty());
    EXPECT_FALSE(control.channelsSupported());
    EXPECT_EQ(control.frameRate(), 30.0);

    control.setStreamFile("run.avi");
    record(std::chrono::milliseconds(600));
    const CaptureCounters counters = control.counters();
    EXPECT_GE(counters.totalFrames, 12);
    EXPECT_EQ(counters.framesDropped, 0);
    EXPECT_GE(counters.timeMs, 600);
    ASSERT_FALSE(listener.statuses.empty());
    EXPECT_EQ(listener.statuses.front().first, capture_status::started);
    EXPECT_EQ(listener.statuses.back().first, capture_status::ended);
    EXPECT_TRUE(listener.warnings.empty());

    // Stop again, as Stop Recording does after the countdown: nothing changes.
    EXPECT_TRUE(control.stopCapture());
    EXPECT_EQ(control.counters().totalFrames, counters.totalFrames);

    const auto video = readCapturedVideo(folder.file("run.avi"));
    ASSERT_TRUE(video);
    EXPECT_EQ(video->frameCount, counters.totalFrames);
    EXPECT_EQ(video->width, 320);
    for (std::size_t i = 1; i < video->stamps.size(); ++i)
        EXPECT_EQ(video->stamps[i], video->stamps[0] + static_cast<std::int64_t>(i));
}

TEST_F(FfmpegCaptureControlTest, TheLandingOfASimulatedJumpIsFoundInTheFileByItsFrameNumber)
{
    connectSimulated();
    control.setStreamFile("jump.avi");
    record(std::chrono::milliseconds(1000));
    LiveJumpCamera* camera = simulatedCameraOf(control.connectedDevice());
    ASSERT_NE(camera, nullptr);
    const std::int64_t landing = camera->landingFrameNumber();

    const auto video = readCapturedVideo(folder.file("jump.avi"));
    ASSERT_TRUE(video);
    const auto found = std::find(video->stamps.begin(), video->stamps.end(), landing);
    ASSERT_NE(found, video->stamps.end()) << "no frame stamped " << landing;
    const std::int64_t landingIndex = found - video->stamps.begin();
    // The skier lands 0.6 s after the start: 18 frames in at 30 frames per second.
    EXPECT_NEAR(static_cast<double>(landingIndex), 18.0, 2.0);
}

TEST_F(FfmpegCaptureControlTest, ThePreTriggerFramesOpenTheFileAndAreCounted)
{
    connectSimulated();
    control.setPreTriggerSeconds(0.5);
    std::this_thread::sleep_for(std::chrono::milliseconds(800));
    control.setStreamFile("early.avi");
    record(std::chrono::milliseconds(300));
    const CaptureCounters counters = control.counters();
    EXPECT_EQ(counters.preTriggerFrames, 15);
    EXPECT_GE(counters.totalFrames, 15 + 8);
    EXPECT_GE(counters.timeMs, 800);

    const std::int64_t landing = simulatedCameraOf(control.connectedDevice())->landingFrameNumber();
    const auto video = readCapturedVideo(folder.file("early.avi"));
    ASSERT_TRUE(video);
    EXPECT_EQ(video->frameCount, counters.totalFrames);
    // Start was pressed 15 frames into the file (give or take the frame on its way at that moment);
    // the landing comes 0.6 s (18 frames) later.
    EXPECT_NEAR(static_cast<double>(landing - video->stamps[0]), 15.0 + 18.0, 1.0);
}

TEST_F(FfmpegCaptureControlTest, ThePreviewHoldsOnlyTheLatestPictureAndOnlyWhileWanted)
{
    connectSimulated();
    std::this_thread::sleep_for(std::chrono::milliseconds(200));
    poster.drain();
    EXPECT_EQ(listener.previews, 0);
    EXPECT_EQ(control.takePreviewImage(), nullptr);

    ASSERT_TRUE(control.setPreview(true));
    std::this_thread::sleep_for(std::chrono::milliseconds(300));
    poster.drain();
    // Nine or so frames came, but the screen had not taken the first: one notice, one picture.
    EXPECT_EQ(listener.previews, 1);
    const auto image = control.takePreviewImage();
    ASSERT_NE(image, nullptr);
    EXPECT_EQ(image->width, 320);
    EXPECT_EQ(image->height, 240);
    EXPECT_EQ(image->pixels.size(), 320u * 240u);
    EXPECT_EQ(control.takePreviewImage(), nullptr);
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
    poster.drain();
    EXPECT_EQ(listener.previews, 2);
    const auto next = control.takePreviewImage();
    ASSERT_NE(next, nullptr);
    EXPECT_GT(next->deviceFrameNumber, image->deviceFrameNumber);
}

TEST_F(FfmpegCaptureControlTest, CamerasPluggedInAndOutBecomeDeviceChanges)
{
    catalog.video = {{"/dev/video2", "Capture card", false}};
    catalog.audio = {{"hw:1,0", "USB microphone (hw:1,0)", false}};
    control.rescanDevices();
    poster.drain();
    EXPECT_THAT(control.videoDevices(), ElementsAre(SimulatedVideoDevice::deviceName, "Capture card"));
    EXPECT_THAT(
        listener.changes,
        ElementsAre(NotingListener::Change{DeviceCategory::Video, DeviceChange::Added, 1, "Capture card"},
                    NotingListener::Change{DeviceCategory::Audio, DeviceChange::Added, 0,
                                           "USB microphone (hw:1,0)"}));

    control.setCurrentVideoDevice(1);
    listener.changes.clear();
    catalog.video.clear();
    control.rescanDevices();
    poster.drain();
    EXPECT_THAT(listener.changes, Contains(NotingListener::Change{DeviceCategory::Video,
                                                                  DeviceChange::Removed, 1, "Capture card"}));
    EXPECT_THAT(control.videoDevices(), ElementsAre(SimulatedVideoDevice::deviceName));
    EXPECT_EQ(control.currentVideoDevice(), 0);
}

TEST_F(FfmpegCaptureControlTest, EffectsCompressorsAndGrabsWork)
{
    connectSimulated();
    ASSERT_TRUE(control.applyEffect(1));
    EXPECT_EQ(control.currentEffect(), 1);
    ASSERT_TRUE(control.applyEffect(-1));
    EXPECT_FALSE(control.applyEffect(7));

    control.setCurrentCompressor(2);
    EXPECT_TRUE(control.dialogAvailable(CaptureDialog::Compressor));
    control.setCurrentCompressor(1);
    EXPECT_FALSE(control.dialogAvailable(CaptureDialog::Compressor)); // FFV1 has no quality to set
    control.setCurrentCompressor(-1);
    control.setStreamFile("raw.avi");
    record(std::chrono::milliseconds(200));
    const auto video = readCapturedVideo(folder.file("raw.avi"));
    ASSERT_TRUE(video);
    EXPECT_EQ(video->frameCount, control.counters().totalFrames);

    FrameOptions frame = control.frameOptions();
    frame.frameFile = "still.jpg";
    frame.autoIncrement = true;
    control.setFrameOptions(frame);
    std::vector<Result<void>> outcomes;
    const auto note = [&outcomes](const Result<void>& outcome) { outcomes.push_back(outcome); };
    ASSERT_TRUE(control.grabFrame(note));
    ASSERT_TRUE(control.grabFrame(note));
    ASSERT_TRUE(eventually([&] {
        poster.drain();
        return outcomes.size() == 2;
    }));
    EXPECT_TRUE(outcomes[0] && outcomes[1]);
    EXPECT_TRUE(std::filesystem::exists(folder.file("still0001.jpg")));
    EXPECT_TRUE(std::filesystem::exists(folder.file("still0002.jpg")));
    const std::string jpeg = fileBytes(folder.file("still0002.jpg"));
    ASSERT_GT(jpeg.size(), 1000u);
    EXPECT_EQ(jpeg.substr(0, 2), "\xFF\xD8");
    EXPECT_EQ(jpeg.substr(jpeg.size() - 2), "\xFF\xD9");
}

TEST_F(FfmpegCaptureControlTest, WithNoEncoderFoundNoCompressorIsChosenAndTheRecordingIsUncompressed)
{
    CaptureBackEndOptions none = options(folder, clock);
    none.compressors = {};
    FfmpegCaptureControl bare(poster, clock, catalog, none);
    bare.setListener(&listener);
    EXPECT_TRUE(bare.compressors().empty());
    EXPECT_EQ(bare.currentCompressor(), -1) << "\"None\", not the first of an empty list";
    ASSERT_TRUE(bare.connect(0));
    EXPECT_FALSE(bare.dialogAvailable(CaptureDialog::Compressor));
    bare.setStreamFile("bare.avi");
    ASSERT_TRUE(bare.startCapture());
    std::this_thread::sleep_for(std::chrono::milliseconds(200));
    ASSERT_TRUE(bare.stopCapture());
    poster.drain();
    const auto video = readCapturedVideo(folder.file("bare.avi"));
    ASSERT_TRUE(video);
    EXPECT_GT(video->frameCount, 0);
    // Uncompressed: every frame whole, at least a byte a pixel.
    EXPECT_GE(std::filesystem::file_size(folder.file("bare.avi")),
              static_cast<std::uintmax_t>(video->frameCount) * 320u * 240u);
}

TEST_F(FfmpegCaptureControlTest, SizesCannotChangeWhileRecording)
{
    connectSimulated();
    control.setStreamFile("busy.avi");
    ASSERT_TRUE(control.startCapture());
    EXPECT_THAT(control.setCurrentResolution(1).error().text(), HasSubstr("while it records"));
    ASSERT_TRUE(control.stopCapture());
    EXPECT_TRUE(control.setCurrentResolution(1));
    EXPECT_EQ(control.currentResolution(), 1);
    control.disconnect();
    EXPECT_FALSE(control.connected());
    EXPECT_TRUE(control.resolutions().empty());
}

} // namespace
} // namespace leapmark
