#pragma once

#include <QPointF>
#include <QPointer>

namespace leapmark {

class PictureSurface;

/** A mouse event on the surface, its position in picture twips. */
struct PictureMouse
{
    QPointF twips;
    Qt::MouseButton button = Qt::NoButton; ///< the button that changed (none for a move)
    Qt::MouseButtons buttons;              ///< the buttons held
    Qt::KeyboardModifiers modifiers;
};

/**
 * What a click, a move or a key on a picture means: marking a buoy, the landing, a check point.
 * A screen sets one tool on its surface at a time (`PictureSurface::setTool`); the surface hands
 * the tool every mouse event in picture twips (from the view and from the magnifier alike) and the
 * keys pressed while it has the focus, before its own zoom keys. The middle button stays the
 * surface's own: it pans.
 *
 * The screen owns its tools; a tool destroyed while set takes itself off its surface.
 */
class PictureTool
{
public:
    PictureTool() = default;
    virtual ~PictureTool();
    PictureTool(const PictureTool&) = delete;
    PictureTool& operator=(const PictureTool&) = delete;

    /** The tool was set on a surface. */
    virtual void activate(PictureSurface& surface) { static_cast<void>(surface); }
    /** Another tool (or none) took the surface over. */
    virtual void deactivate(PictureSurface& surface) { static_cast<void>(surface); }

    virtual void mousePressed(const PictureMouse& mouse) { static_cast<void>(mouse); }
    virtual void mouseMoved(const PictureMouse& mouse) { static_cast<void>(mouse); }
    virtual void mouseReleased(const PictureMouse& mouse) { static_cast<void>(mouse); }
    /** A key pressed on the surface; true when the tool took it, so that the surface leaves it alone. */
    virtual bool keyPressed(int key, Qt::KeyboardModifiers modifiers)
    {
        static_cast<void>(key);
        static_cast<void>(modifiers);
        return false;
    }

private:
    friend class PictureSurface;
    QPointer<PictureSurface> m_surface; ///< the surface the tool is set on, if any
};

} // namespace leapmark
