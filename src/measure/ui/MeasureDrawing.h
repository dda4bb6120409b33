#pragma once

#include "measure/JumpRecording.h"

namespace leapmark {

class PictureSurface;

/** The measurement screen's picture surface as the picture a recording or a save writes. */
class SurfacePictureDrawing final : public PictureDrawing
{
public:
    explicit SurfacePictureDrawing(const PictureSurface& surface) : m_surface(surface) {}
    [[nodiscard]] Result<void> saveDrawing(const std::filesystem::path& file) override;

private:
    const PictureSurface& m_surface;
};

} // namespace leapmark
