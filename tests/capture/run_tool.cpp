#include "tests/capture/run_tool.h"

#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <fstream>
#include <iterator>

std::string slurp(const std::string& path)
{
    std::ifstream f(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(f), std::istreambuf_iterator<char>());
}

bool file_exists(const std::string& path)
{
    struct stat st;
    return stat(path.c_str(), &st) == 0;
}

std::string output_dir(const std::string& name)
{
    const std::string dir = std::string(OUTPUT_DIR) + "/" + name;
    std::system(("rm -rf '" + dir + "' && mkdir -p '" + dir + "'").c_str());
    return dir;
}

Outcome run(const std::string& command, const std::string& directory)
{
    static int serial = 0;
    std::system(("mkdir -p '" OUTPUT_DIR "'"));
    const std::string base = std::string(OUTPUT_DIR) + "/run" + std::to_string(getpid()) + "_" +
                             std::to_string(serial++);
    const std::string out = base + ".out", err = base + ".err";
    const std::string full = "cd '" + directory + "' && " + command + " >'" + out + "' 2>'" + err + "'";
    const int raw = std::system(full.c_str());
    Outcome o{WIFEXITED(raw) ? WEXITSTATUS(raw) : -1, slurp(out), slurp(err)};
    std::remove(out.c_str());
    std::remove(err.c_str());
    return o;
}

Outcome capture(const std::string& args, const std::string& directory)
{
    return run(std::string(CAPTURE_PATH) + " " + args, directory);
}

Outcome modrender(const std::string& args)
{
    return run(std::string(MODRENDER_PATH) + " " + args);
}
