#include "grid/BuoyMarking.h"

#include <cassert>

namespace leapmark {
namespace {

struct NamedCorner
{
    double& x;
    double& y;
};

NamedCorner namedCorner(GridState& state, int cornerNumber)
{
    switch (cornerNumber) {
    case corner::upperRight:
        return {state.ur_screen_x, state.ur_screen_y};
    case corner::lowerRight:
        return {state.lr_screen_x, state.lr_screen_y};
    case corner::upperLeft:
        return {state.ul_screen_x, state.ul_screen_y};
    default:
        return {state.ll_screen_x, state.ll_screen_y};
    }
}

} // namespace

PlanePoint namedCornerPosition(const GridState& state, int cornerNumber)
{
    switch (cornerNumber) {
    case corner::upperRight:
        return {state.ur_screen_x, state.ur_screen_y};
    case corner::lowerRight:
        return {state.lr_screen_x, state.lr_screen_y};
    case corner::upperLeft:
        return {state.ul_screen_x, state.ul_screen_y};
    case corner::lowerLeft:
        return {state.ll_screen_x, state.ll_screen_y};
    default:
        assert(false && "corner numbers run from 1 to 4");
        return {};
    }
}

std::vector<BuoyMove> buoyMovesForClick(const GridState& state, std::optional<int> selected, PlanePoint click,
                                        bool locked)
{
    if (!selected)
        return {};
    const PlanePoint anchor = namedCornerPosition(state, *selected);
    const PlanePoint offset{click.x - anchor.x, click.y - anchor.y};
    std::vector<BuoyMove> moves;
    for (const int c : kMarkingOrder) {
        if (c != *selected && !locked)
            continue;
        const PlanePoint from = namedCornerPosition(state, c);
        moves.push_back({c, from, c == *selected ? click : PlanePoint{from.x + offset.x, from.y + offset.y}});
    }
    return moves;
}

std::vector<BuoyMove> buoyMovesForShift(const GridState& state, std::optional<int> selected, PlanePoint shift,
                                        bool locked)
{
    std::vector<BuoyMove> moves;
    for (const int c : kMarkingOrder) {
        if (!locked && selected != c)
            continue;
        const PlanePoint from = namedCornerPosition(state, c);
        moves.push_back({c, from, {from.x + shift.x, from.y + shift.y}});
    }
    return moves;
}

void applyBuoyMove(GridState& state, const BuoyMove& move)
{
    assert(move.cornerNumber >= 1 && move.cornerNumber <= 4);
    if (move.cornerNumber < 1 || move.cornerNumber > 4)
        return;
    const auto c = static_cast<std::size_t>(move.cornerNumber);
    state.buoy_screen_x[c] = move.to.x;
    state.buoy_screen_y[c] = move.to.y;
    const NamedCorner named = namedCorner(state, move.cornerNumber);
    named.x = move.to.x;
    named.y = move.to.y;
}

Drawing buoyMoveDrawing(const BuoyMove& move, const MarkerSizes& sizes, Rgb background)
{
    Drawing drawing{circleCommand(move.from, sizes.paintOverRadius, background)};
    appendCross(drawing, move.from, sizes.paintOverHalfLength, background);
    appendCross(drawing, move.to, sizes.crossHalfLength, kWhiteRgb);
    return drawing;
}

} // namespace leapmark
