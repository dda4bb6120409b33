// Frame access on a generated 1920 x 1080, 30 fps, 10-second video: a sequential step and a random
// jump through VideoDecoder, beside the bare FFmpeg decode (with conversion to BGR) of the same
// frames and the ffmpeg command-line tool writing one BMP. Ratios are taken within one run.

#include "BareDecoder.h"
#include "BenchTiming.h"
#include "review/ffmpeg/FfmpegVideoDecoder.h"
#include "review/ffmpeg/PatternVideo.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <random>
#include <string>
#include <vector>

#include <unistd.h>

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
#include <libswscale/swscale.h>
}

namespace {

using leapmark::FfmpegVideoDecoder;
using leapmark::bench::BareDecoder;
using leapmark::bench::Clock;
using leapmark::bench::millisecondsSince;
using leapmark::bench::Percentiles;
using leapmark::bench::percentiles;
using leapmark::bench::randomFrames;

constexpr int frameCount = 300;
constexpr int width = 1920;
constexpr int height = 1080;

/** Results by video and measurement, for the ratio table printed after the run. */
std::map<std::string, std::map<std::string, Percentiles>>& results()
{
    static std::map<std::string, std::map<std::string, Percentiles>> table;
    return table;
}

void record(benchmark::State& state, const std::string& video, const std::string& what,
            const std::vector<double>& samples)
{
    const Percentiles p = percentiles(samples);
    results()[video][what] = p;
    state.counters["median_ms"] = p.median;
    state.counters["p95_ms"] = p.p95;
    state.counters["samples"] = static_cast<double>(samples.size());
}

/**
 * VideoDecoder and the bare decode take turns on the same frames, so that both see the same load
 * on a shared machine; the ratio of the two is the measure.
 */
void pairedAccess(benchmark::State& state, const std::string& video, const std::filesystem::path& path,
                  bool sequential)
{
    for (auto _ : state) {
        auto decoder = FfmpegVideoDecoder::open(path);
        BareDecoder bare(path);
        if (!decoder || !bare.ok()) {
            state.SkipWithError("cannot open the video");
            return;
        }
        std::vector<int> frames;
        if (sequential)
            for (int i = 1; i < frameCount; ++i)
                frames.push_back(i);
        else
            frames = randomFrames(150, frameCount);
        if (sequential) {
            (void)(*decoder)->frame(0);
            bare.decode(0);
        }
        std::vector<double> ours;
        std::vector<double> theirs;
        for (const int wanted : frames) {
            auto start = Clock::now();
            auto frame = (*decoder)->frame(wanted);
            ours.push_back(millisecondsSince(start));
            benchmark::DoNotOptimize(frame);
            start = Clock::now();
            bare.decode(wanted);
            theirs.push_back(millisecondsSince(start));
        }
        record(state, video, sequential ? "step" : "jump", ours);
        results()[video][sequential ? "bare step" : "bare jump"] = percentiles(theirs);
    }
}

void commandLineTool(benchmark::State& state, const std::string& video, const std::filesystem::path& path)
{
    for (auto _ : state) {
        const auto bitmap = path.parent_path() / "tool.bmp";
        std::vector<double> samples;
        for (const int wanted : randomFrames(12, frameCount)) {
            char seconds[32];
            std::snprintf(seconds, sizeof seconds, "%.4f", wanted / 30.0);
            const std::string command = "ffmpeg -v error -y -ss " + std::string(seconds) + " -i '" +
                                        path.string() + "' -frames:v 1 '" + bitmap.string() + "'";
            const auto start = Clock::now();
            if (std::system(command.c_str()) != 0) {
                state.SkipWithError("the ffmpeg tool failed");
                return;
            }
            samples.push_back(millisecondsSince(start));
        }
        record(state, video, "ffmpeg tool", samples);
    }
}

void printRatios()
{
    std::printf(
        "\nFrame access in milliseconds, median / p95, and the ratio to the bare FFmpeg decode of the "
        "same frames:\n");
    for (const auto& [video, rows] : results()) {
        std::printf("  %s\n", video.c_str());
        auto line = [&](const std::string& what, const std::string& against) {
            const auto row = rows.find(what);
            const auto base = rows.find(against);
            if (row == rows.end())
                return;
            std::printf("    %-12s %8.2f / %8.2f", what.c_str(), row->second.median, row->second.p95);
            if (base != rows.end() && base->second.median > 0 && what != against)
                std::printf("   %.2f x / %.2f x %s", row->second.median / base->second.median,
                            row->second.p95 / base->second.p95, against.c_str());
            std::printf("\n");
        };
        line("bare step", "bare step");
        line("step", "bare step");
        line("bare jump", "bare jump");
        line("jump", "bare jump");
        line("ffmpeg tool", "bare jump");
    }
}

} // namespace

int main(int argc, char** argv)
{
    av_log_set_level(AV_LOG_ERROR);
    benchmark::Initialize(&argc, argv);

    const auto folder =
        std::filesystem::temp_directory_path() / ("leapmark-bench-" + std::to_string(::getpid()));
    std::filesystem::create_directories(folder);

    struct Video
    {
        std::string label;
        leapmark::testing::PatternVideoOptions options;
    };
    std::vector<Video> videos;
    leapmark::testing::PatternVideoOptions mjpeg;
    mjpeg.encoder = "mjpeg";
    mjpeg.width = width;
    mjpeg.height = height;
    mjpeg.frames = frameCount;
    mjpeg.rateNumerator = 30;
    mjpeg.textured = true;
    videos.push_back({"MJPEG 1080p30", mjpeg});
    leapmark::testing::PatternVideoOptions inter = mjpeg;
    inter.keyFrameInterval = 30;
    if (leapmark::testing::encoderAvailable("libx264")) {
        inter.encoder = "libx264";
        videos.push_back({"H.264 1080p30 GOP 30", inter});
    } else {
        std::printf("No H.264 encoder in this FFmpeg: MPEG-4 part 2 with GOP 30 stands in.\n");
        inter.encoder = "mpeg4";
        videos.push_back({"MPEG-4 1080p30 GOP 30", inter});
    }

    for (const Video& video : videos) {
        const auto path = folder / (video.options.encoder + ".avi");
        std::printf("Writing %s ...\n", video.label.c_str());
        std::fflush(stdout);
        if (auto written = leapmark::testing::writePatternVideo(path, video.options); !written) {
            std::fprintf(stderr, "%s\n", written.error().text().c_str());
            return 1;
        }
        std::printf("  %s: %.1f MB\n", path.filename().c_str(),
                    static_cast<double>(std::filesystem::file_size(path)) / 1e6);
        const std::string label = video.label;
        benchmark::RegisterBenchmark((label + "/step").c_str(), pairedAccess, label, path, true)
            ->Iterations(1)
            ->Unit(benchmark::kMillisecond);
        benchmark::RegisterBenchmark((label + "/jump").c_str(), pairedAccess, label, path, false)
            ->Iterations(1)
            ->Unit(benchmark::kMillisecond);
        benchmark::RegisterBenchmark((label + "/ffmpeg tool").c_str(), commandLineTool, label, path)
            ->Iterations(1)
            ->Unit(benchmark::kMillisecond);
    }
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    printRatios();
    std::filesystem::remove_all(folder);
    return 0;
}
