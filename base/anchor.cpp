#include "base/anchor.h"

Box AnchoredBox(const Box& at, const Anchor& anchor, int width0, int height0, int width, int height) {
    int dx = width - width0, dy = height - height0;
    Box b = at;
    if (anchor.move & 1) b.left += dx, b.right += dx;
    if (anchor.move & 2) b.top += dy, b.bottom += dy;
    if (anchor.stretch & 1) b.right = at.right + dx;
    if (anchor.stretch & 2) b.bottom = at.bottom + dy;
    return b;
}
