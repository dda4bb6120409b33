// Frames per second of the simulated camera: rendering alone, encoding alone, and both together as
// the live camera and the simulate command run them. The live camera needs the clip's frame rate
// with room to spare.
#include "simulator/JumpSceneRenderer.h"
#include "video/ffmpeg/AviWriter.h"

#include <benchmark/benchmark.h>

#include <stdexcept>

namespace leapmark {
namespace {

/** Encoded frames go to the null device: the disk's speed is not the simulator's. */
constexpr const char* discard = "/dev/null";

JumpSceneRenderer makeRenderer(int width, int height)
{
    SimulationParameters parameters;
    parameters.size = {width, height};
    auto renderer = JumpSceneRenderer::create(parameters);
    if (!renderer)
        throw std::runtime_error(renderer.error().text());
    return std::move(renderer).value();
}

void setFramesPerSecond(benchmark::State& state)
{
    state.counters["fps"] =
        benchmark::Counter(static_cast<double>(state.iterations()), benchmark::Counter::kIsRate);
}

void BM_Render(benchmark::State& state)
{
    const JumpSceneRenderer renderer =
        makeRenderer(static_cast<int>(state.range(0)), static_cast<int>(state.range(1)));
    YuvPicture picture;
    std::int64_t frame = 0;
    for (auto _ : state) {
        renderer.render(frame, picture);
        benchmark::DoNotOptimize(picture.lumaPlane().data());
        frame = (frame + 1) % renderer.frameCount();
    }
    setFramesPerSecond(state);
}

void BM_Encode(benchmark::State& state)
{
    const JumpSceneRenderer renderer =
        makeRenderer(static_cast<int>(state.range(0)), static_cast<int>(state.range(1)));
    const YuvPicture picture = renderer.render(renderer.parameters().landingFrame + 10);
    AviWriter writer;
    AviWriterSettings settings;
    settings.encoderThreads = static_cast<int>(state.range(2));
    if (auto opened =
            writer.open(discard, picture.size(), renderer.parameters().rate, ColourRange::Full, settings);
        !opened) {
        state.SkipWithError(opened.error().text().c_str());
        return;
    }
    for (auto _ : state) {
        if (auto written = writer.write(picture); !written) {
            state.SkipWithError(written.error().text().c_str());
            break;
        }
    }
    (void)writer.close();
    setFramesPerSecond(state);
}

void BM_RenderAndEncode(benchmark::State& state)
{
    const JumpSceneRenderer renderer =
        makeRenderer(static_cast<int>(state.range(0)), static_cast<int>(state.range(1)));
    AviWriter writer;
    AviWriterSettings settings;
    settings.encoderThreads = static_cast<int>(state.range(2));
    if (auto opened = writer.open(discard, renderer.parameters().size, renderer.parameters().rate,
                                  ColourRange::Full, settings);
        !opened) {
        state.SkipWithError(opened.error().text().c_str());
        return;
    }
    YuvPicture picture;
    std::int64_t frame = 0;
    for (auto _ : state) {
        renderer.render(frame, picture);
        if (auto written = writer.write(picture); !written) {
            state.SkipWithError(written.error().text().c_str());
            break;
        }
        frame = (frame + 1) % renderer.frameCount();
    }
    (void)writer.close();
    setFramesPerSecond(state);
}

// Arguments: width, height (and encoder threads, 0 = one per core).
BENCHMARK(BM_Render)->Args({1280, 720})->Args({1920, 1080})->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_Encode)
    ->Args({1280, 720, 1})
    ->Args({1920, 1080, 1})
    ->Args({1920, 1080, 0})
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();
BENCHMARK(BM_RenderAndEncode)
    ->Args({1280, 720, 1})
    ->Args({1920, 1080, 1})
    ->Args({1280, 720, 0})
    ->Args({1920, 1080, 0})
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

} // namespace
} // namespace leapmark

BENCHMARK_MAIN();
