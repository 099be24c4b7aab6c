// Controls of a resizable dialog that keep their distance to the right or bottom edge.
#pragma once

struct Anchor {
    int id;
    int move;     // 1: keep the distance to the right edge, 2: to the bottom edge
    int stretch;  // 1: the right side follows the right edge, 2: the bottom side the bottom edge
};

struct Box {
    int left, top, right, bottom;
};

// Where a control laid out at `at` in a client area of (width0, height0) goes when the client
// area becomes (width, height).
Box AnchoredBox(const Box& at, const Anchor& anchor, int width0, int height0, int width, int height);
