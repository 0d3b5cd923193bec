// capture: the production rendered offline to video, sound or pictures.
// The frame loop: every frame from 0 runs the production's own frame body
// at demo time k / fps after the sound has caught up with that time; the
// frames of the span asked for are read back and written out.
#include <signal.h>
#include <sys/stat.h>

#include <GL/gl.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <set>
#include <vector>

#include "demo/demo.h"
#include "gfx/gfx.h"
#include "gfx/offscreen_gl.h"
#include "player/player.h"
#include "tools/capture/capture.h"
#include "tools/wav_writer.h"

namespace {

// Without --to, a song that never reaches the production's end stops here.
constexpr double kLongestSong = 3600.0;

// Set by Ctrl-C or a termination request; the frame loop then stops, and
// the unfinished files go with it.
volatile sig_atomic_t interrupted = 0;

void on_interrupt(int)
{
    interrupted = 1;
}

WavWriter wav;
std::string wav_part;  // removed at exit unless the WAV was completed
bool wav_done = false;

void remove_unfinished_wav()
{
    if (!wav_part.empty() && !wav_done) std::remove(wav_part.c_str());
}

struct Sinks {
    bool wav = false, video = false;
    const std::string* wav_path = nullptr;
};

void to_sinks(void* context, const int16_t* frames, int count)
{
    const Sinks* s = static_cast<const Sinks*>(context);
    if (s->wav && !wav_write(&wav, frames, count))
        cap_fail("cannot write " + *s->wav_path + ": " + std::strerror(errno));
    if (s->video) cap_video_write_audio(frames, count);
}

void make_png_dir(const std::string& dir)
{
    if (mkdir(dir.c_str(), 0777) == 0) return;
    struct stat st;
    if (errno == EEXIST && stat(dir.c_str(), &st) == 0 && S_ISDIR(st.st_mode)) return;
    cap_fail("cannot make the folder " + dir + ": " + std::strerror(errno));
}

void open_pictures(const CapOptions& o)
{
    if (!gfx_offscreen_open(o.width, o.height)) cap_fail(gfx_offscreen_error());
    cap_set_line_scale(float(o.height) / 480.0f);
    if (!gfx_load_pictures() || !gfx_load_font()) cap_fail(gfx_error());
}

// Frames that are not written still run the whole frame body, for its
// logic (pulses, scene marks, the kick), but the scissor box keeps the
// rasteriser to one pixel: nothing in the drawing reads pixels back, so the
// next written frame is the same. (The scissor test is otherwise never on.)
void draw_full_picture(bool full)
{
    static int current = -1;
    if (current == int(full)) return;
    current = int(full);
    if (full) {
        glDisable(GL_SCISSOR_TEST);
    } else {
        glScissor(0, 0, 1, 1);
        glEnable(GL_SCISSOR_TEST);
    }
}

std::string seconds_text(double s)
{
    char text[32];
    std::snprintf(text, sizeof text, "%.3f s", s);
    return text;
}

// Frame k's picture to every picture output asked for.
void write_picture(const CapOptions& o, int64_t k, const uint8_t* rgba)
{
    if (!o.video_path.empty()) cap_video_write_frame(rgba);
    if (!o.png_path.empty() && !cap_write_png(o.png_path, rgba, o.width, o.height))
        cap_fail("cannot write " + o.png_path + ": " + std::strerror(errno));
    if (!o.png_dir.empty()) {
        char name[32];
        std::snprintf(name, sizeof name, "/%06lld.png", static_cast<long long>(k));
        const std::string path = o.png_dir + name;
        if (!cap_write_png(path, rgba, o.width, o.height))
            cap_fail("cannot write " + path + ": " + std::strerror(errno));
    }
}

// After the frame loop: fails when the frames asked for lie past the
// production's last frame (end_frame, -1 when the loop stopped before it).
void check_span_reached(const CapOptions& o, const std::set<int64_t>& picked, int64_t first_out,
                        int64_t end_frame)
{
    const bool picking = !picked.empty();
    if (end_frame < 0) {
        if (!picking && o.to_seconds < 0.0)
            cap_fail("the song did not reach position 1550 within an hour; give --to");
        return;
    }
    const std::string last = " is past the end of the production (its last frame is at " +
                             seconds_text(double(end_frame) / o.fps) + ")";
    if (picking && *picked.rbegin() > end_frame)
        cap_fail("--frame-at " + seconds_text(double(*picked.rbegin()) / o.fps) + last);
    if (first_out > end_frame) cap_fail("--from " + seconds_text(o.from_seconds) + last);
}

}  // namespace

int main(int argc, char** argv)
{
    const CapOptions o = cap_parse_options(argc, argv);
    signal(SIGINT, on_interrupt);
    signal(SIGTERM, on_interrupt);
    const bool pictures = !o.video_path.empty() || !o.png_dir.empty() || !o.png_path.empty();
    const bool picking = !o.frame_at.empty();

    // The production's start-up order: sound output, module, textures.
    cap_song_open();
    if (pictures) open_pictures(o);
    if (!o.png_dir.empty()) make_png_dir(o.png_dir);

    // Which frames are written.
    std::set<int64_t> picked;
    for (double s : o.frame_at) picked.insert(cap_nearest_frame(s, o.fps));
    const int64_t first_out = picking ? *picked.begin() : cap_frame_at_or_after(o.from_seconds, o.fps);
    int64_t stop_before = picking ? *picked.rbegin() + 1
                          : o.to_seconds >= 0.0 ? cap_frame_at_or_after(o.to_seconds, o.fps)
                                                : cap_frame_at_or_after(kLongestSong, o.fps) + 1;

    Sinks sinks;
    sinks.wav = !o.wav_path.empty();
    sinks.video = !o.video_path.empty();
    sinks.wav_path = &o.wav_path;
    CapAudioSpan span;
    span.first = cap_audio_frame_of(first_out, o.fps);
    span.end = std::numeric_limits<int64_t>::max();
    span.sink = to_sinks;
    span.context = &sinks;
    if (sinks.wav) {
        wav_part = o.wav_path + ".part";
        std::atexit(remove_unfinished_wav);
        if (!wav_open(&wav, wav_part.c_str(), CAP_RATE, 2))
            cap_fail("cannot create " + wav_part + ": " + std::strerror(errno));
    }
    if (sinks.video) cap_video_open(o.video_path, o.width, o.height, o.fps);

    DemoState state;
    demo_state_init(state);
    std::vector<uint8_t> rgba(pictures ? size_t(o.width) * size_t(o.height) * 4 : 0);
    CapTimes times;
    const double started = cap_now();
    const int64_t known_total = picking || o.to_seconds >= 0.0 ? stop_before : 0;
    int64_t frames_out = 0;
    int64_t end_frame = -1;  // the production's last frame, once seen

    for (int64_t k = 0; k < stop_before; ++k) {
        if (interrupted) cap_fail("interrupted");
        double mark = cap_now();
        cap_song_view_at(k * CAP_RATE / o.fps);
        double now = cap_now();
        times.audio += now - mark;
        mark = now;

        const bool out = k >= first_out && (!picking || picked.count(k) != 0);
        const float t = float(double(k) / double(o.fps));
        if (pictures) {
            draw_full_picture(out);
            demo_frame_at(state, t);
            if (out) glFinish();  // the rasteriser works on until asked to finish
        } else {
            state.quit = demo_song_ended(pt_position());
        }
        now = cap_now();
        times.drawing += now - mark;
        mark = now;

        // This frame's sound goes out before its picture, so that ffmpeg's
        // two inputs keep pace with each other.
        cap_song_deliver_until(cap_audio_frame_of(k + 1, o.fps), span);
        now = cap_now();
        times.audio += now - mark;
        mark = now;

        if (out && pictures) {
            gfx_offscreen_read_rgba(rgba.data());
            now = cap_now();
            times.readback += now - mark;
            mark = now;
            write_picture(o, k, rgba.data());
            times.writing += cap_now() - mark;
        }
        if (out) ++frames_out;
        cap_progress_show(k, known_total, first_out, pt_position(), false);
        if (state.quit) {
            end_frame = k;
            break;
        }
    }

    if (end_frame >= 0) stop_before = end_frame + 1;
    check_span_reached(o, picked, first_out, end_frame);

    cap_progress_show(stop_before - 1, known_total, first_out, pt_position(), true);

    if (sinks.wav) {
        if (!wav_close(&wav)) cap_fail("cannot write " + o.wav_path + ": " + std::strerror(errno));
        if (std::rename(wav_part.c_str(), o.wav_path.c_str()) != 0)
            cap_fail("cannot rename " + wav_part + " to " + o.wav_path + ": " + std::strerror(errno));
        wav_done = true;
    }
    double ffmpeg_cpu = -1.0;
    if (sinks.video) {
        const double close_mark = cap_now();
        cap_video_close(&ffmpeg_cpu);
        times.writing += cap_now() - close_mark;
    }
    cap_report_times(frames_out, cap_now() - started, times, ffmpeg_cpu);
    return 0;
}
