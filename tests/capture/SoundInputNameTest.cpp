#include "capture/DeviceList.h"

#include <gtest/gtest.h>

namespace leapmark {
namespace {

TEST(SoundInputName, TheFirstLineOfTheDescriptionAndTheDeviceAndSilenceSaysSo)
{
    EXPECT_EQ(soundInputName("hw:CARD=PCH,DEV=0", "HDA Intel PCH, ALC892 Analog\nFront speakers"),
              "HDA Intel PCH, ALC892 Analog (hw:CARD=PCH,DEV=0)");
    EXPECT_EQ(soundInputName("default", ""), "default");
    // ALSA's null device records silence; "... (null)" read as a name gone missing.
    EXPECT_EQ(soundInputName("null", "Discard all samples (playback) or generate zero samples (capture)"),
              "Silence (null device)");
}

} // namespace
} // namespace leapmark
