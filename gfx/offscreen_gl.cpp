// Headless GL: EGL on Mesa's surfaceless platform needs neither a display
// server nor a GPU, and its pbuffers carry a depth buffer like the window's.
#include "gfx/offscreen_gl.h"

#include <EGL/egl.h>
#include <EGL/eglext.h>
#include <GL/gl.h>

#include <cstdio>
#include <cstring>
#include <vector>

namespace {

EGLDisplay display = EGL_NO_DISPLAY;
EGLSurface surface = EGL_NO_SURFACE;
EGLContext context = EGL_NO_CONTEXT;
int surface_width = 0;
int surface_height = 0;
char error_text[200] = "";

int fail(const char* what) {
    std::snprintf(error_text, sizeof error_text, "offscreen GL: %s (EGL error 0x%04x)", what,
                  (unsigned)eglGetError());
    gfx_offscreen_close();
    return 0;
}

EGLDisplay surfaceless_display() {
    auto get_platform_display = reinterpret_cast<PFNEGLGETPLATFORMDISPLAYEXTPROC>(
        eglGetProcAddress("eglGetPlatformDisplayEXT"));
    if (!get_platform_display) return EGL_NO_DISPLAY;
    return get_platform_display(EGL_PLATFORM_SURFACELESS_MESA, EGL_DEFAULT_DISPLAY, nullptr);
}

}  // namespace

int gfx_offscreen_open(int width, int height) {
    gfx_offscreen_close();
    error_text[0] = '\0';
    if (width < 1 || height < 1) {
        std::snprintf(error_text, sizeof error_text, "offscreen GL: bad size %dx%d", width, height);
        return 0;
    }
    display = surfaceless_display();
    if (display == EGL_NO_DISPLAY) return fail("no surfaceless EGL display");
    EGLint major = 0, minor = 0;
    if (!eglInitialize(display, &major, &minor)) return fail("eglInitialize failed");

    const EGLint config_attributes[] = {
        EGL_SURFACE_TYPE, EGL_PBUFFER_BIT,
        EGL_RENDERABLE_TYPE, EGL_OPENGL_BIT,
        EGL_RED_SIZE, 8, EGL_GREEN_SIZE, 8, EGL_BLUE_SIZE, 8, EGL_ALPHA_SIZE, 8,
        EGL_DEPTH_SIZE, 24,
        EGL_NONE,
    };
    EGLConfig config = nullptr;
    EGLint configs = 0;
    if (!eglChooseConfig(display, config_attributes, &config, 1, &configs) || configs < 1)
        return fail("no RGBA8 + depth 24 pbuffer config");

    const EGLint surface_attributes[] = {EGL_WIDTH, width, EGL_HEIGHT, height, EGL_NONE};
    surface = eglCreatePbufferSurface(display, config, surface_attributes);
    if (surface == EGL_NO_SURFACE) return fail("cannot create the pbuffer");

    if (!eglBindAPI(EGL_OPENGL_API)) return fail("no desktop OpenGL API");
    // No attributes: a legacy context, which Mesa gives as the compatibility
    // profile with the fixed-function pipeline.
    context = eglCreateContext(display, config, EGL_NO_CONTEXT, nullptr);
    if (context == EGL_NO_CONTEXT) return fail("cannot create the context");
    if (!eglMakeCurrent(display, surface, surface, context)) return fail("eglMakeCurrent failed");

    surface_width = width;
    surface_height = height;
    glViewport(0, 0, width, height);
    return 1;
}

const char* gfx_offscreen_error() { return error_text; }
int gfx_offscreen_width() { return surface_width; }
int gfx_offscreen_height() { return surface_height; }

void gfx_offscreen_read_rgba(uint8_t* rgba) {
    if (!surface_width) return;
    GLint pack_alignment = 4, row_length = 0;
    glGetIntegerv(GL_PACK_ALIGNMENT, &pack_alignment);
    glGetIntegerv(GL_PACK_ROW_LENGTH, &row_length);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glPixelStorei(GL_PACK_ROW_LENGTH, 0);
    glFinish();
    glReadPixels(0, 0, surface_width, surface_height, GL_RGBA, GL_UNSIGNED_BYTE, rgba);
    glPixelStorei(GL_PACK_ALIGNMENT, pack_alignment);
    glPixelStorei(GL_PACK_ROW_LENGTH, row_length);

    // GL reads bottom row first; the callers want pictures top row first.
    const size_t row_bytes = size_t(surface_width) * 4;
    std::vector<uint8_t> swap(row_bytes);
    for (int top = 0, bottom = surface_height - 1; top < bottom; ++top, --bottom) {
        uint8_t* a = rgba + size_t(top) * row_bytes;
        uint8_t* b = rgba + size_t(bottom) * row_bytes;
        std::memcpy(swap.data(), a, row_bytes);
        std::memcpy(a, b, row_bytes);
        std::memcpy(b, swap.data(), row_bytes);
    }
}

void gfx_offscreen_close() {
    if (display != EGL_NO_DISPLAY) {
        eglMakeCurrent(display, EGL_NO_SURFACE, EGL_NO_SURFACE, EGL_NO_CONTEXT);
        if (context != EGL_NO_CONTEXT) eglDestroyContext(display, context);
        if (surface != EGL_NO_SURFACE) eglDestroySurface(display, surface);
        eglTerminate(display);
    }
    display = EGL_NO_DISPLAY;
    surface = EGL_NO_SURFACE;
    context = EGL_NO_CONTEXT;
    surface_width = surface_height = 0;
}
