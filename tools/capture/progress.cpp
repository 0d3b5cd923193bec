// The progress bar on standard error, the timing report and the one-line
// failures (which must not land in the middle of a bar).
#include <sys/resource.h>
#include <time.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>

#include "tools/capture/capture.h"

namespace {

bool bar_on_screen = false;
double bar_started = -1.0;
double bar_last_shown = -1.0;
int64_t bar_first_frame = -1;  // first written frame shown
double bar_span_started = -1.0;

// Rows of the song up to the production's end, for an estimate of the time
// left when the number of frames is not known beforehand.
constexpr double kRowsToEnd = (CAP_END_POSITION / 100) * 64.0 + CAP_END_POSITION % 100;

double song_rows(uint32_t position)
{
    if (position > CAP_END_POSITION) return kRowsToEnd;
    return (position / 100) * 64.0 + position % 100;
}

void format_seconds(char* out, size_t size, double seconds)
{
    if (!(seconds >= 0.0) || seconds > 359999.0) {
        std::snprintf(out, size, "--:--");
        return;
    }
    const int s = int(seconds + 0.5);
    std::snprintf(out, size, "%d:%02d", s / 60, s % 60);
}

}  // namespace

double cap_now()
{
    timespec ts;
    clock_gettime(CLOCK_MONOTONIC, &ts);
    return double(ts.tv_sec) + double(ts.tv_nsec) * 1e-9;
}

[[noreturn]] void cap_fail(const std::string& message)
{
    if (bar_on_screen) std::fputc('\n', stderr);
    std::fprintf(stderr, "capture: %s\n", message.c_str());
    cap_video_abandon();
    std::exit(1);
}

void cap_progress_show(int64_t frame, int64_t total_frames, int64_t first_written,
                       uint32_t position, bool final)
{
    static const bool terminal = isatty(STDERR_FILENO) != 0;
    if (!terminal) return;
    const double now = cap_now();
    if (bar_started < 0.0) bar_started = now;
    // The frames before the written span are quick (nothing to read back or
    // encode): the pace of the written ones alone tells the time left.
    if (frame >= first_written && bar_first_frame < 0) {
        bar_first_frame = frame;
        bar_span_started = now;
    }
    if (!final && now - bar_last_shown < 0.2) return;
    bar_last_shown = now;

    // Frames still to go: known, or estimated from the rows of the song left
    // to play until the production's end.
    const double rows = song_rows(position);
    double frames_left;
    if (total_frames > 0) frames_left = double(total_frames - 1 - frame);
    else if (rows > 0.0) frames_left = double(frame) * (kRowsToEnd - rows) / rows;
    else frames_left = -1.0;
    if (final) frames_left = 0.0;
    const double fraction = frames_left >= 0.0 ? double(frame + 1) / (double(frame + 1) + frames_left) : 0.0;

    double pace = 0.0;  // frames per second
    if (bar_first_frame >= 0 && now > bar_span_started)
        pace = double(frame - bar_first_frame) / (now - bar_span_started);
    else if (now > bar_started)
        pace = double(frame) / (now - bar_started);
    const double left = pace > 0.0 && frames_left >= 0.0 ? frames_left / pace : -1.0;

    constexpr int kWidth = 30;
    char bar[kWidth + 1];
    const int filled = int(fraction * kWidth);
    for (int i = 0; i < kWidth; ++i) bar[i] = i < filled ? '#' : '.';
    bar[kWidth] = '\0';
    char left_text[16];
    format_seconds(left_text, sizeof left_text, left);
    std::fprintf(stderr, "\rcapture [%s] %3d%%  frame %6lld%s  position %4u  %6.1f fps  %s left ",
                 bar, int(fraction * 100.0), static_cast<long long>(frame),
                 frame < first_written ? " (before the span)" : "", position, pace, left_text);
    bar_on_screen = true;
    if (final) {
        std::fputc('\n', stderr);
        bar_on_screen = false;
    }
}

void cap_report_times(int64_t frames_out, double wall_seconds, const CapTimes& times,
                      double ffmpeg_cpu_seconds)
{
    if (bar_on_screen) std::fputc('\n', stderr);
    bar_on_screen = false;
    const double fps = wall_seconds > 0.0 ? double(frames_out) / wall_seconds : 0.0;
    std::fprintf(stderr,
                 "capture: %lld frames written in %.1f s (%.1f frames per second); drawing %.1f s, "
                 "read-back %.1f s, sound %.1f s, handing to ffmpeg/PNG %.1f s",
                 static_cast<long long>(frames_out), wall_seconds, fps, times.drawing,
                 times.readback, times.audio, times.writing);
    if (ffmpeg_cpu_seconds >= 0.0)
        std::fprintf(stderr, "; ffmpeg used %.1f s of CPU", ffmpeg_cpu_seconds);
    std::fputc('\n', stderr);
}
