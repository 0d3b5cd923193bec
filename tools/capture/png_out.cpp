// PNG files of the frames: 8-bit RGB, the pbuffer's alpha dropped (the
// production's window shows no alpha either).
#include <png.h>

#include <cerrno>
#include <csetjmp>
#include <cstdio>

#include "tools/capture/capture.h"

int cap_write_png(const std::string& path, const uint8_t* rgba, int width, int height)
{
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (file == nullptr) return 0;
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png != nullptr ? png_create_info_struct(png) : nullptr;
    if (info == nullptr) {
        png_destroy_write_struct(&png, nullptr);
        std::fclose(file);
        errno = ENOMEM;
        return 0;
    }
    // libpng reports write errors by jumping back here.
    if (setjmp(png_jmpbuf(png))) {
        png_destroy_write_struct(&png, &info);
        std::fclose(file);
        std::remove(path.c_str());
        errno = EIO;
        return 0;
    }
    png_init_io(png, file);
    // Fast enough for thousands of frames, still a fair size.
    png_set_compression_level(png, 1);
    png_set_filter(png, PNG_FILTER_TYPE_BASE, PNG_FILTER_SUB);
    png_set_IHDR(png, info, png_uint_32(width), png_uint_32(height), 8, PNG_COLOR_TYPE_RGB,
                 PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    png_write_info(png, info);
    png_set_filler(png, 0, PNG_FILLER_AFTER);  // the rows carry a fourth byte to skip
    for (int y = 0; y < height; ++y)
        png_write_row(png, const_cast<png_bytep>(rgba + size_t(y) * size_t(width) * 4));
    png_write_end(png, nullptr);
    png_destroy_write_struct(&png, &info);
    if (std::fclose(file) != 0) {
        std::remove(path.c_str());
        return 0;
    }
    return 1;
}
