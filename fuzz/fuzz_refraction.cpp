// libFuzzer target: the refraction table reader, which reads a file by name; each input is written
// to a private temporary file first. A table that loads must give lookups without fault.
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>

#include "engine/engine.h"

namespace {

// One file per fuzzing process, removed when the process ends. It lives in memory (/dev/shm) where
// Linux offers that: rewriting a file on disk for every input slows the fuzzer a hundredfold.
std::filesystem::path ScratchFolder() {
    std::error_code ec;
    if (std::filesystem::is_directory("/dev/shm", ec)) return "/dev/shm";
    return std::filesystem::temp_directory_path();
}

struct ScratchFile {
    std::filesystem::path Path =
        ScratchFolder() / ("heliomark-fuzz-refs-" + std::to_string(::getpid()) + ".txt");
    ~ScratchFile() {
        std::error_code ec;
        std::filesystem::remove(Path, ec);
    }
};

}  // namespace

// Each run opens two file streams, whose freed buffers AddressSanitizer holds in its quarantine; at
// the default 256 MB that alone nears the fuzz runs' RSS limit, which is meant for unchecked counts.
extern "C" const char* __asan_default_options() {
    return "quarantine_size_mb=32";
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace heliomark;
    static const ScratchFile scratch;
    const std::filesystem::path& file = scratch.Path;
    {
        std::ofstream out(file, std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
    }
    try {
        const RefractionTable table = LoadRefractionTable(file);
        for (std::size_t i = 0; i < table.Key.size(); ++i) {
            RefractionLookup(table, table.Key[i]);
            if (i + 1 < table.Key.size()) RefractionLookup(table, table.Key[i] / 2 + table.Key[i + 1] / 2);
        }
        RefractionLookup(table, -1e300);
        RefractionLookup(table, 1e300);
    } catch (const DataFileError&) {
    }
    return 0;
}
