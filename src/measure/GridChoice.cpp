#include "measure/GridChoice.h"

namespace leapmark {

std::string gridButtonCaption(int g)
{
    return "&Grid " + std::to_string(g);
}

GridChoice nextGridChoice(std::string_view caption, int grids_in_use)
{
    int next = 1;
    if (caption == "&Grid 1")
        next = 2;
    else if (caption == "&Grid 2")
        next = 3;
    if (next > grids_in_use)
        next = 1;
    return {gridButtonCaption(next), next};
}

} // namespace leapmark
