#include "capture/ui/CaptureScreenFixture.h"
#include "settings/SettingsKeys.h"
#include "support/app/AppHarness.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include <gmock/gmock.h>

#include <limits>

namespace leapmark {
namespace {

using testing::AppHarness;
using ::testing::ElementsAre;

/** The main screen's capture panel, connected at start-up to the test's camera. */
class CapturePanelSettings : public testing::CaptureScreenFixture
{
protected:
    void startUp()
    {
        panel().applyStartUpDefaults();
        panel().setUpDevices();
        panel().connectAtStartUp();
        prompts.clear();
    }
};

TEST_F(CapturePanelSettings, TheRateLabelFollowsTheLastThresholdReached)
{
    for (const auto& [rate, label] : std::initializer_list<std::pair<const char*, const char*>>{
             {"30", "Currently Configured for R"},
             {"12", "Currently Configured for Normal/C"},
             {"3", "Currently Configured for Normal/C"}, // below 5 the label keeps its text
             {"15", "Currently Configured for L"}}) {
        panel().EdtRate->setText(QString::fromLatin1(rate));
        EXPECT_EQ(panel().lblConfig->text().toStdString(), label) << rate;
    }
    EXPECT_EQ(settings.read(keys::framerate), "15");
    EXPECT_EQ(camera.rate, 15.0);
}

TEST_F(CapturePanelSettings, ACompressorChoiceIsSavedAndAFirstStartKeepsTheDevicesOwn)
{
    camera.compressorList = {"Motion JPEG", "FFV1 (lossless)", "H.264 (intra only)"};
    camera.compressor = 0;
    startUp();
    // No compressor was ever chosen: the device's Motion JPEG stays rather than "None".
    EXPECT_EQ(panel().CompressionCombo->currentIndex(), 1);
    EXPECT_EQ(camera.compressor, 0);

    panel().CompressionCombo->setCurrentIndex(3);
    panel().CompressionCombo_Click();
    EXPECT_EQ(camera.compressor, 2);
    EXPECT_EQ(settings.read(keys::compression), "3");
}

TEST_F(CapturePanelSettings, SetCaptureValuesCopiesTheStreamSettingsAsTheListShowsThem)
{
    startUp();
    panel().EdtFile->setText(QStringLiteral("run.avi"));
    panel().EdtRate->setText(QStringLiteral("25"));
    panel().EdtLimit->setText(QStringLiteral("7"));
    panel().ComboAttrib->setCurrentIndex(2); // 11.025 Khz, 16 Bit, Mono
    panel().SetCaptureValues();
    EXPECT_EQ(camera.stream, "run.avi");
    EXPECT_EQ(camera.rate, 25.0);
    EXPECT_EQ(camera.limitSeconds, 7);
    EXPECT_EQ(camera.audio.sampleRateHz, 11025);
    EXPECT_EQ(camera.audio.bitsPerSample, 16);
    EXPECT_EQ(camera.audio.channels, 1);

    // An entry added for the device's own rate says what it is, whatever its position.
    camera.audio = {48000, 2, 16};
    panel().InitAudioSettings();
    EXPECT_EQ(panel().ComboAttrib->currentIndex(), 16);
    camera.audio = {};
    panel().ComboAttrib_Click();
    EXPECT_EQ(camera.audio.sampleRateHz, 48000);
    EXPECT_EQ(camera.audio.bitsPerSample, 16);
    EXPECT_EQ(camera.audio.channels, 2);
}

TEST_F(CapturePanelSettings, SetCaptureValuesCopiesTheFrameOptions)
{
    panel().CaptureType->setCurrentIndex(0);
    panel().CaptureType_Click();
    panel().ChkProg->setChecked(true);
    panel().ChkAutoInc->setChecked(true);
    panel().EdtChrom->setText(QStringLiteral("3"));
    panel().EdtLum->setText(QStringLiteral("4.6"));
    panel().EdtCapLeft->setText(QStringLiteral("10"));
    panel().EdtPass->setText(QStringLiteral("secret"));
    panel().EdtCaption->setText(QStringLiteral("Lake Classic"));
    panel().EdtFile->setText(QStringLiteral("still.jpg"));
    AppHarness::click(panel().ChkAutoSave);
    EXPECT_TRUE(camera.frame.progressiveJpeg);
    EXPECT_TRUE(camera.frame.autoSave);
    EXPECT_TRUE(camera.frame.autoIncrement);
    EXPECT_EQ(camera.frame.chromFactor, 3);
    EXPECT_EQ(camera.frame.lumFactor, 5);
    EXPECT_EQ(camera.frame.captionLeft, 10);
    EXPECT_EQ(camera.frame.password, "secret");
    EXPECT_EQ(camera.frame.caption, "Lake Classic");
    EXPECT_EQ(camera.frame.frameFile, "still.jpg");
}

TEST_F(CapturePanelSettings, EffectsAreLookedUpByNameAndAMissingOneFallsBackToNone)
{
    camera.effectList = {"Deinterlace", "Mirror"};
    startUp();
    panel().Effect->setCurrentIndex(2);
    panel().Effect_Click();
    EXPECT_EQ(camera.effect, 1);
    panel().Effect->addItem(QStringLiteral("Emboss"));
    panel().Effect->setCurrentIndex(3);
    panel().Effect_Click();
    EXPECT_THAT(prompts.texts(), ElementsAre("Cannot find Emboss effect"));
    EXPECT_EQ(panel().Effect->currentIndex(), 0);
    panel().Effect_Click();
    EXPECT_EQ(camera.effect, -1);
}

TEST_F(CapturePanelSettings, ListClicksReachTheDeviceAndAreSavedOrRefusedWithTheirCode)
{
    camera.resolutionList = {"320x240", "640x480"};
    camera.inputList = {"Composite", "S-Video"};
    camera.channels = true;
    camera.channelMin = 2;
    camera.channelMax = 4;
    camera.channel = 2;
    camera.audioDeviceList = {"Microphone"};
    startUp();
    panel().ResolutionCombo->setCurrentIndex(1);
    panel().ResolutionCombo_Click();
    EXPECT_EQ(camera.resolution, 1);
    EXPECT_EQ(settings.read(keys::videoresolution), "1");
    panel().VideoInput->setCurrentIndex(1);
    panel().VideoInput_Click();
    EXPECT_EQ(camera.input, 1);
    EXPECT_EQ(settings.read(keys::VideoInput), "1");
    panel().AudioDevice->setCurrentIndex(1);
    panel().AudioDevice_Click();
    EXPECT_EQ(camera.audioDevice, 0);
    EXPECT_TRUE(panel().ComboAttrib->isEnabled());

    camera.setFailure = Error("the device is busy");
    panel().ResolutionCombo->setCurrentIndex(0);
    panel().ResolutionCombo_Click();
    panel().Channel->setCurrentIndex(2);
    panel().Channel_Click();
    EXPECT_THAT(prompts.texts(), ElementsAre("Eror code: -2147467259 the device is busy",
                                             "Error code: -2147467259 the device is busy"));
    EXPECT_EQ(prompts.messages()[0].title, "Error");
    EXPECT_EQ(panel().ResolutionCombo->currentIndex(), 1);
    EXPECT_EQ(panel().Channel->currentIndex(), 0);
    EXPECT_EQ(settings.read(keys::videoresolution), "1");
}

TEST_F(CapturePanelSettings, TheTestCaptureStartsStopsAndReportsWithTheHexadecimalCode)
{
    startUp();
    ASSERT_EQ(panel().CmdCap->text(), QStringLiteral("Capture Stream"));
    AppHarness::click(panel().CmdCap);
    EXPECT_EQ(camera.startCount, 1);
    EXPECT_EQ(panel().CmdCap->text(), QStringLiteral("End Capture"));
    camera.counts = {90, 1, 33075, 3000, 0};
    AppHarness::click(panel().CmdCap);
    EXPECT_EQ(camera.stopCount, 1);
    EXPECT_EQ(panel().CmdCap->text(), QStringLiteral("Capture Stream"));
    EXPECT_EQ(panel().LblFrames->text(), QStringLiteral("90"));
    EXPECT_EQ(panel().LblSamples->text(), QStringLiteral("33075"));

    camera.startFailure = Error("Could not create testvid.avi: no such folder", ErrorKind::NotFound);
    AppHarness::click(panel().CmdCap);
    EXPECT_THAT(prompts.texts(),
                ElementsAre("Eror code: 80070002 Could not create testvid.avi: no such folder"));
    EXPECT_EQ(panel().CmdCap->text(), QStringLiteral("Capture Stream"));
}

TEST_F(CapturePanelSettings, ARateOrTimeLimitBeyondWhatCanBeUsedIsRefusedAndNothingStarts)
{
    startUp();
    panel().EdtRate->setText(QStringLiteral("25"));
    panel().EdtRate->setText(QStringLiteral("1e10"));
    EXPECT_EQ(camera.rate, 25.0) << "the device never gets a rate it cannot run at";
    AppHarness::click(panel().CmdCap);
    EXPECT_THAT(prompts.texts(), ElementsAre("Frame Rate (fps) must be a whole number from 1 to 1000"));
    EXPECT_EQ(camera.startCount, 0);
    EXPECT_EQ(panel().CmdCap->text(), QStringLiteral("Capture Stream"));

    panel().EdtRate->setText(QStringLiteral("30"));
    panel().EdtLimit->setText(QStringLiteral("1e10"));
    prompts.clear();
    AppHarness::click(panel().CmdCap);
    EXPECT_THAT(prompts.texts(), ElementsAre("Time Limit (sec) must be a whole number from 0 to 86400"));
    EXPECT_EQ(camera.startCount, 0);

    // The frame options take what they can hold.
    panel().CaptureType->setCurrentIndex(0);
    panel().CaptureType_Click();
    panel().EdtChrom->setText(QStringLiteral("1e10"));
    panel().SetCaptureValues();
    EXPECT_EQ(camera.frame.chromFactor, std::numeric_limits<int>::max());
}

TEST_F(CapturePanelSettings, ACameraPluggedInIsOfferedAndOneUnpluggedLeavesTheList)
{
    startUp();
    panel().CmdConnect_Click(); // disconnected: a new camera may be chosen
    camera.devices.push_back("USB camera");
    prompts.answerMessage(MessageAnswer::Yes);
    panel().CapturePRO1_DeviceChange(DeviceCategory::Video, DeviceChange::Added, 1, "USB camera");
    EXPECT_EQ(prompts.messages().at(0),
              (MessageRequest{"USB camera is plugged into your computer. Do you want to use it?", "",
                              MessageButtons::YesNo, MessageIcon::Question, DefaultButton::First}));
    EXPECT_EQ(camera.device, 1);
    EXPECT_EQ(panel().Combo1->count(), 2);
    EXPECT_EQ(panel().Combo1->currentIndex(), 1);

    camera.devices = {"Shore camera"};
    camera.device = 0;
    panel().CapturePRO1_DeviceChange(DeviceCategory::Video, DeviceChange::Removed, 1, "USB camera");
    EXPECT_EQ(panel().Combo1->count(), 1);
    EXPECT_EQ(panel().Combo1->currentText(), QStringLiteral("Shore camera"));

    camera.devices.clear();
    panel().CapturePRO1_DeviceChange(DeviceCategory::Video, DeviceChange::Removed, 0, "Shore camera");
    EXPECT_EQ(panel().Combo1->currentText(), QStringLiteral("No Capture Devices"));
    camera.devices = {"Shore camera"};
    panel().CapturePRO1_DeviceChange(DeviceCategory::Video, DeviceChange::Added, 0, "Shore camera");
    EXPECT_EQ(panel().Combo1->count(), 1);
    EXPECT_EQ(panel().Combo1->currentText(), QStringLiteral("Shore camera"));
    EXPECT_EQ(prompts.count(), 1u);
}

TEST_F(CapturePanelSettings, AConnectedCameraIsNotAskedAboutAndALostConnectionShowsAsDisconnected)
{
    startUp();
    camera.devices.push_back("USB camera");
    panel().CapturePRO1_DeviceChange(DeviceCategory::Video, DeviceChange::Added, 1, "USB camera");
    EXPECT_EQ(prompts.count(), 0u);
    EXPECT_EQ(panel().CmdConnect->text(), QStringLiteral("Disconnect"));

    camera.isConnected = false; // the connected camera went away
    camera.devices = {"USB camera"};
    camera.device = 0;
    panel().CapturePRO1_DeviceChange(DeviceCategory::Video, DeviceChange::Removed, 0, "Shore camera");
    EXPECT_EQ(panel().CmdConnect->text(), QStringLiteral("Connect"));
    EXPECT_FALSE(panel().CmdCap->isEnabled());
}

TEST_F(CapturePanelSettings, ThePreTriggerIsASettingOfItsOwn)
{
    settings.write(keys::PreTriggerSeconds, "2.5");
    startUp();
    EXPECT_EQ(panel().PreTrigger->currentText(), QStringLiteral("2.5"));
    EXPECT_EQ(camera.preTrigger, 2.5);
    panel().PreTrigger->setCurrentIndex(2);
    panel().PreTrigger_Click();
    EXPECT_EQ(settings.read(keys::PreTriggerSeconds), "1");
    EXPECT_EQ(camera.preTrigger, 1.0);
}

TEST_F(CapturePanelSettings, ThePreviewButtonSwitchesBetweenTheScreens)
{
    startUp();
    screens.mainForm().showScreen();
    AppHarness::click(panel().CmdPreview);
    EXPECT_TRUE(camera.previewOn);
    EXPECT_TRUE(form().isVisible());
    EXPECT_FALSE(screens.mainForm().isVisible());
    EXPECT_EQ(panel().CmdPreview->text(), QStringLiteral("Preview Off"));
    AppHarness::click(panel().CmdPreview);
    EXPECT_FALSE(camera.previewOn);
    EXPECT_FALSE(form().isVisible());
    EXPECT_EQ(panel().CmdPreview->text(), QStringLiteral("Preview On"));
}

} // namespace
} // namespace leapmark
