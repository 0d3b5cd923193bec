// The command line of capture, and the arithmetic of frame times.
#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "tools/capture/capture.h"

namespace {

const char usage_text[] =
    "usage: capture [OUTPUTS] [--fps F] [--size WxH] [--from SECONDS] [--to SECONDS]\n"
    "       capture --frame-at SECONDS [--frame-at SECONDS ...] (--png OUT.png | --png-dir DIR)\n"
    "               [--fps F] [--size WxH]\n"
    "outputs: --video OUT.mp4   H.264 and AAC in MP4, through ffmpeg\n"
    "         --wav OUT.wav     the sound, 44100 Hz stereo 16-bit\n"
    "         --png-dir DIR     every frame as DIR/NNNNNN.png (NNNNNN = frame number from 0)\n"
    "defaults: --fps 60 --size 640x480, from the start until the production ends\n"
    "data/ is read from the working directory, as the production does.\n";

constexpr int kMaxFps = 240;
constexpr int kMaxWidth = 4096;
constexpr double kMaxSeconds = 3600.0;

double parse_seconds(const std::string& option, const char* text)
{
    char* end = nullptr;
    errno = 0;
    const double v = std::strtod(text, &end);
    if (errno != 0 || end == text || *end != '\0' || !(v >= 0.0) || v > kMaxSeconds)
        cap_fail(option + " needs a number of seconds from 0 to 3600, not \"" + text + "\"");
    return v;
}

int parse_fps(const char* text)
{
    char* end = nullptr;
    errno = 0;
    const long v = std::strtol(text, &end, 10);
    if (errno != 0 || end == text || *end != '\0' || v < 1 || v > kMaxFps)
        cap_fail(std::string("--fps needs a whole number of frames per second from 1 to 240, not \"") +
                 text + "\"");
    return int(v);
}

// W x H, 4:3 like the production's window (its projection is fixed), with
// even sides for the 4:2:0 video.
void parse_size(const char* text, int* width, int* height)
{
    int w = 0, h = 0;
    char tail = 0;
    if (std::sscanf(text, "%dx%d%c", &w, &h, &tail) != 2 || w < 1 || h < 1)
        cap_fail(std::string("--size needs WIDTHxHEIGHT, such as 640x480, not \"") + text + "\"");
    if (int64_t(w) * 3 != int64_t(h) * 4)
        cap_fail(std::string("--size ") + text +
                 ": the picture is 4:3 (such as 640x480, 1440x1080); other shapes would stretch it");
    if (h % 2 != 0 || w < 32 || w > kMaxWidth)
        cap_fail(std::string("--size ") + text +
                 ": the width must lie from 32 to 4096 and the height be even");
    *width = w;
    *height = h;
}

}  // namespace

CapOptions cap_parse_options(int argc, char** argv)
{
    CapOptions o;
    bool from_given = false;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        auto value = [&]() -> const char* {
            if (i + 1 >= argc) cap_fail(arg + " needs a value");
            return argv[++i];
        };
        auto path = [&](std::string* where) {
            const char* v = value();
            if (*v == '\0') cap_fail(arg + " needs a file name");
            if (!where->empty()) cap_fail(arg + " given twice");
            *where = v;
        };
        if (arg == "--video") path(&o.video_path);
        else if (arg == "--wav") path(&o.wav_path);
        else if (arg == "--png-dir") path(&o.png_dir);
        else if (arg == "--png") path(&o.png_path);
        else if (arg == "--frame-at") o.frame_at.push_back(parse_seconds(arg, value()));
        else if (arg == "--fps") o.fps = parse_fps(value());
        else if (arg == "--size") parse_size(value(), &o.width, &o.height);
        else if (arg == "--from") { o.from_seconds = parse_seconds(arg, value()); from_given = true; }
        else if (arg == "--to") o.to_seconds = parse_seconds(arg, value());
        else if (arg == "--help" || arg == "-h") { std::fputs(usage_text, stdout); std::exit(0); }
        else if (arg.size() > 1 && arg[0] == '-') cap_fail("unknown option " + arg + " (--help lists them)");
        else cap_fail("unexpected argument \"" + arg + "\" (--help lists the options)");
    }

    if (!o.frame_at.empty()) {
        if (!o.video_path.empty() || !o.wav_path.empty() || from_given || o.to_seconds >= 0.0)
            cap_fail("--frame-at writes pictures only: it goes with --png or --png-dir, "
                     "not with --video, --wav, --from or --to");
        if (o.png_path.empty() == o.png_dir.empty())
            cap_fail("--frame-at needs one of --png OUT.png or --png-dir DIR");
        if (!o.png_path.empty() && o.frame_at.size() > 1)
            cap_fail("--png takes one frame; give several --frame-at with --png-dir");
        return o;
    }
    if (!o.png_path.empty())
        cap_fail("--png needs --frame-at SECONDS");
    if (o.video_path.empty() && o.wav_path.empty() && o.png_dir.empty())
        cap_fail("nothing to write: give --video, --wav, --png-dir or --frame-at (--help lists them)");
    if (o.to_seconds >= 0.0 && cap_frame_at_or_after(o.to_seconds, o.fps) <=
                                   cap_frame_at_or_after(o.from_seconds, o.fps))
        cap_fail("--to must come at least one frame after --from");
    return o;
}

int64_t cap_audio_frame_of(int64_t k, int fps)
{
    // ceil(k x 44100 / fps): the sample at or right after the frame's time.
    return (k * CAP_RATE + fps - 1) / fps;
}

int64_t cap_frame_at_or_after(double seconds, int fps)
{
    const double frames = seconds * fps;
    const double nearest = std::round(frames);
    if (std::fabs(frames - nearest) < 1e-6) return int64_t(nearest);
    return int64_t(std::ceil(frames));
}

int64_t cap_nearest_frame(double seconds, int fps)
{
    return int64_t(std::llround(seconds * fps));
}
