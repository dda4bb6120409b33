#pragma once

#include "common/Result.h"
#include "review/FrameCache.h"
#include "review/VideoDecoder.h"

#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <set>
#include <string>
#include <thread>
#include <vector>

namespace leapmark {

/** What an opened video is. */
struct VideoFacts
{
    std::int64_t frameCount = 0;
    double framesPerSecond = 0.0;
    int width = 0;
    int height = 0;
};

/** How writing a frame as a bitmap ended. */
enum class BitmapOutcome {
    Written,
    /** The video could not be opened. */
    OpenFailed,
    /** The video's compression has no decoder. */
    NoDecoder,
    /** The frame could not be decoded. */
    FrameFailed,
    /** The bitmap file could not be written. */
    WriteFailed,
};

/**
 * Told of the worker's results, on the worker's thread: an implementation passes them on to its own
 * thread. Every answer carries the generation of the load it belongs to, so that answers about a
 * video that was replaced meanwhile can be dropped.
 */
class DecodeListener
{
public:
    virtual ~DecodeListener() = default;
    virtual void videoOpened(std::uint64_t generation, const VideoFacts& facts) = 0;
    virtual void videoFailed(std::uint64_t generation, const Error& error) = 0;
    virtual void frameReady(std::uint64_t generation, std::shared_ptr<const VideoFrame> frame) = 0;
    virtual void frameFailed(std::uint64_t generation, std::int64_t index, const Error& error) = 0;
    virtual void bitmapDone(std::uint64_t generation, BitmapOutcome outcome, const std::string& reason) = 0;
};

/**
 * Decodes one video off the caller's thread. The caller posts requests and returns at once: a load
 * (or a release), the frame to show, a frame to write as a bitmap. A newer frame request replaces
 * one not yet started, so at most one waits while one is decoded: a held key never builds a
 * backlog. Between requests a second thread decodes ahead around the frame last looked at, in
 * both directions, into a cache bounded in bytes that the caller may read directly. The video is
 * open twice, so that a frame asked for never waits behind the work ahead: that work gives way
 * at its next picture, runs at a lower priority, and the frame is decoded on whichever decoder is
 * free, the one standing just before it first.
 */
class DecodeWorker
{
public:
    using Opener = std::function<Result<std::unique_ptr<VideoDecoder>>(const std::filesystem::path& path)>;

    /** Frames kept ahead of and behind the centre at most, whatever the budget allows. */
    static constexpr std::int64_t maxAhead = 24;
    static constexpr std::int64_t maxBehind = 24;
    /** The niceness of the thread that decodes ahead: well below the thread that answers. */
    static constexpr int aheadNiceness = 10;

    DecodeWorker(Opener opener, DecodeListener& listener, std::size_t cacheBudgetBytes);
    ~DecodeWorker();
    DecodeWorker(const DecodeWorker&) = delete;
    DecodeWorker& operator=(const DecodeWorker&) = delete;

    /** Opens a video in place of the current one; an empty path only closes it. Its generation. */
    std::uint64_t load(const std::filesystem::path& path);
    /** Waits until the worker has acted on the load of that generation (at most one decode). */
    void waitForLoad(std::uint64_t generation);

    /** Asks for a frame to be delivered; replaces a request not yet started. */
    void requestFrame(std::int64_t index);
    /**
     * Tells the worker which frame is being looked at without asking for it (it was in the cache).
     * A request not yet started is dropped: the position it was for has been left.
     */
    void lookingAt(std::int64_t index);

    /**
     * Writes a frame of a video as a 24-bit bitmap file: the loaded video's decoder when it is that
     * video, else one opened for the job.
     */
    void writeBitmap(const std::filesystem::path& videoPath, std::int64_t index,
                     const std::filesystem::path& bitmapPath);

    [[nodiscard]] FrameCache& cache() { return m_cache; }
    /** Frame requests waiting or being decoded: never more than 2. */
    [[nodiscard]] int requestsInFlight() const { return m_inFlight.load(); }
    /** Frames the worker decoded, requested or ahead. */
    [[nodiscard]] std::int64_t decodedFrames() const { return m_decoded.load(); }

private:
    struct BitmapJob
    {
        std::filesystem::path video;
        std::int64_t index = 0;
        std::filesystem::path bitmap;
    };

    struct Window
    {
        std::int64_t behind = 0;
        std::int64_t ahead = 0;
    };
    /** The frames kept behind and ahead of the centre for a video of this size. */
    [[nodiscard]] Window windowFor(const VideoFacts& facts) const;

    /** One of the loaded video's decoders: lent to one thread at a time. */
    struct Decoder
    {
        std::unique_ptr<VideoDecoder> decoder;
        bool lent = false;
        /** The frame it last decoded (or gave up at): decoding on from there is cheapest. */
        std::int64_t at = -1;
    };
    /** Frames the work ahead decodes next: one, or a stretch in order. */
    struct Stretch
    {
        std::int64_t first = 0;
        std::int64_t last = -1;
    };

    // The thread that answers requests.
    void run();
    void openVideo(std::uint64_t generation, const std::filesystem::path& path);
    void serveFrame(std::int64_t index);
    void serveBitmap(const BitmapJob& job);
    // The thread that decodes ahead.
    void runAhead();
    /** Nothing waits and the video is open once only: time to open it again for the work ahead. */
    [[nodiscard]] bool wantSecond() const;
    void openSecondDecoder(std::unique_lock<std::mutex>& lock);
    void decodeStretch(std::unique_lock<std::mutex>& lock, Decoder& decoder, const Stretch& stretch);
    /** What to decode ahead of or behind the centre next; none when nothing is left. */
    [[nodiscard]] std::optional<Stretch> nextStretch();

    /** A free decoder, the one standing nearest before `index` first; null when none is free. */
    [[nodiscard]] Decoder* lendDecoder(std::int64_t index);
    [[nodiscard]] bool haveVideo() const { return !m_decoders.empty(); }
    /** Closes the video's decoders once the work ahead has let go of them. */
    void closeDecoders(std::unique_lock<std::mutex>& lock);
    void lookAt(std::int64_t index);
    /** Keeps a decoded frame, and marks one that failed or finds no room so it is not tried again ahead. */
    void keep(const Result<std::shared_ptr<const VideoFrame>>& frame, std::int64_t index, bool givenUp);

    Opener m_opener;
    DecodeListener& m_listener;
    FrameCache m_cache;

    std::mutex m_mutex;
    std::condition_variable m_wake;
    std::condition_variable m_wakeAhead;
    std::condition_variable m_loaded;
    /** A decoder was given back, or the work ahead finished opening one. */
    std::condition_variable m_given;
    bool m_stop = false;
    std::uint64_t m_requestedGeneration = 0;
    std::uint64_t m_doneGeneration = 0;
    std::optional<std::filesystem::path> m_pendingLoad;
    std::optional<std::int64_t> m_pendingFrame;
    std::optional<std::int64_t> m_pendingCentre;
    std::optional<BitmapJob> m_pendingBitmap;

    // The loaded video, under the mutex; the decoders themselves are used outside it by the thread
    // they are lent to.
    std::vector<std::unique_ptr<Decoder>> m_decoders;
    std::filesystem::path m_path;
    std::uint64_t m_generation = 0;
    VideoFacts m_facts;
    std::int64_t m_centre = 0;
    int m_direction = 1;
    bool m_aheadDone = false;
    std::set<std::int64_t> m_skipAhead;
    /** The request thread is answering a request or loading: the work ahead waits. */
    bool m_serving = false;
    bool m_secondFailed = false;
    /** The frame the work ahead is decoding now, if any. */
    std::optional<std::int64_t> m_aheadAt;
    /** Tells the work ahead to give up at its next picture. */
    std::atomic<bool> m_giveWay{false};

    std::atomic<int> m_inFlight{0};
    std::atomic<std::int64_t> m_decoded{0};
    std::thread m_thread;
    std::thread m_aheadThread;
};

} // namespace leapmark
