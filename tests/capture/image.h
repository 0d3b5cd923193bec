// PNG pictures for the frame tests: reading, writing, halving, and the
// comparison with a tolerance for small rasteriser differences.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

struct Picture {
    int width = 0, height = 0;
    std::vector<uint8_t> rgb;  // top row first, 3 bytes a pixel
};

bool read_png(const std::string& path, Picture* picture);
bool write_png(const std::string& path, const Picture& picture);

// Each 2 x 2 block averaged into one pixel (odd edges dropped).
Picture halve(const Picture& picture);

struct Difference {
    double share_off = 1.0;  // share of pixels with a channel more than `levels` off
    double mean = 255.0;     // mean absolute difference over all channels
    Picture image;           // |a - b| per channel, scaled up 4 times to be seen
};
// a and b must have one size (otherwise everything counts as off).
Difference compare(const Picture& a, const Picture& b, int levels);
