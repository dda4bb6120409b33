#include "review/SampledPicture.h"

#include <algorithm>

namespace leapmark {

void SampledPicture::resize(int blockColumns, int blockRows)
{
    columns = std::max(0, blockColumns);
    rows = std::max(0, blockRows);
    const auto count = static_cast<std::size_t>(columns) * static_cast<std::size_t>(rows);
    luma.assign(count, 0);
    blueDifference.assign(count, 0);
    redDifference.assign(count, 0);
}

int sampleBlockPixels(int pictureWidth)
{
    if (pictureWidth < 480)
        return 1;
    int side = 2;
    while (pictureWidth / side > maximumSampleColumns)
        side *= 2;
    return side;
}

void samplePicture(const VideoFrame& frame, SampledPicture& sampled)
{
    const int side = sampleBlockPixels(frame.width);
    sampled.resize(frame.width / side, frame.height / side);
    const int area = side * side;
    for (int row = 0; row < sampled.rows; ++row) {
        for (int column = 0; column < sampled.columns; ++column) {
            int y = 0;
            int cb = 0;
            int cr = 0;
            for (int dy = 0; dy < side; ++dy) {
                const std::uint8_t* pixel = frame.row(row * side + dy) + 3 * column * side;
                for (int dx = 0; dx < side; ++dx, pixel += 3) {
                    const int b = pixel[0];
                    const int g = pixel[1];
                    const int r = pixel[2];
                    // BT.601 in thousandths, full range.
                    y += 299 * r + 587 * g + 114 * b;
                    cb += -169 * r - 331 * g + 500 * b;
                    cr += 500 * r - 419 * g - 81 * b;
                }
            }
            const std::size_t at = static_cast<std::size_t>(row) * sampled.columns + column;
            sampled.luma[at] = static_cast<std::uint8_t>(std::clamp(y / (1000 * area), 0, 255));
            sampled.blueDifference[at] = static_cast<std::int8_t>(std::clamp(cb / (1000 * area), -127, 127));
            sampled.redDifference[at] = static_cast<std::int8_t>(std::clamp(cr / (1000 * area), -127, 127));
        }
    }
}

} // namespace leapmark
