// modrender: renders a module to a WAV file through the production's own
// player, mixer and playback clock, in 4,096-frame buffers exactly as the
// audio device receives them.
//
//   modrender [--wav OUT.wav] [--seconds S] [--until-position P] [--timeline] MODULE
//
// It stops at the end of the buffer in which the song position first reaches
// P or more (default 1550, as the production ends), or after S seconds
// (default 600), whichever comes first. So its output is a prefix of what the
// production sends to the device. --timeline prints "FRAME ORDER ROW" for
// every row start: FRAME is the first output frame rendered after the tick
// that started the row. Standard output carries nothing else.
#include <unistd.h>

#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "player/audio.h"
#include "player/player.h"
#include "tools/wav_writer.h"

namespace {

constexpr int kRate = 44100;
constexpr int kBufferFrames = 4096;

struct Options {
    const char* wav_path = nullptr;
    double seconds = 600.0;
    uint32_t until_position = 1550;
    bool timeline = false;
    const char* module_path = nullptr;
};

[[noreturn]] void fail(const std::string& message)
{
    std::fprintf(stderr, "modrender: %s\n", message.c_str());
    std::exit(1);
}

constexpr const char* kUsage =
    "usage: modrender [--wav OUT.wav] [--seconds S] [--until-position P] [--timeline] MODULE";

double parse_seconds(const char* text)
{
    char* end = nullptr;
    errno = 0;
    const double v = std::strtod(text, &end);
    if (errno != 0 || end == text || *end != '\0' || !(v >= 0.0) || v > 86400.0)
        fail(std::string("--seconds needs a number of seconds from 0 to 86400, not \"") + text + "\"");
    return v;
}

uint32_t parse_position(const char* text)
{
    char* end = nullptr;
    errno = 0;
    const unsigned long v = std::strtoul(text, &end, 10);
    if (errno != 0 || end == text || *end != '\0' || text[0] == '-' || v > 0xFFFFFFFFul)
        fail(std::string("--until-position needs a song position (order x 100 + row), not \"") +
             text + "\"");
    return uint32_t(v);
}

Options parse_options(int argc, char** argv)
{
    Options o;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        auto value = [&]() -> const char* {
            if (i + 1 >= argc) fail(arg + " needs a value");
            return argv[++i];
        };
        if (arg == "--wav") o.wav_path = value();
        else if (arg == "--seconds") o.seconds = parse_seconds(value());
        else if (arg == "--until-position") o.until_position = parse_position(value());
        else if (arg == "--timeline") o.timeline = true;
        else if (arg == "--help" || arg == "-h") {
            std::fprintf(stderr, "%s\n", kUsage);
            std::exit(0);
        }
        else if (arg.size() > 1 && arg[0] == '-') fail("unknown option " + arg);
        else if (o.module_path != nullptr) fail("more than one module given");
        else o.module_path = argv[i];
    }
    if (o.module_path == nullptr)
        fail(std::string("no module given; ") + kUsage);
    return o;
}

// The whole file, into a buffer of its own size.
std::vector<uint8_t> read_module(const char* path)
{
    std::FILE* f = std::fopen(path, "rb");
    if (f == nullptr)
        fail(std::string("cannot open ") + path + ": " + std::strerror(errno));
    std::vector<uint8_t> bytes;
    uint8_t chunk[65536];
    size_t n;
    while ((n = std::fread(chunk, 1, sizeof chunk, f)) > 0)
        bytes.insert(bytes.end(), chunk, chunk + n);
    const bool failed = std::ferror(f) != 0;
    std::fclose(f);
    if (failed)
        fail(std::string("cannot read ") + path);
    return bytes;
}

// What the tick observer needs: where the buffer starts in the song, when to
// stop, and whether to print row starts.
struct RenderState {
    uint64_t buffer_start = 0;  // frame index of the buffer's first frame
    uint32_t until_position = 1550;
    bool reached = false;
    bool timeline = false;
};

void on_tick(void* context, int frame)
{
    auto* s = static_cast<RenderState*>(context);
    if (s->timeline && pt_row_started()) {
        const uint32_t p = pt_started_row_position();
        std::printf("%llu %u %u\n", static_cast<unsigned long long>(s->buffer_start + uint64_t(frame)),
                    p / 100, p % 100);
    }
    if (pt_position() >= s->until_position)
        s->reached = true;
}

// Seconds rendered against the limit, and the song position against the
// stopping position: whichever ends the render first.
void show_progress(uint64_t done, uint64_t limit, uint32_t position, uint32_t until, bool final)
{
    const int percent = limit > 0 ? int(done * 100 / limit) : 100;
    std::fprintf(stderr, "\rmodrender: %7.1f s (%3d%% of %g s), position %5d of %u%s",
                 double(done) / kRate, percent, double(limit) / kRate, int32_t(position), until,
                 final ? "\n" : "");
}

}  // namespace

int main(int argc, char** argv)
{
    const Options o = parse_options(argc, argv);
    std::vector<uint8_t> module = read_module(o.module_path);

    if (!snd_open_offline(kRate, kBufferFrames))
        fail("not enough memory for the mixer");
    if (module.empty() || !pt_load(module.data(), module.size()))
        fail(std::string(o.module_path) + ": " + (module.empty() ? "empty file" : pt_error()));

    WavWriter wav;
    if (o.wav_path != nullptr && !wav_open(&wav, o.wav_path, kRate, 2))
        fail(std::string("cannot create ") + o.wav_path + ": " + std::strerror(errno));

    const uint64_t limit = uint64_t(std::llround(o.seconds * kRate));
    const bool progress = isatty(STDERR_FILENO);
    RenderState state;
    state.until_position = o.until_position;
    state.timeline = o.timeline;
    std::vector<int16_t> buffer(2 * kBufferFrames);
    uint64_t last_shown = 0;

    while (!state.reached && state.buffer_start < limit) {
        const int frames = int(limit - state.buffer_start < kBufferFrames ? limit - state.buffer_start
                                                                          : kBufferFrames);
        snd_render_observed(buffer.data(), frames, on_tick, &state);
        if (o.wav_path != nullptr && !wav_write(&wav, buffer.data(), frames))
            fail(std::string("cannot write ") + o.wav_path);
        state.buffer_start += uint64_t(frames);
        if (progress && state.buffer_start - last_shown >= kRate) {
            show_progress(state.buffer_start, limit, pt_position(), o.until_position, false);
            last_shown = state.buffer_start;
        }
    }
    if (progress)
        show_progress(state.buffer_start, limit, pt_position(), o.until_position, true);
    if (o.wav_path != nullptr && !wav_close(&wav))
        fail(std::string("cannot write ") + o.wav_path);
    if (std::fflush(stdout) != 0)
        fail("cannot write the timeline");
    return 0;
}
