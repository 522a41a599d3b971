#pragma once

// The width of a progress bar in a track `trackWidth` points wide for a value of 0 to 100.
// The product is taken in double precision and held as a 32-bit float; a bar within one point
// of the end fills the track, and so does anything above 100. Values below 0 (and a value that
// is not a number) give an empty bar rather than a negative width.
float progressBarWidth(float trackWidth, float value);
