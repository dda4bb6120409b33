#pragma once

namespace leapmark {

/** floor(v x 10^places + 0.5) / 10^places: halves go up, negatives included (-1.2345 gives -1.234). */
[[nodiscard]] double roundToPlaces(double value, int places);

/** Nearest whole number, halves to the even one (2.5 gives 2, 29.97 gives 30). */
[[nodiscard]] double roundHalfEven(double value);

} // namespace leapmark
