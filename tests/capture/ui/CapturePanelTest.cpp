#include "capture/ui/CapturePanel.h"
#include "common/Clock.h"
#include "settings/InMemorySettingsStore.h"
#include "settings/SettingsKeys.h"
#include "shell/Session.h"
#include "shell/ui/AppContext.h"
#include "support/FakeCaptureControl.h"
#include "support/ScriptedPrompts.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <memory>

namespace leapmark {
namespace {

using ::testing::ElementsAre;
using testing::FakeCaptureControl;

QStringList items(const QComboBox* list)
{
    QStringList texts;
    for (int i = 0; i < list->count(); ++i)
        texts << list->itemText(i);
    return texts;
}

/** The capture panel on its own, with a camera the test describes. */
class CapturePanelTest : public ::testing::Test
{
protected:
    CapturePanel& panel()
    {
        if (!m_panel) {
            m_panel = std::make_unique<CapturePanel>(context, nullptr);
            // The panel asks for the capture screen; the test keeps what it last asked.
            QObject::connect(m_panel.get(), &CapturePanel::screenWanted, [this](ScreenId target) {
                if (target == ScreenId::Capture)
                    captureScreenWanted = true;
            });
            QObject::connect(m_panel.get(), &CapturePanel::screenHideWanted, [this](ScreenId target) {
                if (target == ScreenId::Capture)
                    captureScreenWanted = false;
            });
        }
        return *m_panel;
    }

    /** The panel's share of start-up. */
    CapturePanel& startUp()
    {
        panel().applyStartUpDefaults();
        panel().setUpDevices();
        panel().connectAtStartUp();
        return panel();
    }

    Session session;
    InMemorySettingsStore settings;
    testing::ScriptedPrompts prompts;
    FixedClock clock;
    FakeCaptureControl camera;
    AppContext context{session, settings, prompts, clock, camera};
    bool captureScreenWanted = false;

private:
    std::unique_ptr<CapturePanel> m_panel;
};

TEST_F(CapturePanelTest, WithoutADeviceConnectOnlySaysSo)
{
    startUp();
    EXPECT_THAT(items(panel().Combo1), ElementsAre(QStringLiteral("No Capture Devices")));
    EXPECT_THAT(prompts.texts(), ElementsAre("No MCI capture devices are installed on this system"));
    EXPECT_EQ(camera.connectCount, 0);
    EXPECT_EQ(panel().CmdConnect->text(), QStringLiteral("Connect"));
    EXPECT_FALSE(panel().CmdCap->isEnabled());
}

TEST_F(CapturePanelTest, StartUpConnectsTheSavedDeviceWithItsSavedFormats)
{
    camera.devices = {"Shore camera", "Spare camera"};
    camera.resolutionList = {"320x240", "640x480", "720x576"};
    camera.colorFormatList = {"RGB24", "YUY2"};
    camera.inputList = {"Composite", "S-Video"};
    camera.channels = true;
    camera.channelMin = 2;
    camera.channelMax = 5;
    camera.channel = 4;
    camera.rate = 25.0;
    settings.write(keys::device, "1");
    settings.write(keys::videoresolution, "2");
    settings.write(keys::VideoInput, "1");
    startUp();

    EXPECT_THAT(items(panel().Combo1),
                ElementsAre(QStringLiteral("Shore camera"), QStringLiteral("Spare camera")));
    EXPECT_TRUE(camera.isConnected);
    EXPECT_EQ(camera.device, 1);
    EXPECT_EQ(settings.read(keys::device), "1");
    EXPECT_EQ(panel().CmdConnect->text(), QStringLiteral("Disconnect"));
    EXPECT_TRUE(panel().CmdCap->isEnabled());
    EXPECT_TRUE(panel().CmdPreview->isEnabled());
    EXPECT_EQ(panel().ResolutionCombo->currentIndex(), 2);
    EXPECT_EQ(camera.resolution, 2);
    EXPECT_EQ(panel().VideoInput->currentIndex(), 1);
    EXPECT_EQ(camera.input, 1);
    EXPECT_THAT(items(panel().Channel), ElementsAre(QStringLiteral("2"), QStringLiteral("3"),
                                                    QStringLiteral("4"), QStringLiteral("5")));
    EXPECT_EQ(panel().Channel->currentIndex(), 2);
    EXPECT_EQ(panel().EdtRate->text(), QStringLiteral("25"));
    EXPECT_TRUE(prompts.messages().empty());
}

TEST_F(CapturePanelTest, SavedPositionsThatNoLongerExistFallBackToTheFirstEntry)
{
    camera.devices = {"Shore camera"};
    camera.compressorList = {"MJPEG"};
    settings.write(keys::device, "5");
    settings.write(keys::compression, "9");
    startUp();

    EXPECT_EQ(camera.device, 0);
    EXPECT_TRUE(camera.isConnected);
    EXPECT_EQ(panel().CompressionCombo->currentIndex(), 0);
    EXPECT_EQ(camera.compressor, -1);
}

TEST_F(CapturePanelTest, TheSavedCompressorIsChosenOnTheDevice)
{
    camera.compressorList = {"MJPEG", "Cinepak", "Indeo"};
    settings.write(keys::compression, "3");
    startUp();

    EXPECT_THAT(items(panel().CompressionCombo),
                ElementsAre(QStringLiteral("None"), QStringLiteral("MJPEG"), QStringLiteral("Cinepak"),
                            QStringLiteral("Indeo")));
    EXPECT_EQ(panel().CompressionCombo->currentIndex(), 3);
    EXPECT_EQ(camera.compressor, 2);
    EXPECT_EQ(settings.read(keys::compression), "3");
}

TEST_F(CapturePanelTest, TheAudioFormatIsFoundInTheListOrAddedToIt)
{
    camera.audio = {44100, 2, 16};
    panel().setUpDevices();
    EXPECT_EQ(panel().ComboAttrib->currentIndex(), 15);
    EXPECT_EQ(panel().ComboAttrib->currentText(), QStringLiteral("44.100 Khz, 16 Bit, Stereo"));

    camera.audio = {48000, 2, 16};
    panel().InitAudioSettings();
    EXPECT_EQ(panel().ComboAttrib->count(), 17);
    EXPECT_EQ(panel().ComboAttrib->currentIndex(), 16);
    EXPECT_EQ(panel().ComboAttrib->currentText(), QStringLiteral("48.000 Khz, 16 bit, Stereo"));
}

TEST_F(CapturePanelTest, DevicesAudioAndEffectsAreListedWithTheirCurrentEntries)
{
    camera.audioDeviceList = {"Line in", "Microphone"};
    camera.audioDevice = 1;
    camera.effectList = {"Mirror", "Emboss"};
    camera.effect = 0;
    camera.frame.frameFile = "still.jpg";
    camera.frame.progressiveJpeg = true;
    camera.frame.chromFactor = 7;
    camera.listen = true;
    panel().setUpDevices();

    EXPECT_THAT(items(panel().AudioDevice),
                ElementsAre(QStringLiteral("None"), QStringLiteral("Line in"), QStringLiteral("Microphone")));
    EXPECT_EQ(panel().AudioDevice->currentIndex(), 2);
    EXPECT_EQ(panel().Effect->currentIndex(), 1);
    EXPECT_EQ(panel().EdtFile->text(), QStringLiteral("still.jpg"));
    EXPECT_TRUE(panel().ChkProg->isChecked());
    EXPECT_EQ(panel().EdtChrom->text(), QStringLiteral("7"));
    EXPECT_TRUE(panel().Check1->isChecked());
}

TEST_F(CapturePanelTest, DisconnectEmptiesTheFormatListsAndHidesTheCaptureScreen)
{
    camera.devices = {"Shore camera"};
    camera.resolutionList = {"640x480"};
    camera.previewOn = true;
    startUp();
    EXPECT_EQ(panel().CmdPreview->text(), QStringLiteral("Preview Off"));
    EXPECT_TRUE(captureScreenWanted);

    panel().CmdConnect->click();
    EXPECT_FALSE(camera.isConnected);
    EXPECT_EQ(panel().CmdConnect->text(), QStringLiteral("Connect"));
    EXPECT_EQ(panel().ResolutionCombo->count(), 0);
    EXPECT_FALSE(panel().ResolutionCombo->isEnabled());
    EXPECT_FALSE(panel().CmdCap->isEnabled());
    EXPECT_FALSE(panel().CmdPreview->isEnabled());
    EXPECT_FALSE(captureScreenWanted);

    panel().CmdConnect->click();
    EXPECT_TRUE(camera.isConnected);
    EXPECT_EQ(panel().ResolutionCombo->count(), 1);
}

TEST_F(CapturePanelTest, AFailedConnectionIsReportedAndChangesNothing)
{
    camera.devices = {"Shore camera"};
    startUp();
    panel().CmdConnect->click(); // disconnect
    // A device still listed that the back end no longer has.
    panel().Combo1->addItem(QStringLiteral("Unplugged"));
    panel().Combo1->setCurrentIndex(1);
    prompts.clear();

    panel().CmdConnect->click();
    ASSERT_EQ(prompts.messages().size(), 1u);
    EXPECT_EQ(prompts.messages()[0].title, "Error");
    EXPECT_FALSE(camera.isConnected);
    EXPECT_EQ(panel().CmdConnect->text(), QStringLiteral("Connect"));
    EXPECT_EQ(settings.read(keys::device), "0");
}

TEST_F(CapturePanelTest, FramesAndStreamsSwitchTheCaptureButtonAndFile)
{
    panel().CaptureType->setCurrentIndex(0);
    panel().CaptureType_Click();
    EXPECT_EQ(panel().CmdCap->text(), QStringLiteral("Capture Frame"));
    EXPECT_EQ(panel().EdtFile->text(), QStringLiteral("testvid.jpg"));
    EXPECT_FALSE(panel().FrmOptions->isHidden());
    EXPECT_TRUE(panel().StrmOptions->isHidden());

    panel().applyStartUpDefaults();
    EXPECT_EQ(panel().CmdCap->text(), QStringLiteral("Capture Stream"));
    EXPECT_EQ(panel().EdtFile->text(), QStringLiteral("testvid.avi"));
    EXPECT_TRUE(panel().FrmOptions->isHidden());
}

} // namespace
} // namespace leapmark
