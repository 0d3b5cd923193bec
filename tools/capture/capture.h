// capture: renders the production offline, frame by frame, with its own
// frame function, player and mixer on a headless GL context, and writes a
// video (through ffmpeg), a WAV file or PNG frames.
//
// Video frame k at F frames per second is drawn at demo time k / F, with
// the player showing the song as it stood at audio frame k x 44100 / F (the
// song's first tick is at audio frame 0, and the demo's time origin right
// after it, as in the production). The sound is rendered by the shared
// playback clock in the device's own buffers. Every frame's
// logic runs from frame 0, whatever span is written, so the song position,
// the trigger ages, the pulses and the scene marks are those of the
// production itself.
//
// Files, one job each (prefix cap_):
//   options.cpp    the command line
//   song.cpp       start-up of module and mixer, the sound, the song at a frame's time
//   encode.cpp     the ffmpeg child process fed through two pipes
//   png_out.cpp    PNG files
//   progress.cpp   the progress bar and the timing report
//   line_width.cpp line widths scaled with the picture size
//   main.cpp       the frame loop
#pragma once

#include <cstdint>
#include <string>
#include <vector>

constexpr int CAP_RATE = 44100;            // the production's output rate
constexpr uint32_t CAP_END_POSITION = 1550;  // the production ends on the first frame at or past it

// --- options.cpp ------------------------------------------------------------

struct CapOptions {
    int fps = 60;
    int width = 640, height = 480;
    double from_seconds = 0.0;
    double to_seconds = -1.0;            // < 0: until the production ends
    std::vector<double> frame_at;        // --frame-at, in the order given
    std::string video_path, wav_path, png_dir, png_path;
};

// Parses argv; on a bad command line prints one line on stderr and exits 1
// (--help prints the usage and exits 0).
CapOptions cap_parse_options(int argc, char** argv);

// Prints "capture: MESSAGE" on stderr and exits with status 1.
[[noreturn]] void cap_fail(const std::string& message);

// --- the frame schedule (options.cpp) ---------------------------------------

// First audio frame at or after the demo time of video frame k.
int64_t cap_audio_frame_of(int64_t k, int fps);
// The first video frame at or after `seconds` (times within a microframe of
// a frame time count as that frame).
int64_t cap_frame_at_or_after(double seconds, int fps);
// The video frame nearest to `seconds`.
int64_t cap_nearest_frame(double seconds, int fps);

// --- song.cpp ---------------------------------------------------------------

// Where the rendered sound goes: audio frames [first, end) of the song are
// handed to `sink` as they are rendered, in order.
struct CapAudioSpan {
    int64_t first = 0, end = 0;
    void (*sink)(void* context, const int16_t* frames, int count) = nullptr;
    void* context = nullptr;
};

// The production's start-up without a device: the mixer as snd_open leaves
// it, data/afro.mod (relative to the working directory) read into the
// module buffer the way the production reads it, and loaded. Fails with a
// one-line message on a missing or rejected module.
void cap_song_open();

// Makes the player show the song as a viewer sees it at `audio_frame`:
// every tick at or before that frame has run, none after it (for
// pt_position and pt_trigger_age, which is what a frame reads). Renders
// sound ahead as needed.
void cap_song_view_at(int64_t audio_frame);

// Hands the song's sound up to (not including) `audio_frame`, where it lies
// inside `span`, to the span's sink, rendering as needed. Each frame of sound
// is handed on once, in order.
void cap_song_deliver_until(int64_t audio_frame, const CapAudioSpan& span);

// --- encode.cpp ---------------------------------------------------------------

// Starts ffmpeg writing an H.264 + AAC MP4 to `path` from raw RGBA frames of
// width x height at fps and 44,100 Hz stereo 16-bit sound. The file appears
// under its name only when cap_video_close succeeds.
void cap_video_open(const std::string& path, int width, int height, int fps);
// One picture, rgba top row first. Fails with ffmpeg's reason when it no
// longer takes data.
void cap_video_write_frame(const uint8_t* rgba);
// Interleaved stereo frames; fails as cap_video_write_frame does.
void cap_video_write_audio(const int16_t* frames, int count);
// Ends both streams and waits for ffmpeg; fails with ffmpeg's last error
// line when it did not finish cleanly. CPU seconds ffmpeg used go to
// *ffmpeg_cpu_seconds.
void cap_video_close(double* ffmpeg_cpu_seconds);
// Stops ffmpeg and removes its unfinished output (on our own failure paths).
void cap_video_abandon();

// --- png_out.cpp --------------------------------------------------------------

// Writes an 8-bit RGB PNG of rgba (top row first; alpha dropped). 1, or 0
// (errno set where the system gave a reason).
int cap_write_png(const std::string& path, const uint8_t* rgba, int width, int height);

// --- progress.cpp -------------------------------------------------------------

// Time spent per stage, in seconds of wall-clock time on this process.
struct CapTimes {
    double audio = 0, drawing = 0, readback = 0, writing = 0;
};

// The bar: frame, song position, frames per second and time left. Shown
// only when standard error is a terminal. total_frames <= 0 means unknown:
// the time left is then estimated from the song position. Frames before
// first_written are run for their logic only, and do not count in the pace.
void cap_progress_show(int64_t frame, int64_t total_frames, int64_t first_written,
                       uint32_t position, bool final);

// One line on stderr: frames, wall time, output frame rate and where the
// time went.
void cap_report_times(int64_t frames_out, double wall_seconds, const CapTimes& times,
                      double ffmpeg_cpu_seconds);

// Wall-clock seconds since an arbitrary origin.
double cap_now();

// --- line_width.cpp -------------------------------------------------------------

// Every glLineWidth of the drawing code is multiplied by this, so that a
// picture larger than 640 x 480 keeps the proportions of the production's.
void cap_set_line_scale(float scale);
