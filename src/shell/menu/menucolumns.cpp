#include "shell/menu/menucolumns.h"

#include <cmath>

namespace shell {

namespace {

// Nearest whole number, halves to even (the default rounding mode).
long long roundedHalfEven(double value)
{
    return std::llrint(value);
}

} // namespace

MenuColumns arrangeMenuColumns(const MenuColumnsInput &input)
{
    if (!input.enabled || input.itemHeight <= 0 || input.screenWidth <= 0 ||
        input.screenHeight <= 0)
        return {};
    const long long count = input.itemCount;
    const long long maxRows = input.screenHeight / input.itemHeight - 1;
    if (count <= maxRows)
        return {};
    const long long width = (long long)input.widestCaption + menuItemWidthMargin;
    const long long area = count * width * input.itemHeight;
    if (width <= 0 || area > (long long)input.screenWidth * input.screenHeight)
        return {};
    const double side = std::sqrt(double(area) * input.screenHeight / input.screenWidth);
    const long long rows0 = roundedHalfEven(side) / input.itemHeight - 1;
    if (rows0 < 1)
        return {};
    const long long columns = count / rows0 + 1;
    // At least 1: the unfilled places (rows0 * columns - count) never reach rows0 * columns.
    const long long rows = rows0 - (rows0 * columns - count) / columns;
    // The area test lets a few wide columns through: none may start beyond the screen's edge.
    const long long usedColumns = (count + rows - 1) / rows;
    if (usedColumns * width > input.screenWidth)
        return {};
    return {true, int(rows)};
}

} // namespace shell
