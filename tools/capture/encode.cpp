// The video: ffmpeg (the Debian program) as a child process, fed raw RGBA
// pictures on its standard input and raw 16-bit stereo sound on descriptor
// 3, encoding H.264 and AAC into an MP4 file.
//
// Both streams go out interleaved, each frame's sound before its picture,
// so neither pipe runs far ahead of the other. ffmpeg is told all about
// both inputs and probes no more than one packet of each, since it reads
// them one after the other while it starts; the sound input gets a deep
// packet queue because the H.264 encoder holds back dozens of pictures
// before its first packet, and the sound must keep flowing meanwhile.
// ffmpeg writes under a temporary name, renamed when it has finished
// cleanly, so a failed export never leaves a truncated file behind under
// the name asked for. Its messages go to a temporary file, whose last line
// is reported when it fails.
#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "tools/capture/capture.h"

extern char** environ;

namespace {

pid_t child = -1;
int video_fd = -1;
int audio_fd = -1;
std::FILE* messages = nullptr;
std::string final_path, part_path;
size_t frame_bytes = 0;

// A descriptor moved above the standard ones and ffmpeg's descriptor 3, and
// closed on exec, so that only the ends we hand over reach the child.
int high_descriptor(int fd)
{
    const int moved = fcntl(fd, F_DUPFD_CLOEXEC, 10);
    close(fd);
    return moved;
}

// ffmpeg that takes nothing for this long has hung; better an error than
// an export that never ends.
constexpr int kStallMilliseconds = 120000;

enum WriteResult { WRITTEN, REFUSED, STALLED };

WriteResult write_all(int fd, const void* data, size_t bytes)
{
    const uint8_t* p = static_cast<const uint8_t*>(data);
    while (bytes > 0) {
        const ssize_t n = write(fd, p, bytes);
        if (n >= 0) {
            p += n;
            bytes -= size_t(n);
            continue;
        }
        if (errno == EINTR) continue;
        if (errno != EAGAIN) return REFUSED;
        pollfd waiting = {fd, POLLOUT, 0};
        const int ready = poll(&waiting, 1, kStallMilliseconds);
        if (ready == 0) return STALLED;
        if (ready < 0 && errno != EINTR) return REFUSED;
    }
    return WRITTEN;
}

// The last non-empty line ffmpeg wrote, or a note that it said nothing.
std::string last_message()
{
    if (messages == nullptr) return "no message";
    std::fflush(messages);
    std::rewind(messages);
    std::string line, last;
    char piece[512];
    while (std::fgets(piece, sizeof piece, messages) != nullptr) {
        line += piece;
        if (!line.empty() && line.back() == '\n') {
            while (!line.empty() && (line.back() == '\n' || line.back() == '\r')) line.pop_back();
            if (!line.empty()) last = line;
            line.clear();
        }
    }
    if (!line.empty()) last = line;
    return last.empty() ? "no message" : last;
}

void close_pipes()
{
    if (video_fd >= 0) close(video_fd);
    if (audio_fd >= 0) close(audio_fd);
    video_fd = audio_fd = -1;
}

int wait_child()
{
    int status = 0;
    while (waitpid(child, &status, 0) < 0) {
        if (errno != EINTR) return -1;
    }
    child = -1;
    return status;
}

std::string describe_status(int status)
{
    if (status == -1) return "ffmpeg was lost";
    if (WIFEXITED(status) && WEXITSTATUS(status) == 127) return "ffmpeg could not be run";
    if (WIFEXITED(status)) return "ffmpeg failed (exit status " + std::to_string(WEXITSTATUS(status)) + ")";
    if (WIFSIGNALED(status)) return "ffmpeg was killed by signal " + std::to_string(WTERMSIG(status));
    return "ffmpeg failed";
}

// ffmpeg stopped taking data: wait for it and report why.
[[noreturn]] void fail_with_ffmpeg_reason(WriteResult result)
{
    if (result == STALLED) {
        kill(child, SIGTERM);
        close_pipes();
        wait_child();
        std::remove(part_path.c_str());
        cap_fail("ffmpeg took no data for " + std::to_string(kStallMilliseconds / 1000) +
                 " s and was stopped: " + last_message());
    }
    close_pipes();
    const int status = wait_child();
    const std::string why = describe_status(status) + ": " + last_message();
    std::remove(part_path.c_str());
    cap_fail(why);
}

}  // namespace

void cap_video_open(const std::string& path, int width, int height, int fps)
{
    // A reader that has gone away is reported through write's EPIPE.
    signal(SIGPIPE, SIG_IGN);
    final_path = path;
    part_path = path + ".part";
    frame_bytes = size_t(width) * size_t(height) * 4;

    int video_pipe[2], audio_pipe[2];
    if (pipe(video_pipe) != 0 || pipe(audio_pipe) != 0)
        cap_fail(std::string("cannot make a pipe to ffmpeg: ") + std::strerror(errno));
    for (int* fd : {&video_pipe[0], &video_pipe[1], &audio_pipe[0], &audio_pipe[1]}) {
        *fd = high_descriptor(*fd);
        if (*fd < 0) cap_fail(std::string("cannot make a pipe to ffmpeg: ") + std::strerror(errno));
    }
    // Room for a few frames of sound beyond ffmpeg's own queue; best effort.
    fcntl(audio_pipe[1], F_SETPIPE_SZ, 1 << 20);

    messages = std::tmpfile();
    // ffmpeg's copy of it, away from the descriptors the child is given.
    const int messages_fd = messages != nullptr ? high_descriptor(dup(fileno(messages))) : -1;
    if (messages_fd < 0)
        cap_fail(std::string("cannot make a file for ffmpeg's messages: ") + std::strerror(errno));

    const std::string size = std::to_string(width) + "x" + std::to_string(height);
    const std::string rate = std::to_string(fps);
    // "file:" keeps a name with a colon from being taken for a protocol.
    const std::string output = "file:" + part_path;
    const std::vector<std::string> args = {
        "ffmpeg", "-hide_banner", "-nostdin", "-loglevel", "error", "-y",
        "-probesize", "32", "-analyzeduration", "0",
        "-f", "rawvideo", "-pix_fmt", "rgba", "-video_size", size, "-framerate", rate,
        "-i", "pipe:0",
        "-thread_queue_size", "4096", "-probesize", "32", "-analyzeduration", "0",
        "-f", "s16le", "-ar", std::to_string(CAP_RATE), "-ac", "2", "-i", "pipe:3",
        "-map", "0:v", "-map", "1:a",
        "-c:v", "libx264", "-preset", "veryfast", "-crf", "18",
        "-vf", "scale=out_color_matrix=bt709:out_range=tv,format=yuv420p",
        "-colorspace", "bt709", "-color_primaries", "bt709", "-color_trc", "bt709",
        "-color_range", "tv",
        "-c:a", "aac", "-b:a", "192k",
        "-movflags", "+faststart", "-f", "mp4", output,
    };
    std::vector<char*> argv;
    for (const std::string& a : args) argv.push_back(const_cast<char*>(a.c_str()));
    argv.push_back(nullptr);

    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, video_pipe[0], 0);
    posix_spawn_file_actions_adddup2(&actions, audio_pipe[0], 3);
    posix_spawn_file_actions_adddup2(&actions, messages_fd, 2);
    // A group of its own: Ctrl-C reaches only us, and we stop ffmpeg and
    // remove its unfinished file.
    posix_spawnattr_t attributes;
    posix_spawnattr_init(&attributes);
    posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETPGROUP);
    posix_spawnattr_setpgroup(&attributes, 0);
    const int spawned = posix_spawnp(&child, "ffmpeg", &actions, &attributes, argv.data(), environ);
    posix_spawnattr_destroy(&attributes);
    posix_spawn_file_actions_destroy(&actions);
    close(video_pipe[0]);
    close(audio_pipe[0]);
    close(messages_fd);
    video_fd = video_pipe[1];
    audio_fd = audio_pipe[1];
    // Our ends do not block, so that a stalled ffmpeg is noticed (write_all).
    fcntl(video_fd, F_SETFL, fcntl(video_fd, F_GETFL) | O_NONBLOCK);
    fcntl(audio_fd, F_SETFL, fcntl(audio_fd, F_GETFL) | O_NONBLOCK);
    if (spawned != 0) {
        child = -1;
        close_pipes();
        cap_fail(std::string("cannot run ffmpeg: ") + std::strerror(spawned));
    }
}

void cap_video_write_frame(const uint8_t* rgba)
{
    const WriteResult r = write_all(video_fd, rgba, frame_bytes);
    if (r != WRITTEN) fail_with_ffmpeg_reason(r);
}

void cap_video_write_audio(const int16_t* frames, int count)
{
    // Little-endian samples, as the machine holds them (s16le).
    const WriteResult r = write_all(audio_fd, frames, size_t(count) * 4);
    if (r != WRITTEN) fail_with_ffmpeg_reason(r);
}

void cap_video_close(double* ffmpeg_cpu_seconds)
{
    close_pipes();
    const int status = wait_child();
    rusage usage;
    if (ffmpeg_cpu_seconds != nullptr && getrusage(RUSAGE_CHILDREN, &usage) == 0)
        *ffmpeg_cpu_seconds = double(usage.ru_utime.tv_sec) + usage.ru_utime.tv_usec * 1e-6 +
                              double(usage.ru_stime.tv_sec) + usage.ru_stime.tv_usec * 1e-6;
    if (status == -1 || !WIFEXITED(status) || WEXITSTATUS(status) != 0) {
        const std::string why = describe_status(status) + ": " + last_message();
        std::remove(part_path.c_str());
        cap_fail(why);
    }
    if (std::rename(part_path.c_str(), final_path.c_str()) != 0) {
        const std::string why = std::strerror(errno);
        std::remove(part_path.c_str());
        cap_fail("cannot rename " + part_path + " to " + final_path + ": " + why);
    }
    if (messages != nullptr) std::fclose(messages);
    messages = nullptr;
}

void cap_video_abandon()
{
    if (child < 0) return;
    close_pipes();
    kill(child, SIGTERM);
    wait_child();
    std::remove(part_path.c_str());
}

