#include "capture/DeviceList.h"

#include <algorithm>

namespace leapmark {
namespace {

bool containsKey(const std::vector<ListedDevice>& devices, const std::string& key)
{
    return std::any_of(devices.begin(), devices.end(), [&](const ListedDevice& d) { return d.key == key; });
}

} // namespace

std::vector<DeviceListChange> applyDeviceScan(std::vector<ListedDevice>& listed,
                                              const std::vector<ListedDevice>& found)
{
    std::vector<DeviceListChange> changes;
    for (int index = static_cast<int>(listed.size()) - 1; index >= 0; --index) {
        const ListedDevice& device = listed[static_cast<std::size_t>(index)];
        if (device.permanent || containsKey(found, device.key))
            continue;
        changes.push_back({DeviceChange::Removed, index, device.name});
        listed.erase(listed.begin() + index);
    }
    for (const ListedDevice& device : found) {
        if (containsKey(listed, device.key))
            continue;
        listed.push_back(device);
        changes.push_back({DeviceChange::Added, static_cast<int>(listed.size()) - 1, device.name});
    }
    return changes;
}

std::vector<ListedDevice> initialDeviceList(const std::vector<ListedDevice>& found,
                                            const std::vector<ListedDevice>& permanent)
{
    std::vector<ListedDevice> listed = found;
    for (ListedDevice device : permanent) {
        device.permanent = true;
        listed.push_back(device);
    }
    return listed;
}

std::string soundInputName(std::string_view key, std::string_view description)
{
    if (key == "null")
        return "Silence (null device)";
    const std::string_view first = description.substr(0, description.find('\n'));
    if (first.empty())
        return std::string(key);
    return std::string(first) + " (" + std::string(key) + ")";
}

} // namespace leapmark
