#include "review/DecodeWorker.h"

#include "review/cDIB.h"

#include <algorithm>

#include <sys/resource.h>
#include <unistd.h>

namespace leapmark {

DecodeWorker::DecodeWorker(Opener opener, DecodeListener& listener, std::size_t cacheBudgetBytes)
    : m_opener(std::move(opener)), m_listener(listener), m_cache(cacheBudgetBytes)
{
    m_thread = std::thread([this] { run(); });
    m_aheadThread = std::thread([this] { runAhead(); });
}

DecodeWorker::~DecodeWorker()
{
    {
        const std::lock_guard lock(m_mutex);
        m_stop = true;
        m_giveWay = true;
    }
    m_wake.notify_all();
    m_wakeAhead.notify_all();
    m_given.notify_all();
    m_aheadThread.join();
    m_thread.join();
}

std::uint64_t DecodeWorker::load(const std::filesystem::path& path)
{
    std::uint64_t generation = 0;
    {
        const std::lock_guard lock(m_mutex);
        generation = ++m_requestedGeneration;
        m_pendingLoad = path;
        if (m_pendingFrame) {
            m_pendingFrame.reset();
            --m_inFlight;
        }
        m_pendingCentre.reset();
        m_giveWay = true;
        // Frames of the old video still being decoded are refused from now on.
        m_cache.clear(generation);
    }
    m_wake.notify_all();
    return generation;
}

void DecodeWorker::waitForLoad(std::uint64_t generation)
{
    std::unique_lock lock(m_mutex);
    m_loaded.wait(lock, [&] { return m_doneGeneration >= generation || m_stop; });
}

void DecodeWorker::requestFrame(std::int64_t index)
{
    {
        const std::lock_guard lock(m_mutex);
        if (!m_pendingFrame)
            ++m_inFlight;
        m_pendingFrame = index;
        m_pendingCentre.reset();
        // The work ahead gives way, unless the frame it is decoding is this one.
        if (m_aheadAt != index)
            m_giveWay = true;
    }
    m_wake.notify_all();
}

void DecodeWorker::lookingAt(std::int64_t index)
{
    {
        const std::lock_guard lock(m_mutex);
        m_pendingCentre = index;
        if (m_pendingFrame) {
            m_pendingFrame.reset();
            --m_inFlight;
        }
    }
    m_wake.notify_all();
}

void DecodeWorker::writeBitmap(const std::filesystem::path& videoPath, std::int64_t index,
                               const std::filesystem::path& bitmapPath)
{
    {
        const std::lock_guard lock(m_mutex);
        m_pendingBitmap = BitmapJob{videoPath, index, bitmapPath};
    }
    m_wake.notify_all();
}

void DecodeWorker::run()
{
    std::unique_lock lock(m_mutex);
    while (true) {
        m_wake.wait(lock, [&] {
            return m_stop || m_pendingLoad || m_pendingFrame || m_pendingCentre || m_pendingBitmap ||
                   wantSecond();
        });
        if (m_stop)
            break;
        if (m_pendingBitmap) {
            const BitmapJob job = std::move(*m_pendingBitmap);
            m_pendingBitmap.reset();
            m_serving = true;
            lock.unlock();
            serveBitmap(job);
            lock.lock();
            m_serving = false;
            m_wakeAhead.notify_all();
            continue;
        }
        if (m_pendingLoad) {
            const std::filesystem::path path = std::move(*m_pendingLoad);
            m_pendingLoad.reset();
            const std::uint64_t generation = m_requestedGeneration;
            lock.unlock();
            openVideo(generation, path);
            lock.lock();
            m_doneGeneration = generation;
            m_loaded.notify_all();
            m_wakeAhead.notify_all();
            continue;
        }
        if (m_pendingFrame) {
            const std::int64_t index = *m_pendingFrame;
            m_pendingFrame.reset();
            m_serving = true;
            lock.unlock();
            serveFrame(index);
            --m_inFlight;
            lock.lock();
            m_serving = false;
            m_wakeAhead.notify_all();
            continue;
        }
        if (m_pendingCentre) {
            lookAt(*m_pendingCentre);
            m_pendingCentre.reset();
            m_wakeAhead.notify_all();
            continue;
        }
        openSecondDecoder(lock);
    }
    closeDecoders(lock);
    m_loaded.notify_all();
}

void DecodeWorker::closeDecoders(std::unique_lock<std::mutex>& lock)
{
    m_giveWay = true;
    m_given.wait(lock, [&] {
        return std::none_of(m_decoders.begin(), m_decoders.end(),
                            [](const auto& decoder) { return decoder->lent; });
    });
    auto closing = std::move(m_decoders);
    m_decoders.clear();
    lock.unlock();
    closing.clear();
    lock.lock();
}

void DecodeWorker::openVideo(std::uint64_t generation, const std::filesystem::path& path)
{
    std::unique_lock lock(m_mutex);
    m_serving = true;
    closeDecoders(lock);
    m_generation = generation;
    m_path = path;
    m_facts = {};
    m_centre = 0;
    m_direction = 1;
    m_aheadDone = false;
    m_skipAhead.clear();
    m_secondFailed = false;
    if (path.empty()) {
        m_serving = false;
        return;
    }
    lock.unlock();
    auto opened = m_opener(path);
    if (!opened) {
        m_listener.videoFailed(generation, opened.error());
        lock.lock();
        m_serving = false;
        return;
    }
    const VideoFacts facts{(*opened)->frameCount(), (*opened)->framesPerSecond(), (*opened)->width(),
                           (*opened)->height()};
    lock.lock();
    auto decoder = std::make_unique<Decoder>();
    decoder->decoder = std::move(*opened);
    m_decoders.push_back(std::move(decoder));
    m_facts = facts;
    m_serving = false;
    lock.unlock();
    m_wakeAhead.notify_all();
    m_listener.videoOpened(generation, facts);
}

void DecodeWorker::lookAt(std::int64_t index)
{
    if (index > m_centre)
        m_direction = 1;
    else if (index < m_centre)
        m_direction = -1;
    m_centre = index;
    m_cache.setCentre(index);
    m_aheadDone = false;
}

DecodeWorker::Decoder* DecodeWorker::lendDecoder(std::int64_t index)
{
    Decoder* chosen = nullptr;
    for (const auto& decoder : m_decoders) {
        if (decoder->lent)
            continue;
        const bool before = decoder->at >= 0 && decoder->at < index && index - decoder->at <= maxAhead;
        const bool chosenBefore =
            chosen != nullptr && chosen->at >= 0 && chosen->at < index && index - chosen->at <= maxAhead;
        // The one standing just before the frame decodes on; else the one that stands farthest back,
        // which leaves the other where the frames ahead go on.
        if (chosen == nullptr || (before && (!chosenBefore || decoder->at > chosen->at)) ||
            (!before && !chosenBefore && decoder->at < chosen->at))
            chosen = decoder.get();
    }
    if (chosen != nullptr)
        chosen->lent = true;
    return chosen;
}

void DecodeWorker::keep(const Result<std::shared_ptr<const VideoFrame>>& frame, std::int64_t index,
                        bool givenUp)
{
    if (frame)
        m_cache.put(*frame, m_generation);
    // A frame that cannot be decoded, or finds no room, is not tried again ahead of time.
    if (!givenUp && (!frame || !m_cache.contains(index)))
        m_skipAhead.insert(index);
}

void DecodeWorker::serveFrame(std::int64_t index)
{
    std::unique_lock lock(m_mutex);
    lookAt(index);
    const std::uint64_t generation = m_generation;
    Decoder* decoder = nullptr;
    while (haveVideo()) {
        if (auto cached = m_cache.find(index)) {
            lock.unlock();
            m_listener.frameReady(generation, std::move(cached));
            return;
        }
        // The frame being decoded ahead is the one wanted: it comes sooner than from afresh.
        if (m_aheadAt != index) {
            m_giveWay = true;
            decoder = lendDecoder(index);
            if (decoder != nullptr)
                break;
        }
        m_given.wait(lock);
    }
    if (decoder == nullptr) {
        lock.unlock();
        m_listener.frameFailed(generation, index, Error("no video is open"));
        return;
    }
    lock.unlock();
    auto frame = decoder->decoder->frame(index);
    ++m_decoded;
    lock.lock();
    decoder->at = frame ? index : -1;
    decoder->lent = false;
    keep(frame, index, false);
    m_given.notify_all();
    lock.unlock();
    if (frame)
        m_listener.frameReady(generation, std::move(*frame));
    else
        m_listener.frameFailed(generation, index, frame.error());
}

DecodeWorker::Window DecodeWorker::windowFor(const VideoFacts& facts) const
{
    const auto frameBytes = static_cast<std::size_t>(dibRowBytes(facts.width)) *
                            static_cast<std::size_t>(std::max(0, facts.height));
    const auto capacity = static_cast<std::int64_t>(m_cache.capacityFor(frameBytes));
    const std::int64_t ahead = std::min(maxAhead, capacity * 3 / 5);
    const std::int64_t behind = std::min(maxBehind, std::max<std::int64_t>(0, capacity - ahead - 1));
    return {behind, ahead};
}

void DecodeWorker::runAhead()
{
    // Work ahead takes what the answers to requests leave of the processor: a request that comes
    // while a picture ahead is being decoded gets a core at once. The decoders' own threads are
    // started by the request thread and keep its priority.
    (void)::setpriority(PRIO_PROCESS, static_cast<id_t>(::gettid()), aheadNiceness);
    std::unique_lock lock(m_mutex);
    const auto mayWork = [&] {
        return haveVideo() && !m_aheadDone && !m_serving && !m_pendingLoad && !m_pendingFrame &&
               !m_pendingBitmap;
    };
    while (true) {
        m_wakeAhead.wait(lock, [&] { return m_stop || mayWork(); });
        if (m_stop)
            break;
        const auto stretch = nextStretch();
        if (!stretch) {
            m_aheadDone = true;
            continue;
        }
        Decoder* decoder = lendDecoder(stretch->first);
        if (decoder == nullptr) {
            m_given.wait(lock);
            continue;
        }
        m_giveWay = false;
        decodeStretch(lock, *decoder, *stretch);
        decoder->lent = false;
        m_given.notify_all();
    }
}

bool DecodeWorker::wantSecond() const
{
    return haveVideo() && m_decoders.size() < 2 && !m_secondFailed && !m_pendingLoad && !m_pendingFrame &&
           !m_pendingBitmap;
}

void DecodeWorker::openSecondDecoder(std::unique_lock<std::mutex>& lock)
{
    const std::filesystem::path path = m_path;
    lock.unlock();
    auto opened = m_opener(path);
    lock.lock();
    if (!opened) {
        // The work ahead shares the one decoder with the requests.
        m_secondFailed = true;
        return;
    }
    auto decoder = std::make_unique<Decoder>();
    decoder->decoder = std::move(*opened);
    m_decoders.push_back(std::move(decoder));
}

std::optional<DecodeWorker::Stretch> DecodeWorker::nextStretch()
{
    if (m_facts.frameCount <= 0 || m_facts.width <= 0 || m_facts.height <= 0)
        return std::nullopt;
    const Window window = windowFor(m_facts);
    const std::int64_t last = m_facts.frameCount - 1;
    const std::int64_t centre = std::clamp<std::int64_t>(m_centre, 0, last);

    std::optional<Stretch> ahead;
    for (std::int64_t k = 1; k <= window.ahead && centre + k <= last; ++k) {
        if (!m_cache.contains(centre + k) && !m_skipAhead.contains(centre + k)) {
            ahead = Stretch{centre + k, centre + k};
            break;
        }
    }
    // Behind the centre the cache is refilled in stretches: a decoder of key frames and the frames
    // between them reaches a frame behind only by decoding forward from the key frame before it.
    const std::int64_t wantBehind = std::min(window.behind, centre);
    std::int64_t haveBehind = 0;
    while (haveBehind < wantBehind &&
           (m_cache.contains(centre - haveBehind - 1) || m_skipAhead.contains(centre - haveBehind - 1)))
        ++haveBehind;
    std::optional<Stretch> behind;
    if (haveBehind < wantBehind && haveBehind <= wantBehind / 2)
        behind = Stretch{centre - wantBehind, centre - haveBehind - 1};
    if (m_direction >= 0)
        return ahead ? ahead : behind;
    return behind ? behind : ahead;
}

void DecodeWorker::decodeStretch(std::unique_lock<std::mutex>& lock, Decoder& decoder, const Stretch& stretch)
{
    const std::uint64_t generation = m_generation;
    for (std::int64_t index = stretch.first; index <= stretch.last; ++index) {
        if (m_giveWay || m_stop)
            return;
        if (m_cache.contains(index))
            continue;
        m_aheadAt = index;
        lock.unlock();
        auto frame = decoder.decoder->frameUnlessStopped(index, m_giveWay);
        ++m_decoded;
        lock.lock();
        m_aheadAt.reset();
        decoder.at = frame ? index : -1;
        if (generation == m_generation)
            keep(frame, index, !frame && m_giveWay);
        m_given.notify_all();
        if (!frame)
            return;
    }
}

void DecodeWorker::serveBitmap(const BitmapJob& job)
{
    Decoder* lent = nullptr;
    std::uint64_t generation = 0;
    {
        std::unique_lock lock(m_mutex);
        generation = m_generation;
        if (haveVideo() && m_path == job.video) {
            m_giveWay = true;
            m_given.wait(lock, [&] { return (lent = lendDecoder(job.index)) != nullptr; });
        }
    }
    std::unique_ptr<VideoDecoder> own;
    VideoDecoder* decoder = lent != nullptr ? lent->decoder.get() : nullptr;
    if (decoder == nullptr) {
        auto opened = m_opener(job.video);
        if (!opened) {
            m_listener.bitmapDone(generation,
                                  opened.error().kind() == ErrorKind::Unsupported ? BitmapOutcome::NoDecoder
                                                                                  : BitmapOutcome::OpenFailed,
                                  opened.error().text());
            return;
        }
        own = std::move(*opened);
        decoder = own.get();
    }
    Result<std::shared_ptr<const VideoFrame>> frame = lent != nullptr ? m_cache.find(job.index) : nullptr;
    if (!*frame)
        frame = decoder->frame(job.index);
    if (lent != nullptr) {
        const std::lock_guard lock(m_mutex);
        lent->at = -1;
        lent->lent = false;
        m_given.notify_all();
    }
    if (!frame) {
        m_listener.bitmapDone(generation, BitmapOutcome::FrameFailed, frame.error().text());
        return;
    }
    cDIB bitmap;
    if (!bitmap.CreateFromPackedDIBPointer(packedDibFromFrame(**frame))) {
        m_listener.bitmapDone(generation, BitmapOutcome::FrameFailed,
                              "frame " + std::to_string(job.index) + " gave no picture");
        return;
    }
    if (auto written = bitmap.WriteToFile(job.bitmap); !written) {
        m_listener.bitmapDone(generation, BitmapOutcome::WriteFailed, written.error().text());
        return;
    }
    m_listener.bitmapDone(generation, BitmapOutcome::Written, {});
}

} // namespace leapmark
