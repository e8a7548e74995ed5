#pragma once

#include <vector>

// Where the boxes of a strip go, in pixels from the left of the inner area.
struct SliderLayout {
    int boxWidth = 0;
    // Width of the boxes and gaps before any leftover pixel is spread.
    int usedWidth = 0;
    std::vector<int> lefts;
};

// Lays count equal boxes (at least one) with gap pixels between them into innerWidth pixels.
// Without autoSize the pixels left over are spread one at a time after the boxes i with
// i % k == 0, k = count / leftover rounded half to even, and never more than are left over;
// with autoSize none are spread (the strip shrinks to usedWidth instead).
SliderLayout layoutSliderBoxes(int innerWidth, int count, int gap, bool autoSize);

// n / d rounded to the nearest integer, halves to even; n >= 0, d > 0.
int divideRoundHalfEven(int n, int d);
