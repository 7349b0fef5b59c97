#pragma once
// The one pseudo-random generator of the process. It starts from a fixed seed, so a run
// is repeatable until something calls Randomize().

// A uniform integer in 0 .. n - 1 (0 when n <= 0).
int Random(int n);
// Reseeds from the clock.
void Randomize();
// Back to the start-up seed (tests).
void ResetRandom();
// Tests: while a seed is pinned, Randomize() reseeds with it instead of the clock, so
// code that reseeds before every draw (the puzzle's shuffle) becomes repeatable.
void PinRandomizeSeed(unsigned seed);
void UnpinRandomizeSeed();
