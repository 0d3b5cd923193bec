// The graphics layer's load-failure text, shared by its loaders.
#pragma once

// Replaces the text returned by gfx_error() (printf-style, one line).
void gfx_set_error(const char* format, ...) __attribute__((format(printf, 1, 2)));
