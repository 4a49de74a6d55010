// BorderStyleWidth: the width in pixels that a border style takes on each
// side it is drawn on (values of Constants_BorderStyle).
#pragma once

constexpr int BorderStyleWidth(long style) noexcept
{
    switch (style) {
    case 0: case 2: case 3: case 4: case 5: case 8: case 9:
        return 1;
    case 6: case 7:
        return 2;
    default:
        return 0;
    }
}
