#include "measure/ui/MeasureDrawing.h"

#include "shell/ui/picture/PictureSurface.h"

namespace leapmark {

Result<void> SurfacePictureDrawing::saveDrawing(const std::filesystem::path& file)
{
    return m_surface.saveImage(file);
}

} // namespace leapmark
