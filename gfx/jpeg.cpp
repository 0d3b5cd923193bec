// JPEG decoding through libjpeg (version-62 interface) to 8-bit RGB rows.
//
// The library's standard error manager ends the process on a fatal error,
// which would leave SDL's full-screen window and audio device open; here its
// error_exit jumps back into gfx_load_jpeg instead, which fails with the
// library's own message. A warning (corrupt data, a truncated file, which
// the library would pad with gray) fails the load too, with its message:
// a damaged picture is reported at start-up rather than shown half gray.
// Nothing is printed: the production writes nothing on stderr but its one
// start-up line.
#include "gfx/gfx.h"
#include "gfx/error.h"

#include <csetjmp>
#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include <jpeglib.h>

namespace {

char error_text[320] = "";

struct JumpingErrorManager {
    jpeg_error_mgr library;  // first, so the library's pointer is also ours
    jmp_buf back;
    char message[JMSG_LENGTH_MAX];
    bool warned;  // message holds the first warning
};

void jump_back(j_common_ptr decoder) {
    auto* manager = reinterpret_cast<JumpingErrorManager*>(decoder->err);
    manager->library.format_message(decoder, manager->message);
    longjmp(manager->back, 1);
}

void keep_quiet(j_common_ptr) {}

// Levels 0 and above are trace messages; -1 is a warning about the data.
void note_warning(j_common_ptr decoder, int level) {
    auto* manager = reinterpret_cast<JumpingErrorManager*>(decoder->err);
    if (level < 0 && !manager->warned) {
        manager->library.format_message(decoder, manager->message);
        manager->warned = true;
    }
}

}  // namespace

void gfx_set_error(const char* format, ...) {
    va_list arguments;
    va_start(arguments, format);
    std::vsnprintf(error_text, sizeof error_text, format, arguments);
    va_end(arguments);
}

const char* gfx_error() { return error_text; }

uint8_t* gfx_load_jpeg(const char* path, int* width, int* height) {
    if (!path) {
        gfx_set_error("no JPEG file name given");
        return nullptr;
    }
    FILE* file = std::fopen(path, "rb");
    if (!file) {
        gfx_set_error("cannot open %s", path);
        return nullptr;
    }

    jpeg_decompress_struct decoder;
    JumpingErrorManager errors;
    decoder.err = jpeg_std_error(&errors.library);
    errors.library.error_exit = jump_back;
    errors.library.output_message = keep_quiet;
    errors.library.emit_message = note_warning;
    errors.message[0] = '\0';
    errors.warned = false;
    // Written after setjmp and read after the jump: volatile keeps it in memory.
    uint8_t* volatile pixels = nullptr;

    if (setjmp(errors.back)) {
        std::free(pixels);
        jpeg_destroy_decompress(&decoder);
        std::fclose(file);
        gfx_set_error("%s: %s", path, errors.message);
        return nullptr;
    }

    jpeg_create_decompress(&decoder);
    jpeg_stdio_src(&decoder, file);
    jpeg_read_header(&decoder, TRUE);

    const int w = int(decoder.image_width);
    const int h = int(decoder.image_height);
    *width = w;
    *height = h;

    if (decoder.jpeg_color_space == JCS_CMYK || decoder.jpeg_color_space == JCS_YCCK) {
        jpeg_destroy_decompress(&decoder);
        std::fclose(file);
        gfx_set_error("%s: CMYK JPEG, not an RGB or grayscale picture", path);
        return nullptr;
    }
    // Grayscale is expanded by the library, so every picture has 3 bytes a pixel.
    decoder.out_color_space = JCS_RGB;
    const size_t row_bytes = size_t(w) * 3;

    JSAMPARRAY row = (*decoder.mem->alloc_sarray)(reinterpret_cast<j_common_ptr>(&decoder),
                                                  JPOOL_IMAGE, JDIMENSION(row_bytes), 1);
    pixels = static_cast<uint8_t*>(std::malloc((size_t(h) + 1) * row_bytes));
    if (!pixels) {
        jpeg_destroy_decompress(&decoder);
        std::fclose(file);
        gfx_set_error("%s: out of memory for %dx%d pixels", path, w, h);
        return nullptr;
    }

    jpeg_start_decompress(&decoder);
    if (decoder.output_components != 3) {
        std::free(pixels);
        jpeg_destroy_decompress(&decoder);
        std::fclose(file);
        gfx_set_error("%s: %d colour components, not an RGB picture", path,
                      decoder.output_components);
        return nullptr;
    }
    // Stop at the first warning: a header that claims a huge picture over a
    // few bytes of data would otherwise be padded row by row for minutes.
    while (decoder.output_scanline < decoder.output_height && !errors.warned) {
        jpeg_read_scanlines(&decoder, row, 1);
        std::memcpy(pixels + size_t(decoder.output_scanline - 1) * row_bytes, row[0], row_bytes);
    }
    if (!errors.warned) jpeg_finish_decompress(&decoder);  // it insists on every row
    jpeg_destroy_decompress(&decoder);
    std::fclose(file);
    if (errors.warned) {
        std::free(pixels);
        gfx_set_error("%s: %s", path, errors.message);
        return nullptr;
    }
    return pixels;
}
