// radio-sim: a radio in clone mode on a pseudo-terminal, for tests,
// benchmarks and anyone without a radio at hand. Prints the device path to
// open, then serves the clone protocol until told to stop (or, with --once,
// until the first transfer has ended).

#include <CLI/CLI.hpp>

#include <charconv>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <deque>
#include <fcntl.h>
#include <filesystem>
#include <poll.h>
#include <stdlib.h>
#include <termios.h>
#include <thread>
#include <unistd.h>

#include "image/dc_DataFile.h"
#include "link/U_Radio36.h"
#include "model/dc_MessageBox.h"
#include "radio-sim/dc_RadioEmu.h"

namespace {

volatile std::sig_atomic_t gStop = 0;
void OnSignal(int) {
    gStop = 1;
}

using TClock = std::chrono::steady_clock;

bool ParseHexByte(const std::string& text, uint8_t& value) {
    unsigned v = 0;
    const char* first = text.c_str();
    if (text.starts_with("0x") || text.starts_with("0X")) first += 2;
    const auto [end, ec] = std::from_chars(first, text.c_str() + text.size(), v, 16);
    if (ec != std::errc() || end != text.c_str() + text.size() || v > 0xFF) return false;
    value = static_cast<uint8_t>(v);
    return true;
}

} // namespace

int main(int argc, char** argv) {
    CLI::App app{"radio-sim: a TR-2100/2200/2300 radio in clone mode on a pseudo-terminal"};
    std::string imageFile, saveFile, codeText, linkPath, garbage;
    std::vector<std::string> pokes;
    int32_t pace = 0;
    TEmuFaults faults;
    bool once = false, verbose = false;
    app.add_option("--image", imageFile, "data file the radio's memories start from (default: all zero)");
    app.add_option("--save", saveFile, "write the radio's memories as a data file on exit");
    app.add_option("--code", codeText, "model code in hex (default: derived from the image)");
    app.add_option("--pace", pace, "send at this line rate, 8 data bits and 2 stop bits (e.g. 9600)");
    app.add_option("--silent-after", faults.SilentAfterBytes, "stop sending after this many bytes");
    app.add_option("--bad-ack", faults.BadAckAt, "send 0x00 instead of the Kth acknowledgement");
    app.add_flag("--no-echo", faults.NoEcho, "do not echo received bytes");
    app.add_option("--garbage", garbage, "K:N sends N bytes 0x55 before the Kth acknowledgement");
    app.add_option("--poke", pokes,
                   "ADDR:BYTE (hex) changes a byte of the radio's memory after the first end frame "
                   "(main memory from 8000, auxiliary from 0)");
    app.add_option("--link", linkPath, "also make a symbolic link with this name to the device");
    app.add_flag("--once", once, "exit after the first end frame");
    app.add_flag("-v,--verbose", verbose, "log each command to standard error");
    CLI11_PARSE(app, argc, argv);

    TRadioEmulator radio;
    radio.Faults = faults;
    TMap36 image;
    TRKmem model;
    if (!imageFile.empty() && !LoadDataFile(imageFile, model, image)) return 2;
    radio.LoadImage(image);
    radio.ModelCode = ModelCodeFor(model);
    if (!codeText.empty() && !ParseHexByte(codeText, radio.ModelCode)) {
        std::fprintf(stderr, "radio-sim: --code: not a hex byte: %s\n", codeText.c_str());
        return 2;
    }
    if (!garbage.empty()) {
        const auto colon = garbage.find(':');
        try {
            radio.Faults.GarbageAtReply = std::stoi(garbage.substr(0, colon));
            radio.Faults.GarbageCount = colon == std::string::npos ? 1 : std::stoi(garbage.substr(colon + 1));
        } catch (const std::exception&) {
            std::fprintf(stderr, "radio-sim: --garbage: expected K:N\n");
            return 2;
        }
    }

    for (const std::string& poke : pokes) {
        const auto colon = poke.find(':');
        unsigned address = 0;
        uint8_t value = 0;
        const char* first = poke.c_str();
        const char* end = poke.c_str() + (colon == std::string::npos ? poke.size() : colon);
        if (colon == std::string::npos || std::from_chars(first, end, address, 16).ptr != end ||
            address > 0xFFFF || !ParseHexByte(poke.substr(colon + 1), value)) {
            std::fprintf(stderr, "radio-sim: --poke: expected ADDR:BYTE in hex: %s\n", poke.c_str());
            return 2;
        }
        radio.Faults.PokesAfterFirstEnd.emplace_back(static_cast<int32_t>(address), value);
    }

    const int master = posix_openpt(O_RDWR | O_NOCTTY);
    char slaveName[128] = {};
    if (master < 0 || grantpt(master) != 0 || unlockpt(master) != 0 ||
        ptsname_r(master, slaveName, sizeof slaveName) != 0) {
        std::perror("radio-sim: pseudo-terminal");
        return 1;
    }
    // Holding the device open keeps the master readable between programmer
    // sessions; raw, so nothing is echoed or translated by the line discipline.
    const int slave = open(slaveName, O_RDWR | O_NOCTTY);
    termios tio{};
    if (slave < 0 || tcgetattr(slave, &tio) != 0) {
        std::perror("radio-sim: device");
        return 1;
    }
    cfmakeraw(&tio);
    tcsetattr(slave, TCSANOW, &tio);
    if (!linkPath.empty()) {
        std::error_code ec;
        std::filesystem::remove(linkPath, ec);
        std::filesystem::create_symlink(slaveName, linkPath, ec);
        if (ec) std::fprintf(stderr, "radio-sim: --link: %s\n", ec.message().c_str());
    }
    std::signal(SIGINT, OnSignal);
    std::signal(SIGTERM, OnSignal);
    std::signal(SIGPIPE, SIG_IGN);
    std::printf("%s\n", slaveName);
    std::fflush(stdout);
    if (verbose)
        std::fprintf(stderr, "radio-sim: model code %02x on %s\n", static_cast<unsigned>(radio.ModelCode),
                     slaveName);

    // A byte of 1 start, 8 data and 2 stop bits.
    const auto byteTime = std::chrono::nanoseconds(pace > 0 ? 11'000'000'000LL / pace : 0);
    std::deque<uint8_t> pending;
    TClock::time_point nextSend = TClock::now();
    size_t events = 0;
    std::vector<uint8_t> out;
    while (!gStop) {
        int timeoutMs = 50;
        if (!pending.empty()) {
            const auto wait = std::chrono::duration_cast<std::chrono::milliseconds>(nextSend - TClock::now());
            timeoutMs = static_cast<int>(std::clamp<int64_t>(wait.count(), 0, 50));
        }
        pollfd p{master, POLLIN, 0};
        if (poll(&p, 1, timeoutMs) > 0 && (p.revents & POLLIN)) {
            uint8_t buf[512];
            const ssize_t got = read(master, buf, sizeof buf);
            if (got > 0) {
                out.clear();
                radio.Receive(buf, static_cast<size_t>(got), out);
                if (pending.empty()) nextSend = std::max(nextSend, TClock::now());
                pending.insert(pending.end(), out.begin(), out.end());
            }
        }
        if (byteTime.count() == 0) {
            std::vector<uint8_t> chunk(pending.begin(), pending.end());
            if (!chunk.empty() && write(master, chunk.data(), chunk.size()) > 0) pending.clear();
        } else {
            // Send what the line would have carried by now, keeping the schedule exact.
            while (!pending.empty() && TClock::now() >= nextSend) {
                const uint8_t b = pending.front();
                if (write(master, &b, 1) != 1) break;
                pending.pop_front();
                nextSend += byteTime;
            }
            if (pending.empty() && nextSend < TClock::now()) nextSend = TClock::now();
        }
        for (; verbose && events < radio.Events.size(); ++events) {
            const auto& e = radio.Events[events];
            std::fprintf(stderr, "radio-sim: %02x %04x %02x %d\n", e.Command,
                         static_cast<unsigned>(e.Address), e.Space, e.Length);
        }
        if (once && radio.EndFrames > 0 && pending.empty()) break;
    }

    // Let the last answer drain before the device goes away.
    if (once) std::this_thread::sleep_for(std::chrono::milliseconds(200));
    int status = 0;
    if (!saveFile.empty()) {
        TMap stored;
        radio.StoreImage(stored);
        if (!WriteDataFile(saveFile, stored)) status = 1;
    }
    if (!linkPath.empty()) std::filesystem::remove(linkPath);
    close(slave);
    close(master);
    return status;
}
