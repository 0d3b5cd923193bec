// Feeds files through the fuzz target without libFuzzer, so that the seed
// corpus and every kept regression input run in every build.
//
//   fuzz_replay PATH...      each PATH a file or a directory of files
#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <system_error>
#include <vector>

#include "tests/fuzz/fuzz_module.h"

namespace fs = std::filesystem;

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: fuzz_replay FILE_OR_DIR...\n");
        return 1;
    }
    std::vector<fs::path> files;
    for (int i = 1; i < argc; ++i) {
        std::error_code ec;
        fs::path p(argv[i]);
        if (fs::is_directory(p, ec)) {
            for (const auto& entry : fs::directory_iterator(p, ec))
                if (entry.is_regular_file()) files.push_back(entry.path());
        } else if (fs::is_regular_file(p, ec)) {
            files.push_back(p);
        } else {
            std::fprintf(stderr, "fuzz_replay: no such file or directory: %s\n", argv[i]);
            return 1;
        }
        if (ec) {
            std::fprintf(stderr, "fuzz_replay: cannot read %s: %s\n", argv[i], ec.message().c_str());
            return 1;
        }
    }
    std::sort(files.begin(), files.end());
    size_t n = 0;
    for (const fs::path& f : files) {
        std::ifstream in(f, std::ios::binary);
        if (!in) {
            std::fprintf(stderr, "fuzz_replay: cannot open %s\n", f.c_str());
            return 1;
        }
        std::vector<uint8_t> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
        zk_fuzz_module(bytes.data(), bytes.size());
        if (++n % 20 == 0 || n == files.size())
            std::fprintf(stderr, "fuzz_replay: %zu of %zu inputs played\n", n, files.size());
    }
    return 0;
}
