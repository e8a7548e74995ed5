#pragma once

// What screen readers are told of the strip's own controls, which Qt knows nothing about: the
// box strip is a list whose items are its boxes, the current one selected; the spin box is a
// spin box with a value. Once for the program, before its window shows.
void installControlsAccessibility();
