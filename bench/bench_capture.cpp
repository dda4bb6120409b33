// Live capture from the simulated shore camera through the real capture pipeline (leapmark-cli
// capture), beside the ffmpeg tool recording its own test source at the same size, rate and
// compression in real time. Prints, per case, the frames captured and dropped and the processor
// time used as a share of one core. CAPTURE_SECONDS sets the length (default 30).
#include <fcntl.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <sstream>
#include <string>
#include <vector>

extern char** environ;

namespace {

struct ChildRun
{
    int exitCode = -1;
    double cpuSeconds = 0.0;
    double wallSeconds = 0.0;
};

double seconds(const timeval& time)
{
    return static_cast<double>(time.tv_sec) + static_cast<double>(time.tv_usec) / 1e6;
}

/** Runs a program with its standard output going to outFile; measures its processor time. */
ChildRun runChild(const std::vector<std::string>& words, const std::string& outFile)
{
    std::vector<char*> argv;
    for (const std::string& word : words)
        argv.push_back(const_cast<char*>(word.c_str()));
    argv.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, outFile.c_str(), O_WRONLY | O_CREAT | O_TRUNC,
                                     0644);
    posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, (outFile + ".err").c_str(),
                                     O_WRONLY | O_CREAT | O_TRUNC, 0644);
    const auto start = std::chrono::steady_clock::now();
    pid_t pid = 0;
    ChildRun run;
    if (posix_spawnp(&pid, argv[0], &actions, nullptr, argv.data(), environ) != 0) {
        posix_spawn_file_actions_destroy(&actions);
        return run;
    }
    posix_spawn_file_actions_destroy(&actions);
    int status = 0;
    rusage usage{};
    wait4(pid, &status, 0, &usage);
    run.wallSeconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    run.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : 128;
    run.cpuSeconds = seconds(usage.ru_utime) + seconds(usage.ru_stime);
    return run;
}

std::string readFile(const std::string& path)
{
    std::ifstream in(path);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

long long counter(const std::string& text, const std::string& name)
{
    const auto at = text.find(name + " ");
    return at == std::string::npos ? -1 : std::atoll(text.c_str() + at + name.size() + 1);
}

/** The frame count ffmpeg's progress report ends with ("frame=  1800 fps=..."). */
long long ffmpegFrames(const std::string& text)
{
    const auto at = text.rfind("frame=");
    return at == std::string::npos ? -1 : std::atoll(text.c_str() + at + 6);
}

} // namespace

int main()
{
    const char* secondsText = std::getenv("CAPTURE_SECONDS");
    const std::string length = secondsText ? secondsText : "30";
    const auto folder =
        std::filesystem::temp_directory_path() / ("bench_capture_" + std::to_string(getpid()));
    std::filesystem::create_directories(folder);
    const struct Case
    {
        const char* size;
        const char* rate;
    } cases[] = {{"1280x720", "60"}, {"1920x1080", "30"}};
    int failures = 0;
    for (const Case& c : cases) {
        const std::string tag = std::string(c.size) + "@" + c.rate;
        const std::string ours = (folder / ("leapmark_" + tag + ".avi")).string();
        const ChildRun run = runChild({LEAPMARK_CLI, "capture", "--device", "simulated", "--size", c.size,
                                       "--fps", c.rate, "--seconds", length, "--codec", "mjpeg", ours},
                                      ours + ".out");
        const std::string report = readFile(ours + ".out");
        if (run.exitCode != 0) {
            std::cerr << "leapmark-cli capture failed: " << readFile(ours + ".out.err") << "\n";
            ++failures;
        }
        std::printf(
            "capture %s leapmark mjpeg frames_captured=%lld frames_dropped=%lld cpu_share_of_core=%.2f "
            "file_mib=%.1f\n",
            tag.c_str(), counter(report, "frames_captured"), counter(report, "frames_dropped"),
            run.cpuSeconds / run.wallSeconds,
            std::filesystem::exists(ours) ? std::filesystem::file_size(ours) / 1048576.0 : 0.0);

        const std::string theirs = (folder / ("ffmpeg_" + tag + ".avi")).string();
        const ChildRun tool =
            runChild({"ffmpeg", "-hide_banner", "-nostdin", "-y", "-re", "-f", "lavfi", "-i",
                      std::string("testsrc2=size=") + c.size + ":rate=" + c.rate, "-t", length, "-c:v",
                      "mjpeg", "-q:v", "3", "-pix_fmt", "yuvj420p", theirs},
                     theirs + ".out");
        if (tool.exitCode != 0)
            std::cerr << "ffmpeg (the tool) did not run; is it installed?\n";
        std::printf("capture %s ffmpeg mjpeg frames=%lld cpu_share_of_core=%.2f file_mib=%.1f\n", tag.c_str(),
                    ffmpegFrames(readFile(theirs + ".out.err")), tool.cpuSeconds / tool.wallSeconds,
                    std::filesystem::exists(theirs) ? std::filesystem::file_size(theirs) / 1048576.0 : 0.0);
        std::fflush(stdout);
    }
    std::filesystem::remove_all(folder);
    return failures == 0 ? 0 : 1;
}
