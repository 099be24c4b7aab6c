// Columns of the weekday head: the cells' ratios over the window width.
#pragma once

struct HeadColumn {
    int left, right;
};

// Column i spans window width x ratio i / ratio sum; each reaches one pixel into the next, the
// last to the window's edge.
void HeadColumns(int windowWidth, const int ratios[7], int ratioSum, HeadColumn out[7]);
