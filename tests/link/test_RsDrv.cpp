#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <poll.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <thread>

#include "link/dc_RsDrv.h"
#include "link_fakes.h"
#include "pty_pair.h"
#include "support/ScratchFolder.h"

namespace {

// Counts the operating system's write calls.
class TCountingDrv : public TCRsDrv {
  public:
    using TCRsDrv::TCRsDrv;
    std::vector<int32_t> Chunks;

  protected:
    long WriteChunk(const uint8_t* data, int32_t count) override {
        Chunks.push_back(count);
        return TCRsDrv::WriteChunk(data, count);
    }
};

std::vector<uint8_t> ReadMaster(int fd, size_t n) {
    std::vector<uint8_t> out;
    while (out.size() < n) {
        pollfd p{fd, POLLIN, 0};
        if (poll(&p, 1, 2000) <= 0) break;
        uint8_t buf[4096];
        const ssize_t got = read(fd, buf, std::min(sizeof buf, n - out.size()));
        if (got <= 0) break;
        out.insert(out.end(), buf, buf + got);
    }
    return out;
}

void WaitQueued(TCRsDrv& drv, int32_t n) {
    for (int i = 0; i < 200 && drv.InQueueCount() < n; ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
}

} // namespace

TEST(RsDrv, LineSettingsAsConfigured) {
    struct Case {
        int32_t baud;
        uint8_t bits;
        int32_t parity, stop;
        bool valid;
        speed_t speed;
        tcflag_t size, parityFlags;
        bool twoStops;
    } cases[] = {
        {9600, 8, NOPARITY, TWOSTOPBITS, true, B9600, CS8, 0, true},
        {38400, 7, EVENPARITY, ONESTOPBIT, true, B38400, CS7, PARENB, false},
        {19200, 5, ODDPARITY, ONE5STOPBITS, true, B19200, CS5, PARENB | PARODD, true},
        {12345, 8, NOPARITY, ONESTOPBIT, false, 0, 0, 0, false},
        {9600, 9, NOPARITY, ONESTOPBIT, false, 0, 0, 0, false},
        {9600, 8, 5, ONESTOPBIT, false, 0, 0, 0, false},
        {9600, 8, NOPARITY, 3, false, 0, 0, 0, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.baud << "/" << int{c.bits} << "/" << c.parity << "/" << c.stop);
        termios tio{};
        tio.c_cflag = CRTSCTS | HUPCL;
        tio.c_iflag = IXON | IXOFF | ICRNL;
        tio.c_lflag = ECHO | ICANON | ISIG;
        ASSERT_EQ(MakeLineSettings(c.baud, c.bits, c.parity, c.stop, tio), c.valid);
        if (!c.valid) continue;
        EXPECT_EQ(cfgetospeed(&tio), c.speed);
        EXPECT_EQ(cfgetispeed(&tio), c.speed);
        EXPECT_EQ(tio.c_cflag & CSIZE, c.size);
        EXPECT_EQ(tio.c_cflag & (PARENB | PARODD), c.parityFlags);
        EXPECT_EQ((tio.c_cflag & CSTOPB) != 0, c.twoStops);
        EXPECT_EQ(tio.c_cflag & (CRTSCTS | HUPCL), 0u);
        EXPECT_EQ(tio.c_cflag & (CREAD | CLOCAL), CREAD | CLOCAL);
        EXPECT_EQ(tio.c_iflag & (IXON | IXOFF | ICRNL), 0u);
        EXPECT_EQ(tio.c_lflag & (ECHO | ICANON | ISIG), 0u);
        EXPECT_EQ(tio.c_cc[VMIN], 0);
        EXPECT_EQ(tio.c_cc[VTIME], 0);
    }
}

// A pseudo-terminal keeps speed and stop bits (it forces 8 data bits, no parity).
TEST(RsDrv, OpenSetsTheLineOfThePort) {
    TPtyPair pty;
    ASSERT_FALSE(pty.SlavePath.empty());
    TVirtualClock clock;
    TCRsDrv drv(clock);
    drv.SetBaudRate(9600);
    ASSERT_EQ(drv.Open(pty.SlavePath), 0) << drv.LastError;
    EXPECT_EQ(drv.PortName, pty.SlavePath);
    termios tio{};
    ASSERT_EQ(tcgetattr(drv.Handle, &tio), 0);
    EXPECT_EQ(cfgetospeed(&tio), speed_t{B9600});
    EXPECT_NE(tio.c_cflag & CSTOPB, 0u);
    EXPECT_EQ(tio.c_lflag & (ECHO | ICANON), 0u);
    EXPECT_EQ(tio.c_cc[VMIN], 0);
    drv.Close();
    EXPECT_EQ(drv.Handle, TCRsDrv::InvalidHandle);
}

TEST(RsDrv, OpenFailuresNameTheirStep) {
    TVirtualClock clock;
    TCRsDrv drv(clock);
    EXPECT_EQ(drv.Open("/dev/rk36-no-such-port"), 1);
    EXPECT_EQ(drv.LastError, "Port Open Error");

    // Exclusive: a second driver cannot open a port that is in use, and can once it is closed.
    TPtyPair pty;
    TCRsDrv first(clock), second(clock);
    ASSERT_EQ(first.Open(pty.SlavePath), 0);
    EXPECT_EQ(second.Open(pty.SlavePath), 1);
    EXPECT_EQ(second.LastError, "Port Open Error");
    first.Close();
    EXPECT_EQ(second.Open(pty.SlavePath), 0) << second.LastError;

    // A device that is not a terminal has no line settings.
    TCRsDrv nul(clock);
    EXPECT_EQ(nul.Open("/dev/null"), 1);
    EXPECT_EQ(nul.LastError, "SetCommTimeouts Error");
    nul.Close();

    second.Close();
    TCRsDrv speed(clock);
    speed.SetBaudRate(12345);
    EXPECT_EQ(speed.Open(pty.SlavePath), 1);
    EXPECT_EQ(speed.LastError, "SetCommState Error");
    speed.Close();
}

TEST(RsDrv, WritePausesFirstAndSendsInChunks) {
    TPtyPair pty;
    TVirtualClock clock;
    TCountingDrv drv(clock);
    const uint8_t none = 0;
    EXPECT_EQ(drv.Write(&none, 0), 1); // not open
    EXPECT_EQ(drv.LastError, "Invalid Handle Error");
    EXPECT_EQ(clock.SleptMs, 100);

    ASSERT_EQ(drv.Open(pty.SlavePath), 0);
    EXPECT_EQ(drv.Write(&none, 0), 0);
    EXPECT_EQ(clock.SleptMs, 200);
    EXPECT_TRUE(drv.Chunks.empty());

    std::vector<uint8_t> data(3000);
    for (size_t i = 0; i < data.size(); ++i)
        data[i] = static_cast<uint8_t>(i * 7);
    std::vector<uint8_t> received;
    std::thread reader([&] { received = ReadMaster(pty.Master, data.size()); });
    EXPECT_EQ(drv.Write(data.data(), 3000), 0) << drv.LastError;
    reader.join();
    EXPECT_EQ(drv.Chunks, (std::vector<int32_t>{2048, 952}));
    EXPECT_EQ(received, data);
    EXPECT_EQ(clock.SleptMs, 300);
}

TEST(RsDrv, ReadTakesOnlyWhatIsQueued) {
    TPtyPair pty;
    TVirtualClock clock;
    TCRsDrv drv(clock);
    ASSERT_EQ(drv.Open(pty.SlavePath), 0);
    uint8_t buf[16] = {};
    int32_t got = -1;
    EXPECT_EQ(drv.Read(4, buf, got), 0);
    EXPECT_EQ(got, 0);

    const uint8_t ten[10] = {0, 1, 2, 3, 4, 5, 6, 7, 8, 9};
    ASSERT_EQ(write(pty.Master, ten, 10), 10);
    WaitQueued(drv, 10);
    EXPECT_EQ(drv.InQueueCount(), 10);
    EXPECT_EQ(drv.Read(4, buf, got), 0);
    EXPECT_EQ(got, 4);
    EXPECT_EQ(std::vector<uint8_t>(buf, buf + 4), (std::vector<uint8_t>{0, 1, 2, 3}));
    EXPECT_EQ(drv.InQueueCount(), 6);

    drv.Close();
    EXPECT_EQ(drv.InQueueCount(), -1);
    EXPECT_EQ(drv.LastError, "Invalid Handle Error");
    EXPECT_EQ(drv.Read(4, buf, got), 1);
}

TEST(RsDrv, WaitForInputReturnsWhenABytesArrives) {
    TPtyPair pty;
    TCRsDrv drv; // the wall clock: this is about real waiting
    ASSERT_EQ(drv.Open(pty.SlavePath), 0);
    std::thread writer([&] {
        std::this_thread::sleep_for(std::chrono::milliseconds(30));
        const uint8_t b = 0x31;
        (void)write(pty.Master, &b, 1);
    });
    const auto start = std::chrono::steady_clock::now();
    drv.WaitForInput(2000);
    const auto waited = std::chrono::steady_clock::now() - start;
    writer.join();
    EXPECT_LT(waited, std::chrono::milliseconds(1000));
    EXPECT_GE(waited, std::chrono::milliseconds(20));
}

TEST(PortMap, ComNamesResolveThroughTheIniFile) {
    const TScratchFolder folder("rk36-portmap");
    const auto ini = folder / "RK36.ini";
    {
        std::ofstream out(ini);
        // The configuration file rewrites entry lines as "entry;comment".
        out << "[Setting]\r\nHelpLang=0\r\ncom2 = /dev/ttyS5;\r\nCOM3=/dev/ttyACM1 ;front cable\r\nCOM4=\r\n";
    }
    const TPortMap map = LoadPortMap(ini);
    EXPECT_EQ(ResolvePortName("COM1", map), "/dev/ttyUSB0");
    EXPECT_EQ(ResolvePortName("COM2", map), "/dev/ttyS5");
    EXPECT_EQ(ResolvePortName("com3", map), "/dev/ttyACM1");
    EXPECT_EQ(ResolvePortName("COM4", map), "/dev/ttyUSB3"); // an empty value keeps the default
    EXPECT_EQ(ResolvePortName("COM5", map), "COM5");
    EXPECT_EQ(ResolvePortName("/dev/pts/7", map), "/dev/pts/7");
    EXPECT_EQ(LoadPortMap("/nonexistent/RK36.ini").Paths[0], "/dev/ttyUSB0");
}

// The port dialog shows the ports from the open configuration file and the
// transfer reads the file again: a repeated key must not make them differ.
TEST(PortMap, TheDialogAndTheTransferReadTheSameEntry) {
    const TScratchFolder folder("rk36-portdup");
    const auto ini = folder / "RK36.ini";
    {
        std::ofstream out(ini);
        out << "COM1=/dev/ttyS1\nCOM1=/dev/ttyS9\n";
    }
    TIniData file(ini);
    file.Load();
    EXPECT_EQ(ReadPortMap(file).Paths, LoadPortMap(ini).Paths);
    EXPECT_EQ(LoadPortMap(ini).Paths[0], "/dev/ttyS1");

    TPortMap changed;
    changed.Paths[2] = "/dev/pts/4";
    WritePortMap(changed, file);
    ASSERT_TRUE(file.Save());
    EXPECT_EQ(LoadPortMap(ini).Paths, changed.Paths);
}
