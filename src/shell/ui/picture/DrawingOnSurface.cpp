#include "shell/ui/picture/DrawingOnSurface.h"

#include "shell/ui/picture/PictureSurface.h"

namespace leapmark {

void drawOnSurface(PictureSurface& surface, const Drawing& drawing)
{
    for (const DrawingCommand& command : drawing) {
        SurfaceStroke stroke;
        switch (command.shape) {
        case DrawingCommand::Shape::Line:
            stroke.shape = SurfaceStroke::Shape::Line;
            break;
        case DrawingCommand::Shape::Circle:
            stroke.shape = SurfaceStroke::Shape::Circle;
            break;
        case DrawingCommand::Shape::Point:
            stroke.shape = SurfaceStroke::Shape::Point;
            break;
        }
        stroke.from = qpoint(command.from);
        stroke.to = qpoint(command.to);
        stroke.radiusTwips = command.radiusTwips;
        stroke.colour = qcolour(command.colour);
        stroke.widthPixels = command.widthPixels;
        surface.draw(stroke);
    }
}

} // namespace leapmark
