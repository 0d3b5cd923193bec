// The graphics layer: picture and font textures, text drawing and the scene
// effects. OpenGL 1.1 immediate mode, main thread only, inside the frame,
// under the frame loop's projection (glFrustum(-1.33, 1.33, -1, 1, 3, 1000))
// and base model-view matrix (glTranslatef(0, 0, -3)). Each drawing function
// sets the state it needs and restores only part of it; what it leaves
// behind is listed with it.
#pragma once

#include <cstdint>

// --- textures ---------------------------------------------------------------
// Decodes a JPEG file to 8-bit RGB rows, top row first, in a malloc'ed buffer
// of (height + 1) x width x 3 bytes (caller frees; the last row is spare and
// never written). Grayscale files are expanded to RGB; CMYK/YCCK files are
// refused. Null, with the reason in gfx_error(), when the file cannot be
// opened or decoded or the library warns about its data (truncated,
// corrupt); width and height are written once the header is read.
// Never ends the process, and prints nothing.
uint8_t* gfx_load_jpeg(const char* path, int* width, int* height);

// The twelve picture textures (index i from gfx_picture_files[i]) and the
// font texture (data/fontsor2smuut.jpg as RGBA, alpha by gfx_font_alpha).
// Need a current GL context; call once each, pictures first. Each returns 1,
// or 0 with a one-line text in gfx_error() naming the file that is missing
// or unusable (cannot be opened or decoded, CMYK, sides not powers of two,
// larger than GL_MAX_TEXTURE_SIZE); the pictures stop at the first such file.
// Textures are made once and never deleted. Paths are relative to the
// working directory.
int gfx_load_pictures();
int gfx_load_font();

// The last load failure as one line without a newline ("" when none).
const char* gfx_error();

// Font alpha of a pixel from s = R + G + B (0..765): s^3 / 24300 truncated
// for s <= 180, 240 above, so black is transparent and the brightest glyph
// parts stay slightly translucent.
uint8_t gfx_font_alpha(int rgb_sum);

extern const char* const gfx_picture_files[12];
extern uint32_t gfx_picture_textures[12];
extern uint32_t gfx_font_texture;

// --- text -------------------------------------------------------------------
// Draws a line of lower-case letters, digits and spaces in the plane z = 0,
// centred on the current origin, letters 1 x 1 and 0.4 apart, each rocking
// by 5 * sin(2t + 10i) degrees (t in seconds). Leaves blending, depth test
// and texturing off (font bound), colour white, model-view mode selected,
// matrix as before. An empty or all-space text changes only the matrix mode.
void gfx_draw_text(const char* text, float t);
// One letter as a unit quad centred on the current origin (a space draws
// nothing and touches no state).
void gfx_draw_glyph(char c);

// --- scene effects ----------------------------------------------------------
// Picture (0..11) as a waving 4.5 x 3.5 sheet at z = -1 that covers the view,
// upright; a phase in seconds, b the swirl amplitude (0 in the production).
// Tested against depth but writes none. Leaves culling, depth test and
// texturing off, depth writes on, colour white, matrix restored. An index
// outside 0..11 draws nothing and changes nothing.
void gfx_wavy_picture(float a, int picture, float b);
// Black ring from radius r (negative or NaN taken as 0) to r + 5 around the
// current origin, in the current matrix mode; enables nothing. Leaves the
// colour white and the matrix restored.
void gfx_iris_mask(float r);

// 128 outlined triangles tumbling at z = -2, brightness k. Leaves culling,
// depth test, texturing and polygon offset off, line width 1, colour white.
void gfx_triangle_swarm(float t, float k);
// Ball of 8 breathing bands with picture 4 at z = -1, black edge rings. Same
// state as the swarm; picture 4 stays bound.
void gfx_textured_ball(float t);
// The ball's bands only (used by gfx_textured_ball, under its transform).
void gfx_ball_bands(float t);

// Banded solids, five passes (top face, two walls, two black outlines drawn
// without depth test). All leave the depth test off, line width 2, model-view
// mode selected, matrix restored; culling and texturing are left as found
// except by the rings.
// 11 off-centre swirling rings; leaves culling and texturing off, colour white.
void gfx_nested_rings(float t);
// A breathing Archimedean spiral band; leaves the colour black.
void gfx_spiral_band(float t);
// blades (>= 1; fewer draws nothing) curved blades, each width x its share
// of the circle; leaves the colour black and smooth shading selected.
void gfx_pinwheel(float t, int blades, float width);
// rings five-pointed star bands at z = -26, swinging when swing != 0. Leaves
// depth test, culling and texturing off, colour white, line width 2.
void gfx_star_rings(float t, int rings, int swing);
// count x count swinging star figures of rings rings, centred on the origin,
// cells 7 x 6, phase offset 0.1 per step. count <= 0 changes only the matrix
// mode.
void gfx_star_grid(float t, int count, int rings);
