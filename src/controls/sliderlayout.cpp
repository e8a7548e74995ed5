#include "controls/sliderlayout.h"

#include <algorithm>

int divideRoundHalfEven(int n, int d)
{
    int quotient = n / d;
    const int twiceRemainder = 2 * (n % d);
    if (twiceRemainder > d || (twiceRemainder == d && quotient % 2 != 0))
        ++quotient;
    return quotient;
}

SliderLayout layoutSliderBoxes(int innerWidth, int count, int gap, bool autoSize)
{
    const int n = std::max(count, 1);
    const int gapPixels = (n - 1) * gap;
    const int freePixels = std::max(innerWidth - gapPixels, 0);

    SliderLayout layout;
    layout.boxWidth = freePixels / n;
    layout.usedWidth = gapPixels + n * layout.boxWidth;

    // The leftover is below n when the boxes fit; when they do not (gaps wider than the strip)
    // there is nothing to spread.
    const int leftover = autoSize ? 0 : innerWidth - layout.usedWidth;
    const int spacing = leftover > 0 ? divideRoundHalfEven(n, leftover) : 0;
    int spread = 0;
    int x = 0;
    layout.lefts.reserve(n);
    for (int i = 0; i < n; ++i) {
        layout.lefts.push_back(x);
        x += layout.boxWidth + gap;
        if (spread < leftover && i % spacing == 0) {
            ++x;
            ++spread;
        }
    }
    return layout;
}
