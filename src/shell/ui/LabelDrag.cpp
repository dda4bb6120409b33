#include "shell/ui/LabelDrag.h"

#include <QMouseEvent>
#include <QWidget>

namespace leapmark {

bool LabelDrag::handle(QObject* handle, QEvent* event, const std::vector<QWidget*>& cluster)
{
    if (cluster.empty())
        return false;
    switch (event->type()) {
    case QEvent::MouseButtonPress:
        m_dragging = handle;
        m_grabPoint = static_cast<QMouseEvent*>(event)->position().toPoint();
        return true;
    case QEvent::MouseMove:
        if (m_dragging == handle) {
            const QPoint moved = static_cast<QMouseEvent*>(event)->position().toPoint() - m_grabPoint;
            for (QWidget* control : cluster)
                control->move(control->pos() + moved);
        }
        return true;
    case QEvent::MouseButtonRelease:
        m_dragging = nullptr;
        return true;
    default:
        return false;
    }
}

} // namespace leapmark
