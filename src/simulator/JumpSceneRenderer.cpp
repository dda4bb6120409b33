#include "simulator/JumpSceneRenderer.h"

#include "simulator/FrameIndexPattern.h"
#include "simulator/PictureCanvas.h"
#include "simulator/SceneRandom.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace leapmark {
namespace {

constexpr double buoyRadiusMetres = 0.25;
/** A buoy floats with its centre this far above the water. */
constexpr double buoyCentreMetres = 0.1;
constexpr double wakeSeconds = 3.0;
constexpr double wakeStepSeconds = 0.02;
constexpr double sprayClearSeconds = 1.8;
constexpr int sprayDropCount = 90;

YuvColour colour(int red, int green, int blue)
{
    return toYuv({red, green, blue}, ColourRange::Full);
}

const Vector3 up{0.0, 0.0, 1.0};

} // namespace

Result<JumpSceneRenderer> JumpSceneRenderer::create(const SimulationParameters& parameters)
{
    auto camera = checkSimulationParameters(parameters);
    if (!camera)
        return camera.error();
    return JumpSceneRenderer(parameters, *camera);
}

JumpSceneRenderer::JumpSceneRenderer(const SimulationParameters& parameters, const ShoreCamera& camera)
    : m_parameters(parameters), m_camera(camera), m_trajectory(parameters.ramp, parameters.landing),
      m_frameCount(leapmark::frameCount(parameters)), m_backdrop(camera, parameters.seed)
{
    SceneRandom random(parameters.seed ^ 0x5B1A5Bu);
    const Vector3 heading = m_trajectory.heading();
    const Vector3 side{-heading.y, heading.x, 0.0};
    m_spray.reserve(sprayDropCount);
    for (int i = 0; i < sprayDropCount; ++i) {
        // One draw per statement: the order of operands within an expression is unspecified.
        const double forward = random.uniform(0.5, 7.0);
        const double sideways = random.uniform(-3.0, 3.0);
        const double upward = random.uniform(1.5, 5.5);
        const double radius = random.uniform(0.05, 0.14);
        m_spray.push_back({forward * heading + sideways * side + upward * up, radius});
    }
    drawStaticObjects();
}

double JumpSceneRenderer::secondsFromLanding(std::int64_t frame) const
{
    return m_parameters.rate.secondsAtFrame(frame - m_parameters.landingFrame);
}

SkierPose JumpSceneRenderer::skierPose(std::int64_t frame) const
{
    return m_trajectory.poseAt(secondsFromLanding(frame));
}

YuvPicture JumpSceneRenderer::render(std::int64_t frame) const
{
    YuvPicture picture;
    render(frame, picture);
    return picture;
}

void JumpSceneRenderer::render(std::int64_t frame, YuvPicture& picture) const
{
    m_backdrop.render(m_parameters.rate.secondsAtFrame(frame), picture);
    PictureCanvas canvas(picture);
    const double fromLanding = secondsFromLanding(frame);
    drawWake(canvas, fromLanding);
    drawSkier(canvas, m_trajectory.poseAt(fromLanding));
    if (fromLanding > 0.0)
        drawSplash(canvas, fromLanding);
    frame_index_pattern::stamp(picture, frame);
}

void JumpSceneRenderer::drawStaticObjects()
{
    YuvPicture& still = m_backdrop.stillPicture();
    std::vector<std::uint8_t> covered(static_cast<std::size_t>(still.width()) * still.height(), 0);
    PictureCanvas canvas(still, &covered);
    drawRamp(canvas);
    for (const SurveyPoint buoy : m_parameters.buoys)
        drawBuoy(canvas, buoy);
    m_backdrop.shelter(covered);
}

double JumpSceneRenderer::pixelsAcross(const Vector3& point, double metres) const
{
    const double depth = m_camera.depthMetres(point);
    return depth > 0.0 ? metres * m_camera.focalLengthPixels() / depth : 0.0;
}

void JumpSceneRenderer::drawRamp(PictureCanvas& canvas) const
{
    using Trajectory = JumpTrajectory; // for its ramp measures
    const Vector3 heading = m_trajectory.heading();
    const Vector3 side = (Trajectory::rampWidthMetres / 2.0) * Vector3{-heading.y, heading.x, 0.0};
    const Vector3 edge = abovePoint(m_parameters.ramp, 0.0);
    const Vector3 foot = edge - Trajectory::rampLengthMetres * heading;
    const Vector3 lift = Trajectory::rampHeightMetres * up;

    struct Face
    {
        std::vector<Vector3> corners;
        Vector3 outward;
        YuvColour shade;
    };
    const Face faces[] = {
        {{edge + side + lift, edge - side + lift, foot - side, foot + side},
         up - (Trajectory::rampHeightMetres / Trajectory::rampLengthMetres) * heading,
         colour(228, 228, 220)},
        {{edge + side, edge - side, edge - side + lift, edge + side + lift}, heading, colour(70, 72, 80)},
        {{foot + side, edge + side, edge + side + lift}, side, colour(138, 140, 150)},
        {{foot - side, edge - side, edge - side + lift}, -1.0 * side, colour(138, 140, 150)},
    };
    const Vector3 eye = m_camera.position();
    for (const Face& face : faces) {
        if (!(dot(face.outward, eye - face.corners[0]) > 0.0))
            continue;
        std::vector<PixelPoint> corners;
        for (const Vector3& corner : face.corners)
            if (const auto pixel = m_camera.project(corner))
                corners.push_back(*pixel);
        if (corners.size() == face.corners.size())
            canvas.fillConvexPolygon(corners, face.shade);
    }
}

void JumpSceneRenderer::drawBuoy(PictureCanvas& canvas, SurveyPoint buoy) const
{
    const Vector3 base = abovePoint(buoy, 0.0);
    const Vector3 middle = abovePoint(buoy, buoyCentreMetres);
    const auto centre = m_camera.project(middle);
    if (!centre)
        return;
    fillWaterPatch(canvas, base, 2.5 * buoyRadiusMetres, colour(18, 40, 52), 0.35);

    // The sphere above the waterline, whose nearest point is where the picture's water surface cuts it.
    const double waterlineMetres =
        std::sqrt(buoyRadiusMetres * buoyRadiusMetres - buoyCentreMetres * buoyCentreMetres);
    const Vector3 eye = m_camera.position();
    const Vector3 towardCamera = normalized(Vector3{eye.x - base.x, eye.y - base.y, 0.0});
    const auto front = m_camera.project(base + waterlineMetres * towardCamera);
    if (!front)
        return;
    const double waterline = front->y;
    const double radius = std::max(1.0, pixelsAcross(middle, buoyRadiusMetres));
    const auto sphere = [&](PixelPoint at, double r) {
        return [=](double x, double y) {
            const double disc = std::clamp(r + 0.5 - std::hypot(x - at.x, y - at.y), 0.0, 1.0);
            return disc * std::clamp(waterline - y + 0.5, 0.0, 1.0);
        };
    };
    canvas.paint(centre->x - radius - 1, centre->y - radius - 1, centre->x + radius + 1,
                 centre->y + radius + 1, colour(250, 112, 24), 1.0, sphere(*centre, radius));
    const PixelPoint shine{centre->x - 0.3 * radius, centre->y - 0.35 * radius};
    canvas.paint(shine.x - radius, shine.y - radius, shine.x + radius, shine.y + radius,
                 colour(255, 205, 160), 0.6, sphere(shine, 0.35 * radius));
}

void JumpSceneRenderer::fillWaterPatch(PictureCanvas& canvas, const Vector3& centre, double radiusMetres,
                                       YuvColour shade, double opacity) const
{
    const auto middle = m_camera.project(centre);
    const auto alongX = m_camera.project(centre + Vector3{radiusMetres, 0.0, 0.0});
    const auto alongY = m_camera.project(centre + Vector3{0.0, radiusMetres, 0.0});
    if (!middle || !alongX || !alongY)
        return;
    canvas.fillSoftEllipse(*middle, {alongX->x - middle->x, alongX->y - middle->y},
                           {alongY->x - middle->x, alongY->y - middle->y}, shade, opacity);
}

void JumpSceneRenderer::drawWake(PictureCanvas& canvas, double secondsFromLanding) const
{
    // Foam left where the skis ran on the water before this moment, sampled at fixed moments (whole
    // steps from the landing) so that it stays put on the water from frame to frame.
    const YuvColour foam = colour(224, 232, 236);
    const auto newest = static_cast<std::int64_t>(std::ceil(secondsFromLanding / wakeStepSeconds)) - 1;
    for (std::int64_t step = newest; step * wakeStepSeconds > secondsFromLanding - wakeSeconds; --step) {
        const double at = step * wakeStepSeconds;
        const SkierPose pose = m_trajectory.poseAt(at);
        if (pose.phase != SkierPhase::Approach && pose.phase != SkierPhase::Landed)
            continue;
        const double age = secondsFromLanding - at;
        fillWaterPatch(canvas, pose.contact, 0.3 + 0.45 * age, foam, 0.5 * std::exp(-age / 1.1));
    }
}

void JumpSceneRenderer::drawSkier(PictureCanvas& canvas, const SkierPose& pose) const
{
    const Vector3 p = pose.contact;
    const Vector3 h = pose.heading;
    const auto at = [&](double forward, double height) { return p + forward * h + height * up; };
    const auto limb = [&](const Vector3& a, const Vector3& b, double radiusMetres, double leastPixels,
                          YuvColour shade) {
        const auto pa = m_camera.project(a);
        const auto pb = m_camera.project(b);
        if (!pa || !pb)
            return;
        const double radius = std::max(leastPixels, pixelsAcross(0.5 * (a + b), radiusMetres));
        canvas.fillCapsule(*pa, *pb, radius, shade);
    };
    const YuvColour suit = colour(28, 28, 34);
    const YuvColour vest = colour(255, 196, 0);
    limb(at(0.05, 0.12), at(0.2, 0.55), 0.09, 0.6, suit);
    limb(at(0.2, 0.55), at(-0.05, 0.95), 0.1, 0.6, suit);
    limb(at(-0.05, 0.95), at(0.1, 1.42), 0.17, 0.8, vest);
    limb(at(0.1, 1.4), at(0.5, 1.05), 0.05, 0.5, suit);
    limb(at(0.14, 1.64), at(0.14, 1.64), 0.12, 0.7, colour(200, 32, 36));
    // Skis last and through the contact point itself, so that it shows them in the frame of the landing.
    limb(at(-0.9, 0.0), at(0.9, 0.0), 0.06, 1.2, colour(150, 24, 30));
}

void JumpSceneRenderer::drawSplash(PictureCanvas& canvas, double secondsAfterLanding) const
{
    const Vector3 landing = abovePoint(m_parameters.landing, 0.0);
    const double age = secondsAfterLanding;
    fillWaterPatch(canvas, landing + 0.6 * m_trajectory.heading(), 0.3 + 1.8 * std::sqrt(age),
                   colour(226, 233, 236), 0.75 * std::exp(-age / 2.5));
    if (age >= sprayClearSeconds)
        return;
    const YuvColour spray = colour(238, 242, 246);
    const double opacity = 0.9 * (1.0 - age / sprayClearSeconds);
    for (const SprayDrop& drop : m_spray) {
        Vector3 position = landing + age * drop.velocity;
        position.z -= JumpTrajectory::gravity * age * age / 2.0;
        if (position.z < -drop.radiusMetres)
            continue;
        const auto pixel = m_camera.project(position);
        if (!pixel)
            continue;
        const double radius = std::max(0.7, pixelsAcross(position, drop.radiusMetres * (1.0 + age)));
        canvas.fillDisc(*pixel, radius, spray, opacity);
    }
}

} // namespace leapmark
