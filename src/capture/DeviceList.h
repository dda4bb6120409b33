#pragma once

#include "capture/CaptureControl.h"

#include <string>
#include <string_view>
#include <vector>

namespace leapmark {

/** A device as the capture control lists it. */
struct ListedDevice
{
    /** What tells devices apart across scans: the device node for a camera. */
    std::string key;
    std::string name;
    /** Listed whatever a scan finds (the simulated camera). */
    bool permanent = false;

    friend bool operator==(const ListedDevice&, const ListedDevice&) = default;
};

/** One entry added to or removed from the list, at its position at that moment. */
struct DeviceListChange
{
    DeviceChange change = DeviceChange::Added;
    int index = 0;
    std::string name;

    friend bool operator==(const DeviceListChange&, const DeviceListChange&) = default;
};

/**
 * Brings a device list up to date with a fresh scan. Entries the scan no longer finds are removed,
 * the last first, so that each reported index is right at the moment it is removed; devices found
 * anew are appended, so the positions of those still there never move forward past others.
 */
[[nodiscard]] std::vector<DeviceListChange> applyDeviceScan(std::vector<ListedDevice>& listed,
                                                            const std::vector<ListedDevice>& found);

/** The first listing: the devices found, then the permanent ones (the simulated camera last, or alone). */
[[nodiscard]] std::vector<ListedDevice> initialDeviceList(const std::vector<ListedDevice>& found,
                                                          const std::vector<ListedDevice>& permanent);

/**
 * How a sound input is listed: the first line of its description, then its device name in
 * brackets; without a description, the device name alone. ALSA's "null" device, which records
 * silence, says so: "Silence (null device)", not a name that reads like a missing one.
 */
[[nodiscard]] std::string soundInputName(std::string_view key, std::string_view description);

} // namespace leapmark
