#pragma once

#include <QPoint>

#include <vector>

class QEvent;
class QObject;
class QWidget;

namespace leapmark {

/**
 * Moves a cluster of controls over a picture while the operator drags one of its handles (the
 * "drag-it" labels): a press takes hold, moves shift the whole cluster, a release lets go.
 */
class LabelDrag
{
public:
    /** Handles a mouse event of a handle whose cluster is given; false for any other event. */
    bool handle(QObject* handle, QEvent* event, const std::vector<QWidget*>& cluster);

private:
    QObject* m_dragging = nullptr;
    QPoint m_grabPoint;
};

} // namespace leapmark
