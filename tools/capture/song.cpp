// The production's start-up of module and mixer without a device, the
// sound rendered exactly as the device receives it, and the song as a
// viewer sees it at any audio frame.
//
// The sound goes through snd_render in whole 4,096-frame buffers, as the
// audio callback (and modrender) render it: the vowel filter takes its
// vowel once per mixer call, so the samples depend on where the buffers are
// cut, and only the device's own cuts give the device's samples. The
// rendering therefore runs up to a buffer ahead of the picture, as it does
// in the production, and every tick's song position and trigger ages are
// recorded as it runs. Before a frame is drawn, the player shows the
// recorded state of the last tick at or before the frame's time (the
// position and the trigger ages are all the frame reads of the player);
// the sequencer's own values are put back before it ticks again.
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <deque>
#include <vector>

#include "player/audio.h"
#include "player/player.h"
#include "player/player_state.h"
#include "tools/capture/capture.h"

namespace {

// As the production's: the player converts the patterns in place and keeps
// pointers into it, and the mixer plays the samples straight from it.
uint8_t cap_module_buffer[4000000];

constexpr int kDeviceFrames = 4096;  // the production's device buffer

// What a frame reads of the player, as one tick left it.
struct PlayerView {
    int64_t tick_frame = 0;  // audio frame at which the tick ran
    int32_t order = 0, row = 0;
    int32_t ages[32] = {};
};

std::deque<PlayerView> ticks;     // recorded ticks not yet passed by the frames
PlayerView sequencer_state;       // the sequencer's own values while a view is shown
bool view_shown = false;

int64_t rendered = 0;             // audio frames rendered
int64_t pending_first = 0;        // first audio frame not yet handed on
std::vector<int16_t> pending;     // frames [pending_first, rendered), interleaved
int16_t device_buffer[2 * kDeviceFrames];

PlayerView read_player()
{
    PlayerView v;
    v.order = pt_order_index.load(std::memory_order_relaxed);
    v.row = pt_row.load(std::memory_order_relaxed);
    for (int i = 0; i < 32; ++i) v.ages[i] = pt_trigger_age[i].load(std::memory_order_relaxed);
    return v;
}

void write_player(const PlayerView& v)
{
    pt_order_index.store(v.order, std::memory_order_relaxed);
    pt_row.store(v.row, std::memory_order_relaxed);
    for (int i = 0; i < 32; ++i) pt_trigger_age[i].store(v.ages[i], std::memory_order_relaxed);
}

void on_tick(void*, int frame)
{
    PlayerView v = read_player();
    v.tick_frame = rendered + frame;
    ticks.push_back(v);
}

void render_device_buffer()
{
    if (view_shown) {
        write_player(sequencer_state);
        view_shown = false;
    }
    snd_render_observed(device_buffer, kDeviceFrames, on_tick, nullptr);
    pending.insert(pending.end(), device_buffer, device_buffer + 2 * kDeviceFrames);
    rendered += kDeviceFrames;
}

}  // namespace

void cap_song_open()
{
    if (!snd_open_offline(CAP_RATE, kDeviceFrames))
        cap_fail("not enough memory for the mixer");

    std::FILE* file = std::fopen("data/afro.mod", "rb");
    if (file == nullptr)
        cap_fail(std::string("cannot open data/afro.mod (data/ is looked up in the working "
                             "directory): ") + std::strerror(errno));
    // A longer file is cut, as the production cuts it.
    const size_t length = std::fread(cap_module_buffer, 1, sizeof cap_module_buffer, file);
    const bool failed = std::ferror(file) != 0;
    std::fclose(file);
    if (failed) cap_fail("cannot read data/afro.mod");
    if (!pt_load(cap_module_buffer, length))
        cap_fail(std::string("data/afro.mod: ") + pt_error());
}

void cap_song_view_at(int64_t audio_frame)
{
    // A tick at audio_frame runs when that frame is rendered.
    while (rendered <= audio_frame) render_device_buffer();
    while (ticks.size() >= 2 && ticks[1].tick_frame <= audio_frame) ticks.pop_front();
    if (ticks.empty() || ticks.front().tick_frame > audio_frame) return;  // before the first tick
    if (!view_shown) {
        sequencer_state = read_player();
        view_shown = true;
    }
    write_player(ticks.front());
}

void cap_song_deliver_until(int64_t audio_frame, const CapAudioSpan& span)
{
    while (rendered < audio_frame) render_device_buffer();
    if (audio_frame <= pending_first) return;
    const int64_t a = pending_first > span.first ? pending_first : span.first;
    const int64_t b = audio_frame < span.end ? audio_frame : span.end;
    if (a < b && span.sink != nullptr)
        span.sink(span.context, pending.data() + 2 * (a - pending_first), int(b - a));
    pending.erase(pending.begin(), pending.begin() + 2 * (audio_frame - pending_first));
    pending_first = audio_frame;
}
