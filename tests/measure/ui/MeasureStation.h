#pragma once

#include "grid/ProjectiveTransform.h"
#include "support/app/AppHarness.h"

#include <QImage>

#include <filesystem>
#include <string>

namespace leapmark {
class Measure;
}

namespace leapmark::testing {

/**
 * The whole program on temporary folders, configured with one grid on which a twip is a
 * centimetre on the water (survey x = screen x / 100, survey y = screen y / 100, ramp at (0, 30),
 * buoys at x 30 and 60 m), a grey 720 x 480 hand-over picture, and the measurement screen reached
 * from frame selection. Tests change the settings before start().
 */
class MeasureStation
{
public:
    MeasureStation();

    /** Starts the program and leaves the configuration screen; the results file so far is remembered. */
    void start();
    /** Opens the measurement screen as frame selection does, and lets it arrive. */
    void arriveFromFrameSelection();
    /** Picks the skier in the name box as the operator would type it. */
    void typeSkierName(const std::string& name);

    /** A press of the left button on the picture at the view pixel nearest to the twips. */
    void clickPicture(PlanePoint twips);
    /** The pointer moved over the picture to the view pixel nearest to the twips. */
    void movePointer(PlanePoint twips);

    /** What the results file gained since start() (or since the last call of markResults()). */
    [[nodiscard]] std::string newResults();
    void markResults();

    [[nodiscard]] Measure& measure();
    [[nodiscard]] std::filesystem::path handOverPicture() const
    {
        return app.appDir() / "currentcapture.bmp";
    }
    [[nodiscard]] std::filesystem::path picturesDir() const { return app.videoDir(); }

    /** Writes a picture file of the given size in one colour. */
    static void writePicture(const std::filesystem::path& file, int width, int height, QColor colour);
    /** Lets queued events (arrivals, timers due) run. */
    static void settle();

    AppHarness app;

private:
    std::size_t m_resultsMark = 0;
};

} // namespace leapmark::testing
