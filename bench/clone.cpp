// How close `rk36 read` and `rk36 write` come to the fastest transfer the
// protocol allows on a real 9600 bit/s line, against radio-sim --pace 9600.
//
// The floor of each exchange is its 100 ms pause before the write plus the
// longer of the 50 ms pause before the receive and the time the reply bytes
// need on the line (11 bits a byte: start, 8 data, 2 stop); the bytes and the
// exchanges are counted from the transfer's own trace, so the floor is that
// of the same run. Printed as measured / floor; it must stay at most 1.03.
//
// Usage: bench_clone [BUILD_DIR]   (default: the folder above this program)

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>
#include <string>
#include <sys/wait.h>
#include <unistd.h>

#include "image/dc_DataFile.h"
#include "image/dc_Map36.h"
#include "link/U_Radio36.h"
#include "model/dc_MessageBox.h"
#include "model/dc_RKmem.h"

namespace fs = std::filesystem;

namespace {

constexpr double kByteMs = 11.0 * 1000.0 / 9600.0;

struct TTraceFigures {
    double SpanMs = 0;  // open to close
    double FloorMs = 0; // prescribed pauses plus line time
    int Exchanges = 0;
    long BytesIn = 0;
};

TTraceFigures FromTrace(const fs::path& trace) {
    TTraceFigures f;
    std::ifstream in(trace);
    std::string line;
    long replyBytes = -1;
    const auto closeExchange = [&] {
        if (replyBytes >= 0) f.FloorMs += 100.0 + std::max(50.0, static_cast<double>(replyBytes) * kByteMs);
    };
    while (std::getline(in, line)) {
        std::istringstream words(line);
        double stamp = 0;
        std::string what;
        words >> stamp >> what;
        if (what == "tx") {
            closeExchange();
            replyBytes = 0;
            ++f.Exchanges;
        } else if (what == "rx") {
            std::string hex;
            while (words >> hex) {
                ++replyBytes;
                ++f.BytesIn;
            }
        } else if (what == "close") {
            closeExchange();
            f.SpanMs = stamp;
        }
    }
    return f;
}

int Run(const std::string& command) {
    const int status = std::system(command.c_str());
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

} // namespace

int main(int argc, char** argv) {
    const fs::path build =
        argc > 1 ? fs::path(argv[1]) : fs::canonical("/proc/self/exe").parent_path().parent_path();
    const fs::path rk36 = build / "src" / "rk36", sim = build / "tools" / "radio-sim" / "radio-sim";
    if (!fs::exists(rk36) || !fs::exists(sim)) {
        std::fprintf(stderr, "bench_clone: needs %s and %s\n", rk36.c_str(), sim.c_str());
        return 2;
    }
    const fs::path dir = fs::temp_directory_path() / ("rk36-bench-clone-" + std::to_string(getpid()));
    fs::create_directories(dir);

    // A new configuration over random bytes: every block carries data.
    std::mt19937 rng(36);
    TMap36 image;
    for (auto& b : image.Buf)
        b = static_cast<uint8_t>(rng());
    TRKmem model;
    model.SetNewConfiguration();
    model.SerialNumber = "--------";
    const fs::path file = dir / "bench.k36";
    if (!SaveDataFile(file, model, image)) return 2;

    std::printf("clone transfers against radio-sim --pace 9600; ratio = measured / floor (limit 1.03)\n");
    int failures = 0;
    for (const bool isRead : {true, false}) {
        const fs::path portFile = dir / "port", trace = dir / "trace.txt";
        fs::remove(portFile);
        const std::string simCommand = sim.string() + " --pace 9600 --once --image " + file.string() + " >" +
                                       portFile.string() + " 2>/dev/null &";
        if (Run(simCommand) != 0) return 2;
        std::string port;
        for (int i = 0; i < 100 && port.empty(); ++i) {
            usleep(50'000);
            std::ifstream(portFile) >> port;
        }
        const std::string command =
            rk36.string() +
            (isRead ? " read " + port + " -o " + (dir / "read.k36").string() + " --like "
                    : " write " + port + " ") +
            file.string() + " --trace " + trace.string() + " 2>/dev/null";
        const auto start = std::chrono::steady_clock::now();
        const int status = Run(command);
        const double wallMs =
            std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
        const TTraceFigures f = FromTrace(trace);
        if (status != 0 || f.FloorMs <= 0) {
            std::printf("%-5s failed (exit status %d)\n", isRead ? "read" : "write", status);
            ++failures;
            continue;
        }
        const double ratio = f.SpanMs / f.FloorMs;
        std::printf("%-5s %3d exchanges, %6ld bytes in: transfer/floor %.3f, whole command/floor %.3f%s\n",
                    isRead ? "read" : "write", f.Exchanges, f.BytesIn, ratio, wallMs / f.FloorMs,
                    ratio <= 1.03 ? "" : "  OVER THE LIMIT");
        failures += ratio <= 1.03 ? 0 : 1;
        usleep(300'000); // the simulator exits after its end frame
    }
    fs::remove_all(dir);
    return failures == 0 ? 0 : 1;
}
