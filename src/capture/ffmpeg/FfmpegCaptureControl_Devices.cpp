// The capture control's device roster: listing, connecting, and devices plugged in and out.
#include "capture/ffmpeg/FfmpegCaptureControl.h"

#include <algorithm>
#include <charconv>

namespace leapmark {
namespace {

constexpr const char* builtInKeyPrefix = "built-in:";

/** The position of a built-in device in the options, from its key; -1 for a system device. */
int builtInIndex(const std::string& key)
{
    const std::string_view prefix(builtInKeyPrefix);
    int index = -1;
    if (key.rfind(prefix, 0) != 0 ||
        std::from_chars(key.data() + prefix.size(), key.data() + key.size(), index).ec != std::errc())
        return -1;
    return index;
}

} // namespace

void FfmpegCaptureControl::listDevices()
{
    std::vector<ListedDevice> permanent;
    for (std::size_t i = 0; i < m_options.builtInDevices.size(); ++i)
        permanent.push_back({builtInKeyPrefix + std::to_string(i), m_options.builtInDevices[i].name, true});
    m_videoDevices = initialDeviceList(m_catalog.scanVideo(), permanent);
    m_currentVideo = m_videoDevices.empty() ? -1 : 0;
    m_audioDevices = m_catalog.scanAudio();
}

std::vector<std::string> FfmpegCaptureControl::videoDevices() const
{
    std::vector<std::string> names;
    for (const ListedDevice& device : m_videoDevices)
        names.push_back(device.name);
    return names;
}

void FfmpegCaptureControl::setCurrentVideoDevice(int index)
{
    if (index >= 0 && index < static_cast<int>(m_videoDevices.size()))
        m_currentVideo = index;
}

bool FfmpegCaptureControl::connected() const
{
    // A device starting again after a change still counts as connected.
    return m_device != nullptr && (m_pipeline.deviceRunning() || m_restarter.busy());
}

Result<void> FfmpegCaptureControl::connect(int index)
{
    if (index < 0 || index >= static_cast<int>(m_videoDevices.size()))
        return Error("There is no capture device " + std::to_string(index), ErrorKind::NotFound);
    disconnect();
    const ListedDevice& listed = m_videoDevices[static_cast<std::size_t>(index)];
    const int builtIn = builtInIndex(listed.key);
    if (builtIn >= 0 && builtIn < static_cast<int>(m_options.builtInDevices.size())) {
        m_device = m_options.builtInDevices[static_cast<std::size_t>(builtIn)].make();
        if (!m_device)
            return Error("Could not start the capture device " + listed.name);
    } else {
        auto device = m_catalog.openVideo(listed.key);
        if (!device)
            return device.error();
        m_device = std::move(*device);
    }
    const std::vector<PictureSize> sizes = m_device->sizes();
    // The size chosen before stays when the new device offers it too.
    if (std::find(sizes.begin(), sizes.end(), m_size) == sizes.end())
        m_size = m_device->preferredSize();
    if (auto started = startDevice(deviceStart()); !started) {
        m_device.reset();
        return started;
    }
    m_connectedIndex = index;
    m_currentVideo = index;
    return success();
}

void FfmpegCaptureControl::disconnect()
{
    m_restarter.cancel();
    m_pipeline.stopDevice();
    m_audio.reset();
    m_device.reset();
    m_connectedIndex = -1;
}

VideoDevice* FfmpegCaptureControl::connectedDevice()
{
    return connected() ? m_device.get() : nullptr;
}

std::vector<std::string> FfmpegCaptureControl::audioDevices() const
{
    std::vector<std::string> names;
    for (const ListedDevice& device : m_audioDevices)
        names.push_back(device.name);
    return names;
}

void FfmpegCaptureControl::setCurrentAudioDevice(int index)
{
    if (index < -1 || index >= static_cast<int>(m_audioDevices.size()) || index == m_currentAudio)
        return;
    m_currentAudio = index;
    restartAfterChange();
}

// Devices plugged in and out.

void FfmpegCaptureControl::rescanDevices()
{
    applyScan(DeviceCategory::Video, m_videoDevices, m_catalog.scanVideo(), m_currentVideo,
              &m_connectedIndex);
    applyScan(DeviceCategory::Audio, m_audioDevices, m_catalog.scanAudio(), m_currentAudio, nullptr);
}

void FfmpegCaptureControl::applyScan(DeviceCategory category, std::vector<ListedDevice>& listed,
                                     const std::vector<ListedDevice>& found, int& current,
                                     int* connectedIndex)
{
    const int noneLeft = category == DeviceCategory::Video ? 0 : -1;
    for (const DeviceListChange& change : applyDeviceScan(listed, found)) {
        if (change.change == DeviceChange::Removed) {
            if (connectedIndex && *connectedIndex == change.index)
                disconnect(); // its device thread has already stopped on the missing device
            else if (connectedIndex && *connectedIndex > change.index)
                --*connectedIndex;
            if (current == change.index)
                current = listed.empty() ? -1 : noneLeft;
            else if (current > change.index)
                --current;
        }
        if (current < 0 && category == DeviceCategory::Video && !listed.empty())
            current = 0;
        post([category, change](CaptureListener& listener) {
            listener.deviceChanged(category, change.change, change.index, change.name);
        });
    }
}
} // namespace leapmark
