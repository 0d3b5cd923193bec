// The fused render of the standard graph (mixer/graph_fused.cpp), used by
// mix_render; internal to the mixer.
#pragma once

#include <cstdint>

struct FxEcho;
struct FxFormant;

// The units and bus-7 gains of the graph mix_init builds.
struct FusedGraph {
    FxEcho* short_echo;   // bus 3, slot 0
    FxFormant* formant;   // bus 3, slot 1
    FxEcho* long_echo;    // bus 4, slot 0
    float gains_7[5];     // bus 7's inputs: buses 0, 1, 2, 3, 4
};

// 1 where the fused render is built (SSE2), else 0.
bool mix_fused_graph_available();

// Buses 3, 4 and 7 from the voice buses 0, 1, 2 over `frames` frames, the
// formant's next set from `position`, int16 to `out` unless it is null:
// the same values as the general bus-by-bus pass. Audio thread.
void mix_render_fused_graph(const FusedGraph& graph, int frames, int32_t position, int16_t* out);
