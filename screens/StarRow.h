// The row of three stars a level earns, drawn wherever stars are shown (the
// level selection's tiles, the end panel): the earned ones amber, the rest
// dim outlines.
#pragma once

// Three stars of `size` pixels, `gap` apart, centred on (cx, cy); the first
// `stars` of them earned.
void DrawStarRow(int stars, float cx, float cy, int size, int gap);
