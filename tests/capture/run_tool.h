// Running capture, modrender and ffprobe as a user does, and the files
// they write.
#pragma once

#include <string>

struct Outcome {
    int status;       // exit status, -1 when the program did not exit normally
    std::string out;  // standard output
    std::string err;  // standard error
};

// Runs `command` through the shell in `directory` (the repository root
// unless given), collecting both output streams.
Outcome run(const std::string& command, const std::string& directory = SOURCE_DIR);

// `capture ARGS` and `modrender ARGS`.
Outcome capture(const std::string& args, const std::string& directory = SOURCE_DIR);
Outcome modrender(const std::string& args);

// A fresh folder under the build's test output folder, named for the test.
std::string output_dir(const std::string& name);

std::string slurp(const std::string& path);
bool file_exists(const std::string& path);
