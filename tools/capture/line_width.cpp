// Line widths that grow with the picture. The drawing code gives its
// outline widths in pixels of the production's 640 x 480 window; at
// 1440 x 1080 the same numbers would draw hairlines. This program's own
// glLineWidth stands in front of the GL library's (the executable's
// definition is the one the drawing code links to) and hands the scaled
// width on to the library's, found behind it.
#include <dlfcn.h>

#include <GL/gl.h>

#include "tools/capture/capture.h"

namespace {

float line_scale = 1.0f;

using LineWidthFn = void (*)(GLfloat);

LineWidthFn library_line_width()
{
    static LineWidthFn found = reinterpret_cast<LineWidthFn>(dlsym(RTLD_NEXT, "glLineWidth"));
    return found;
}

}  // namespace

void cap_set_line_scale(float scale)
{
    line_scale = scale;
}

extern "C" void glLineWidth(GLfloat width)
{
    if (LineWidthFn real = library_line_width()) real(width * line_scale);
}
