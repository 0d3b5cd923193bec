#include "tests/capture/image.h"

#include <png.h>

#include <cstdio>
#include <cstdlib>

bool read_png(const std::string& path, Picture* picture)
{
    png_image image = {};
    image.version = PNG_IMAGE_VERSION;
    if (!png_image_begin_read_from_file(&image, path.c_str())) return false;
    image.format = PNG_FORMAT_RGB;
    picture->width = int(image.width);
    picture->height = int(image.height);
    picture->rgb.assign(PNG_IMAGE_SIZE(image), 0);
    const bool ok = png_image_finish_read(&image, nullptr, picture->rgb.data(), 0, nullptr) != 0;
    png_image_free(&image);
    return ok;
}

bool write_png(const std::string& path, const Picture& picture)
{
    png_image image = {};
    image.version = PNG_IMAGE_VERSION;
    image.width = png_uint_32(picture.width);
    image.height = png_uint_32(picture.height);
    image.format = PNG_FORMAT_RGB;
    return png_image_write_to_file(&image, path.c_str(), 0, picture.rgb.data(), 0, nullptr) != 0;
}

Picture halve(const Picture& p)
{
    Picture h;
    h.width = p.width / 2;
    h.height = p.height / 2;
    h.rgb.resize(size_t(h.width) * h.height * 3);
    for (int y = 0; y < h.height; ++y)
        for (int x = 0; x < h.width; ++x)
            for (int c = 0; c < 3; ++c) {
                auto at = [&](int dx, int dy) {
                    return int(p.rgb[(size_t(2 * y + dy) * p.width + 2 * x + dx) * 3 + c]);
                };
                h.rgb[(size_t(y) * h.width + x) * 3 + c] =
                    uint8_t((at(0, 0) + at(1, 0) + at(0, 1) + at(1, 1) + 2) / 4);
            }
    return h;
}

Difference compare(const Picture& a, const Picture& b, int levels)
{
    Difference d;
    if (a.width != b.width || a.height != b.height || a.rgb.size() != b.rgb.size()) return d;
    d.image = a;
    const size_t pixels = size_t(a.width) * a.height;
    size_t off = 0;
    double total = 0.0;
    for (size_t i = 0; i < pixels; ++i) {
        bool pixel_off = false;
        for (int c = 0; c < 3; ++c) {
            const int diff = std::abs(int(a.rgb[3 * i + c]) - int(b.rgb[3 * i + c]));
            total += diff;
            pixel_off |= diff > levels;
            d.image.rgb[3 * i + c] = uint8_t(diff * 4 > 255 ? 255 : diff * 4);
        }
        off += pixel_off ? 1 : 0;
    }
    d.share_off = pixels ? double(off) / double(pixels) : 0.0;
    d.mean = pixels ? total / double(pixels * 3) : 0.0;
    return d;
}
