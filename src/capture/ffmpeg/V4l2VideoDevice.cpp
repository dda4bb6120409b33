#include "capture/ffmpeg/V4l2VideoDevice.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <map>

#include <fcntl.h>
#include <linux/videodev2.h>
#include <sys/ioctl.h>
#include <unistd.h>

extern "C" {
#include <libavdevice/avdevice.h>
#include <libavformat/avformat.h>
}

namespace leapmark {
namespace {

int retryingIoctl(int descriptor, unsigned long request, void* argument)
{
    int result = 0;
    do {
        result = ::ioctl(descriptor, request, argument);
    } while (result < 0 && errno == EINTR);
    return result;
}

/** FFmpeg's name for the V4L2 pixel formats its v4l2 reader takes; empty for others. */
std::string ffmpegFormatName(std::uint32_t fourcc)
{
    static const std::map<std::uint32_t, std::string> names = {
        {V4L2_PIX_FMT_YUYV, "yuyv422"},   {V4L2_PIX_FMT_UYVY, "uyvy422"}, {V4L2_PIX_FMT_YUV420, "yuv420p"},
        {V4L2_PIX_FMT_NV12, "nv12"},      {V4L2_PIX_FMT_RGB24, "rgb24"},  {V4L2_PIX_FMT_BGR24, "bgr24"},
        {V4L2_PIX_FMT_GREY, "gray"},      {V4L2_PIX_FMT_MJPEG, "mjpeg"},  {V4L2_PIX_FMT_JPEG, "mjpeg"},
        {V4L2_PIX_FMT_YUV422P, "yuv422p"}};
    const auto found = names.find(fourcc);
    return found == names.end() ? std::string() : found->second;
}

std::string cardText(const __u8* text, std::size_t size)
{
    return std::string(reinterpret_cast<const char*>(text),
                       strnlen(reinterpret_cast<const char*>(text), size));
}

/** The usual sizes that fit a stepwise or continuous range of a device. */
std::vector<PictureSize> usualSizesWithin(const v4l2_frmsize_stepwise& range)
{
    static const PictureSize usual[] = {{320, 240},  {640, 480},  {720, 576},  {800, 600},
                                        {1024, 768}, {1280, 720}, {1920, 1080}};
    std::vector<PictureSize> sizes;
    for (const PictureSize size : usual)
        if (size.widthPixels >= static_cast<int>(range.min_width) &&
            size.widthPixels <= static_cast<int>(range.max_width) &&
            size.heightPixels >= static_cast<int>(range.min_height) &&
            size.heightPixels <= static_cast<int>(range.max_height))
            sizes.push_back(size);
    return sizes;
}

} // namespace

std::vector<ListedDevice> scanV4l2Devices()
{
    avdevice_register_all();
    std::vector<ListedDevice> devices;
    const AVInputFormat* v4l2 = av_find_input_format("video4linux2");
    if (!v4l2)
        return devices;
    AVDeviceInfoList* list = nullptr;
    if (avdevice_list_input_sources(v4l2, nullptr, nullptr, &list) >= 0 && list) {
        for (int i = 0; i < list->nb_devices; ++i) {
            const AVDeviceInfo* info = list->devices[i];
            if (!info || !info->device_name)
                continue;
            const std::string path = info->device_name;
            std::string name = info->device_description ? info->device_description : path;
            // Two cameras of one model are told apart by their node.
            const bool twin = std::any_of(devices.begin(), devices.end(),
                                          [&](const ListedDevice& other) { return other.name == name; });
            if (twin)
                name += " (" + path + ")";
            devices.push_back({path, name, false});
        }
    }
    avdevice_free_list_devices(&list);
    return devices;
}

Result<std::unique_ptr<V4l2VideoDevice>> V4l2VideoDevice::open(const std::string& path)
{
    const int descriptor = ::open(path.c_str(), O_RDWR | O_NONBLOCK | O_CLOEXEC);
    if (descriptor < 0)
        return Error("Could not open the capture device " + path + ": " + std::strerror(errno),
                     errno == ENOENT ? ErrorKind::NotFound : ErrorKind::Other);
    v4l2_capability capability{};
    if (retryingIoctl(descriptor, VIDIOC_QUERYCAP, &capability) < 0 ||
        !((capability.device_caps ? capability.device_caps : capability.capabilities) &
          V4L2_CAP_VIDEO_CAPTURE)) {
        ::close(descriptor);
        return Error(path + " is not a video capture device", ErrorKind::Unsupported);
    }
    std::unique_ptr<V4l2VideoDevice> device(new V4l2VideoDevice(path, descriptor));
    device->readFormats();
    if (device->m_formats.empty())
        return Error(path + " offers no picture format this program can read", ErrorKind::Unsupported);
    device->readInputs();
    device->updateChoice();
    return device;
}

V4l2VideoDevice::V4l2VideoDevice(std::string path, int descriptor)
    : m_path(path), m_descriptor(descriptor), m_source(std::move(path), {})
{}

V4l2VideoDevice::~V4l2VideoDevice()
{
    m_source.close();
    if (m_descriptor >= 0)
        ::close(m_descriptor);
}

void V4l2VideoDevice::readFormats()
{
    v4l2_format current{};
    current.type = V4L2_BUF_TYPE_VIDEO_CAPTURE;
    const bool haveCurrent = retryingIoctl(m_descriptor, VIDIOC_G_FMT, &current) == 0;

    for (std::uint32_t index = 0;; ++index) {
        v4l2_fmtdesc description{};
        description.index = index;
        description.type = V4L2_BUF_TYPE_VIDEO_CAPTURE;
        if (retryingIoctl(m_descriptor, VIDIOC_ENUM_FMT, &description) < 0)
            break;
        PixelFormat format;
        format.fourcc = description.pixelformat;
        format.description = cardText(description.description, sizeof description.description);
        format.ffmpegName = ffmpegFormatName(format.fourcc);
        if (format.ffmpegName.empty())
            continue;
        for (std::uint32_t sizeIndex = 0;; ++sizeIndex) {
            v4l2_frmsizeenum size{};
            size.index = sizeIndex;
            size.pixel_format = format.fourcc;
            if (retryingIoctl(m_descriptor, VIDIOC_ENUM_FRAMESIZES, &size) < 0)
                break;
            if (size.type == V4L2_FRMSIZE_TYPE_DISCRETE) {
                const PictureSize discrete{static_cast<int>(size.discrete.width),
                                           static_cast<int>(size.discrete.height)};
                // 4:2:0 pictures need even sizes.
                if (discrete.widthPixels % 2 == 0 && discrete.heightPixels % 2 == 0)
                    format.sizes.push_back(discrete);
            } else {
                format.sizes = usualSizesWithin(size.stepwise);
                break;
            }
        }
        std::sort(format.sizes.begin(), format.sizes.end(), [](PictureSize a, PictureSize b) {
            return a.widthPixels * a.heightPixels < b.widthPixels * b.heightPixels;
        });
        if (format.sizes.empty())
            continue;
        if (haveCurrent && current.fmt.pix.pixelformat == format.fourcc)
            m_format = static_cast<int>(m_formats.size());
        m_formats.push_back(std::move(format));
    }
    if (m_formats.empty())
        return;
    const std::vector<PictureSize>& offered = m_formats[static_cast<std::size_t>(m_format)].sizes;
    const PictureSize now{static_cast<int>(current.fmt.pix.width), static_cast<int>(current.fmt.pix.height)};
    if (haveCurrent && std::find(offered.begin(), offered.end(), now) != offered.end())
        m_preferredSize = now;
    else
        m_preferredSize = offered.back();
}

void V4l2VideoDevice::readInputs()
{
    for (std::uint32_t index = 0;; ++index) {
        v4l2_input input{};
        input.index = index;
        if (retryingIoctl(m_descriptor, VIDIOC_ENUMINPUT, &input) < 0)
            break;
        m_inputs.push_back(cardText(input.name, sizeof input.name));
    }
    int current = 0;
    if (retryingIoctl(m_descriptor, VIDIOC_G_INPUT, &current) == 0)
        m_input = current;
    // A single input is no choice: the list stays empty and the panel greys it out.
    if (m_inputs.size() == 1)
        m_inputs.clear();
}

void V4l2VideoDevice::updateChoice()
{
    V4l2StreamChoice choice;
    choice.inputFormat = m_formats[static_cast<std::size_t>(m_format)].ffmpegName;
    if (!m_inputs.empty())
        choice.input = m_input;
    m_source.setChoice(choice);
}

std::vector<PictureSize> V4l2VideoDevice::sizes() const
{
    return m_formats[static_cast<std::size_t>(m_format)].sizes;
}

std::vector<std::string> V4l2VideoDevice::colourFormats() const
{
    std::vector<std::string> names;
    for (const PixelFormat& format : m_formats)
        names.push_back(format.description);
    return names;
}

Result<void> V4l2VideoDevice::selectColourFormat(int index)
{
    if (index < 0 || index >= static_cast<int>(m_formats.size()))
        return Error("The device has no colour format " + std::to_string(index), ErrorKind::NotFound);
    m_format = index;
    updateChoice();
    return success();
}

Result<void> V4l2VideoDevice::selectInput(int index)
{
    if (index < 0 || index >= static_cast<int>(m_inputs.size()))
        return Error("The device has no input " + std::to_string(index), ErrorKind::NotFound);
    m_input = index;
    updateChoice();
    return success();
}

std::vector<DeviceSetting> V4l2VideoDevice::settings() const
{
    std::vector<DeviceSetting> settings;
    v4l2_queryctrl query{};
    query.id = V4L2_CTRL_FLAG_NEXT_CTRL;
    while (retryingIoctl(m_descriptor, VIDIOC_QUERYCTRL, &query) == 0) {
        const bool usable = !(query.flags & (V4L2_CTRL_FLAG_DISABLED | V4L2_CTRL_FLAG_READ_ONLY)) &&
                            (query.type == V4L2_CTRL_TYPE_INTEGER || query.type == V4L2_CTRL_TYPE_BOOLEAN ||
                             query.type == V4L2_CTRL_TYPE_MENU);
        if (usable) {
            DeviceSetting setting;
            setting.id = static_cast<int>(query.id);
            setting.name = cardText(query.name, sizeof query.name);
            setting.kind = query.type == V4L2_CTRL_TYPE_BOOLEAN ? DeviceSetting::Kind::Boolean
                           : query.type == V4L2_CTRL_TYPE_MENU  ? DeviceSetting::Kind::Menu
                                                                : DeviceSetting::Kind::Integer;
            setting.minimum = query.minimum;
            setting.maximum = query.maximum;
            setting.step = std::max(1, query.step);
            setting.defaultValue = query.default_value;
            v4l2_control control{};
            control.id = query.id;
            setting.value = retryingIoctl(m_descriptor, VIDIOC_G_CTRL, &control) == 0 ? control.value
                                                                                      : query.default_value;
            if (setting.kind == DeviceSetting::Kind::Menu) {
                for (int value = query.minimum; value <= query.maximum; ++value) {
                    v4l2_querymenu item{};
                    item.id = query.id;
                    item.index = static_cast<std::uint32_t>(value);
                    setting.choices.push_back(retryingIoctl(m_descriptor, VIDIOC_QUERYMENU, &item) == 0
                                                  ? cardText(item.name, sizeof item.name)
                                                  : std::string());
                }
            }
            settings.push_back(std::move(setting));
        }
        query.id |= V4L2_CTRL_FLAG_NEXT_CTRL;
    }
    return settings;
}

Result<void> V4l2VideoDevice::changeSetting(int id, int value)
{
    v4l2_control control{};
    control.id = static_cast<std::uint32_t>(id);
    control.value = value;
    if (retryingIoctl(m_descriptor, VIDIOC_S_CTRL, &control) < 0)
        return Error("The device " + m_path + " refused the setting: " + std::strerror(errno));
    return success();
}

FrameRate V4l2VideoDevice::deliveredRate(FrameRate asked) const
{
    const FrameRate delivered = m_source.deliveredRate();
    return delivered.numerator > 0 ? delivered : asked;
}

} // namespace leapmark
