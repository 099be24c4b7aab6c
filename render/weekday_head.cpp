#include "render/weekday_head.h"

void HeadColumns(int windowWidth, const int ratios[7], int ratioSum, HeadColumn out[7]) {
    int left = 0;
    for (int i = 0; i < 7; ++i) {
        int width = ratioSum > 0 ? windowWidth * ratios[i] / ratioSum : windowWidth / 7;
        out[i] = {left, i == 6 ? windowWidth : left + width + 1};
        left += width;
    }
}
