#pragma once

#include "shell/ui/NamedControl.h"

#include <QComboBox>
#include <QString>

#include <string>
#include <vector>

// What the capture panel's files share: its fixed captions and how it fills and selects its lists.
namespace leapmark::capture_panel {

inline const QString kNoCaptureDevices = QStringLiteral("No Capture Devices");
inline const QString kConnect = QStringLiteral("Connect");
inline const QString kDisconnect = QStringLiteral("Disconnect");
inline const QString kPreviewOn = QStringLiteral("Preview On");
inline const QString kPreviewOff = QStringLiteral("Preview Off");
inline const QString kNone = QStringLiteral("None");
inline const QString kCaptureStream = QStringLiteral("Capture Stream");
inline const QString kEndCapture = QStringLiteral("End Capture");

/** The most the stream options take: a rate the device can be asked for, a limit of a day. */
inline constexpr int kMostFramesPerSecond = 1000;
inline constexpr int kMostTimeLimitSeconds = 86400;

/** Capture type list positions. */
inline constexpr int kFrames = 0;
inline constexpr int kStreams = 1;

inline void fillList(QComboBox* list, const std::vector<std::string>& names, bool withNone)
{
    list->clear();
    if (withNone)
        list->addItem(kNone);
    for (const std::string& name : names)
        list->addItem(qs(name));
}

/** Selects a position; one outside the list selects the first entry instead. */
inline void selectOrFirst(QComboBox* list, int position)
{
    if (list->count() == 0)
        return;
    list->setCurrentIndex(position >= 0 && position < list->count() ? position : 0);
}

inline bool inRange(int position, const QComboBox* list)
{
    return position >= 0 && position < list->count();
}

} // namespace leapmark::capture_panel
