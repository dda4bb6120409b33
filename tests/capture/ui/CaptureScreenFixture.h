#pragma once

#include "app/Navigator.h"
#include "app/Screens.h"
#include "capture/ui/CapturePanel.h"
#include "capture/ui/PreviewForm.h"
#include "common/Clock.h"
#include "settings/InMemorySettingsStore.h"
#include "shell/Session.h"
#include "shell/ui/AppContext.h"
#include "shell/ui/MainForm.h"
#include "support/FakeCaptureControl.h"
#include "support/ScriptedPrompts.h"
#include "support/TempFolder.h"

#include <QApplication>

#include <gtest/gtest.h>

#include <fstream>

namespace leapmark::testing {

/** The capture screen and the main screen's panel on a camera the test describes, on a temporary video
 * folder. */
class CaptureScreenFixture : public ::testing::Test
{
protected:
    CaptureScreenFixture()
    {
        session.config.video_dir = folder.path().string();
        session.paths.app_dir = folder.path() / "app";
        std::filesystem::create_directories(session.paths.app_dir);
        camera.devices = {"Shore camera"};
        screens.attach(context, [this](ScreenId id, Screen& screen) { navigator.connectScreen(id, screen); });
    }

    PreviewForm& form() { return screens.previewForm(); }
    CapturePanel& panel() { return screens.capturePanel(); }

    /** Brings the capture screen up as "Proceed to Record Jumps" does, and lets its arrival run. */
    void arrive(NavigationOrigin origin = NavigationOrigin::Setup)
    {
        session.navigation_origin = origin;
        form().showScreen();
        QApplication::processEvents();
    }

    /** An empty file in the video folder. */
    void existing(const std::string& name) { std::ofstream(folder.path() / name) << "x"; }

    TempFolder folder;
    Session session;
    InMemorySettingsStore settings;
    ScriptedPrompts prompts;
    FixedClock clock;
    FakeCaptureControl camera;
    Screens screens;
    AppContext context{session, settings, prompts, clock, camera};
    Navigator navigator{context, screens};
};

} // namespace leapmark::testing
