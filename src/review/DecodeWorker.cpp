#include "review/DecodeWorker.h"

#include "review/cDIB.h"

#include <algorithm>

namespace leapmark {

DecodeWorker::DecodeWorker(Opener opener, DecodeListener& listener, std::size_t cacheBudgetBytes)
    : m_opener(std::move(opener)), m_listener(listener), m_cache(cacheBudgetBytes)
{
    m_thread = std::thread([this] { run(); });
}

DecodeWorker::~DecodeWorker()
{
    {
        const std::lock_guard lock(m_mutex);
        m_stop = true;
    }
    m_wake.notify_all();
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
    }
    m_wake.notify_all();
}

void DecodeWorker::lookingAt(std::int64_t index)
{
    {
        const std::lock_guard lock(m_mutex);
        m_pendingCentre = index;
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

bool DecodeWorker::requestWaiting()
{
    const std::lock_guard lock(m_mutex);
    return m_stop || m_pendingLoad || m_pendingFrame || m_pendingBitmap;
}

void DecodeWorker::run()
{
    while (true) {
        std::unique_lock lock(m_mutex);
        m_wake.wait(lock, [&] {
            return m_stop || m_pendingLoad || m_pendingFrame || m_pendingCentre || m_pendingBitmap ||
                   (m_decoder && !m_aheadDone);
        });
        if (m_stop)
            break;
        if (m_pendingBitmap) {
            const BitmapJob job = std::move(*m_pendingBitmap);
            m_pendingBitmap.reset();
            lock.unlock();
            serveBitmap(job);
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
            continue;
        }
        if (m_pendingFrame) {
            const std::int64_t index = *m_pendingFrame;
            m_pendingFrame.reset();
            lock.unlock();
            serveFrame(index);
            --m_inFlight;
            continue;
        }
        if (m_pendingCentre) {
            const std::int64_t index = *m_pendingCentre;
            m_pendingCentre.reset();
            lock.unlock();
            lookAt(index);
            continue;
        }
        lock.unlock();
        if (!decodeAhead())
            m_aheadDone = true;
    }
    m_decoder.reset();
    const std::lock_guard lock(m_mutex);
    m_loaded.notify_all();
}

void DecodeWorker::openVideo(std::uint64_t generation, const std::filesystem::path& path)
{
    m_decoder.reset();
    m_generation = generation;
    m_path = path;
    m_facts = {};
    m_centre = 0;
    m_direction = 1;
    m_aheadDone = false;
    m_skipAhead.clear();
    if (path.empty())
        return;
    auto opened = m_opener(path);
    if (!opened) {
        m_listener.videoFailed(generation, opened.error());
        return;
    }
    m_decoder = std::move(*opened);
    m_facts = {m_decoder->frameCount(), m_decoder->framesPerSecond(), m_decoder->width(),
               m_decoder->height()};
    m_listener.videoOpened(generation, m_facts);
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

Result<std::shared_ptr<const VideoFrame>> DecodeWorker::decode(std::int64_t index)
{
    auto frame = m_decoder->frame(index);
    ++m_decoded;
    if (frame)
        m_cache.put(*frame, m_generation);
    // A frame that cannot be decoded, or finds no room, is not tried again ahead of time.
    if (!frame || !m_cache.contains(index))
        m_skipAhead.insert(index);
    return frame;
}

void DecodeWorker::serveFrame(std::int64_t index)
{
    lookAt(index);
    if (!m_decoder) {
        m_listener.frameFailed(m_generation, index, Error("no video is open"));
        return;
    }
    if (auto cached = m_cache.find(index)) {
        m_listener.frameReady(m_generation, std::move(cached));
        return;
    }
    auto frame = decode(index);
    if (frame)
        m_listener.frameReady(m_generation, std::move(*frame));
    else
        m_listener.frameFailed(m_generation, index, frame.error());
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

bool DecodeWorker::decodeAhead()
{
    if (!m_decoder || m_facts.frameCount <= 0 || m_facts.width <= 0 || m_facts.height <= 0)
        return false;
    const auto frameBytes =
        static_cast<std::size_t>(dibRowBytes(m_facts.width)) * static_cast<std::size_t>(m_facts.height);
    const auto capacity = static_cast<std::int64_t>(m_cache.capacityFor(frameBytes));
    const std::int64_t ahead = std::min(maxAhead, capacity * 3 / 5);
    const std::int64_t behind = std::min(maxBehind, std::max<std::int64_t>(0, capacity - ahead - 1));
    const std::int64_t last = m_facts.frameCount - 1;
    const std::int64_t centre = std::clamp<std::int64_t>(m_centre, 0, last);

    std::optional<std::int64_t> nextAhead;
    for (std::int64_t k = 1; k <= ahead && centre + k <= last; ++k) {
        if (!m_cache.contains(centre + k) && !m_skipAhead.contains(centre + k)) {
            nextAhead = centre + k;
            break;
        }
    }
    // Behind the centre the cache is refilled in stretches: a decoder of key frames and the frames
    // between them reaches a frame behind only by decoding forward from the key frame before it.
    const std::int64_t wantBehind = std::min(behind, centre);
    std::int64_t haveBehind = 0;
    while (haveBehind < wantBehind &&
           (m_cache.contains(centre - haveBehind - 1) || m_skipAhead.contains(centre - haveBehind - 1)))
        ++haveBehind;
    const bool refillBehind = haveBehind < wantBehind && haveBehind <= wantBehind / 2;

    auto goAhead = [&] {
        if (!nextAhead)
            return false;
        (void)decode(*nextAhead);
        return true;
    };
    auto goBehind = [&] {
        if (!refillBehind)
            return false;
        for (std::int64_t index = centre - wantBehind; index < centre - haveBehind; ++index) {
            if (requestWaiting())
                break;
            if (!decode(index))
                break;
        }
        return true;
    };
    if (m_direction >= 0)
        return goAhead() || goBehind();
    return goBehind() || goAhead();
}

void DecodeWorker::serveBitmap(const BitmapJob& job)
{
    std::unique_ptr<VideoDecoder> own;
    VideoDecoder* decoder = m_decoder && m_path == job.video ? m_decoder.get() : nullptr;
    if (!decoder) {
        auto opened = m_opener(job.video);
        if (!opened) {
            m_listener.bitmapDone(m_generation,
                                  opened.error().kind() == ErrorKind::Unsupported ? BitmapOutcome::NoDecoder
                                                                                  : BitmapOutcome::OpenFailed,
                                  opened.error().text());
            return;
        }
        own = std::move(*opened);
        decoder = own.get();
    }
    std::shared_ptr<const VideoFrame> frame = decoder == m_decoder.get() ? m_cache.find(job.index) : nullptr;
    if (!frame) {
        auto decoded = decoder->frame(job.index);
        if (!decoded) {
            m_listener.bitmapDone(m_generation, BitmapOutcome::FrameFailed, decoded.error().text());
            return;
        }
        frame = std::move(*decoded);
    }
    cDIB bitmap;
    if (!bitmap.CreateFromPackedDIBPointer(packedDibFromFrame(*frame))) {
        m_listener.bitmapDone(m_generation, BitmapOutcome::FrameFailed,
                              "frame " + std::to_string(job.index) + " gave no picture");
        return;
    }
    if (auto written = bitmap.WriteToFile(job.bitmap); !written) {
        m_listener.bitmapDone(m_generation, BitmapOutcome::WriteFailed, written.error().text());
        return;
    }
    m_listener.bitmapDone(m_generation, BitmapOutcome::Written, {});
}

} // namespace leapmark
