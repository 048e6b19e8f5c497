#include "link/dc_RsDrv.h"

#include <algorithm>
#include <cerrno>
#include <fcntl.h>
#include <poll.h>
#include <sys/file.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <unistd.h>

#include "model/dc_Ini.h"
#include "model/dc_Text.h"

namespace {

std::string PortKey(size_t index) {
    return "COM" + std::to_string(index + 1);
}

// Index 0..3 for "COM1".."COM4", -1 for anything else.
int ComIndex(const std::string& name) {
    const std::string u = UpperCase(TrimText(name));
    if (u.size() == 4 && u.starts_with("COM") && u[3] >= '1' && u[3] <= '4') return u[3] - '1';
    return -1;
}

bool SpeedOf(int32_t baud, speed_t& speed) {
    static constexpr std::pair<int32_t, speed_t> kSpeeds[] = {
        {1200, B1200},   {2400, B2400},   {4800, B4800},     {9600, B9600},     {19200, B19200},
        {38400, B38400}, {57600, B57600}, {115200, B115200}, {230400, B230400},
    };
    for (const auto& [b, s] : kSpeeds)
        if (b == baud) {
            speed = s;
            return true;
        }
    return false;
}

bool DataBitsOf(uint8_t bits, tcflag_t& flag) {
    switch (bits) {
    case 5:
        flag = CS5;
        return true;
    case 6:
        flag = CS6;
        return true;
    case 7:
        flag = CS7;
        return true;
    case 8:
        flag = CS8;
        return true;
    default:
        return false;
    }
}

// Raises or drops modem lines; a device without them (a pseudo-terminal) is
// not an error, so the result is ignored on purpose.
void SetModemLines(int fd, int lines, bool raise) {
    (void)ioctl(fd, raise ? TIOCMBIS : TIOCMBIC, &lines);
}

} // namespace

TPortMap LoadPortMap(const std::filesystem::path& iniFile) {
    TIniData ini(iniFile);
    ini.Load();
    return ReadPortMap(ini);
}

TPortMap ReadPortMap(const TIniData& ini) {
    TPortMap map;
    for (size_t i = 0; i < map.Paths.size(); ++i)
        map.Paths[i] = ini.ReadStr(PortKey(i), map.Paths[i]);
    return map;
}

void WritePortMap(const TPortMap& map, TIniData& ini) {
    for (size_t i = 0; i < map.Paths.size(); ++i)
        ini.WriteStr(PortKey(i), map.Paths[i]);
}

std::string ResolvePortName(const std::string& portName, const TPortMap& map) {
    const int i = ComIndex(portName);
    return i >= 0 ? map.Paths[static_cast<size_t>(i)] : portName;
}

bool MakeLineSettings(int32_t baudRate, uint8_t byteSize, int32_t parity, int32_t stopBits, termios& tio) {
    speed_t speed{};
    tcflag_t dataBits{};
    if (!SpeedOf(baudRate, speed) || !DataBitsOf(byteSize, dataBits) || parity < NOPARITY ||
        parity > SPACEPARITY || stopBits < ONESTOPBIT || stopBits > TWOSTOPBITS)
        return false;
    // Binary mode, no flow control of any kind, no character replacement.
    cfmakeraw(&tio);
    tio.c_iflag &= ~static_cast<tcflag_t>(IXON | IXOFF | IXANY | INPCK | ISTRIP | IGNPAR | PARMRK);
    tio.c_cflag &= ~static_cast<tcflag_t>(CSIZE | PARENB | PARODD | CSTOPB | CRTSCTS | HUPCL);
#ifdef CMSPAR
    tio.c_cflag &= ~static_cast<tcflag_t>(CMSPAR);
#endif
    tio.c_cflag |= dataBits | CREAD | CLOCAL;
    switch (parity) {
    case ODDPARITY:
        tio.c_cflag |= PARENB | PARODD;
        break;
    case EVENPARITY:
        tio.c_cflag |= PARENB;
        break;
#ifdef CMSPAR
    case MARKPARITY:
        tio.c_cflag |= PARENB | PARODD | CMSPAR;
        break;
    case SPACEPARITY:
        tio.c_cflag |= PARENB | CMSPAR;
        break;
#endif
    default:
        break;
    }
    // One and a half stop bits exist only with 5 data bits, where the
    // hardware gives them for the two-stop-bit setting.
    if (stopBits != ONESTOPBIT) tio.c_cflag |= CSTOPB;
    tio.c_cc[VSTART] = 0x11;
    tio.c_cc[VSTOP] = 0x13;
    tio.c_cc[VMIN] = 0;
    tio.c_cc[VTIME] = 0;
    return cfsetispeed(&tio, speed) == 0 && cfsetospeed(&tio, speed) == 0;
}

TCRsDrv::TCRsDrv(IClock& clock, TPortMap portMap) : clock_(clock), portMap_(std::move(portMap)) {}

TCRsDrv::~TCRsDrv() {
    if (Handle != InvalidHandle) Close();
}

int32_t TCRsDrv::Open(const std::string& portName) {
    LastError.clear();
    PortName = portName;

    const std::string path = ResolvePortName(portName, portMap_);
    // Non-blocking only for the open itself, so a port without carrier does not hang it.
    const int fd = ::open(path.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    // Exclusive: the advisory lock holds for every user, the terminal's own
    // exclusive mode keeps out programs that do not lock (but not root).
    if (fd < 0 || flock(fd, LOCK_EX | LOCK_NB) != 0) {
        if (fd >= 0) ::close(fd);
        LastError = "Port Open Error";
        return 1;
    }
    (void)ioctl(fd, TIOCEXCL);
    Handle = fd;
    const int flags = fcntl(fd, F_GETFL);
    // Queue sizes are the kernel's on this platform; only the open file's mode can be refused here.
    if (flags < 0 || fcntl(fd, F_SETFL, flags & ~O_NONBLOCK) != 0) {
        LastError = "SetupComm Error";
        return 1;
    }
    tcflush(fd, TCIOFLUSH);

    termios tio{};
    if (tcgetattr(fd, &tio) != 0) {
        LastError = "SetCommTimeouts Error";
        return 1;
    }
    // A read returns at once with what is queued; writes have no time-out.
    tio.c_cc[VMIN] = 0;
    tio.c_cc[VTIME] = 0;
    if (tcsetattr(fd, TCSANOW, &tio) != 0) {
        LastError = "SetCommTimeouts Error";
        return 1;
    }

    if (!MakeLineSettings(BaudRate, ByteSize, Parity, StopBits, tio) || tcsetattr(fd, TCSANOW, &tio) != 0) {
        LastError = "SetCommState Error";
        return 1;
    }
    SetModemLines(fd, TIOCM_DTR | TIOCM_RTS, true);
    return 0;
}

void TCRsDrv::Close() {
    if (Handle == InvalidHandle) return;
    // Whatever was written last (the end frame, sent without awaiting a
    // reply) must leave before the port goes: wait for the output queue to
    // empty, but not for ever on a line that does not drain, and discard
    // only what came in.
    const int64_t deadline = clock_.NowMs() + kDrainLimitMs;
    for (int queued = 0; ioctl(Handle, TIOCOUTQ, &queued) == 0 && queued > 0 && clock_.NowMs() < deadline;)
        clock_.Sleep(2);
    tcflush(Handle, TCIFLUSH);
    // Dropping DTR tells the radio the programmer has let go.
    SetModemLines(Handle, TIOCM_DTR, false);
    (void)ioctl(Handle, TIOCNXCL);
    ::close(Handle);
    Handle = InvalidHandle;
}

long TCRsDrv::WriteChunk(const uint8_t* data, int32_t count) {
    long done = 0;
    while (done < count) {
        const ssize_t n = ::write(Handle, data + done, static_cast<size_t>(count - done));
        if (n < 0) {
            if (errno == EINTR) continue;
            return done > 0 ? done : -1;
        }
        done += n;
    }
    return done;
}

int32_t TCRsDrv::Write(const uint8_t* data, int32_t count) {
    clock_.Sleep(100);
    LastError.clear();
    if (Handle == InvalidHandle) {
        LastError = "Invalid Handle Error";
        return 1;
    }
    int32_t sent = 0;
    while (sent < count) {
        const int32_t chunk = std::min(count - sent, OutQueueSize);
        errno = 0;
        const long written = WriteChunk(data + sent, chunk);
        if (written != chunk) {
            const int code = errno;
            LastError = "WriteFile Error [" + std::to_string(written < 0 ? 0 : written) +
                        "] : " + std::to_string(code);
            return 1;
        }
        sent += chunk;
    }
    return 0;
}

int32_t TCRsDrv::Read(int32_t maxCount, uint8_t* buffer, int32_t& bytesRead) {
    LastError.clear();
    bytesRead = 0;
    const int32_t n = InQueueCount();
    if (n < 0) return 1;
    if (n > 0) {
        const ssize_t got = ::read(Handle, buffer, static_cast<size_t>(std::min(maxCount, OutQueueSize)));
        bytesRead = got > 0 ? static_cast<int32_t>(got) : 0;
    }
    return 0;
}

int32_t TCRsDrv::InQueueCount() {
    LastError.clear();
    if (Handle == InvalidHandle) {
        LastError = "Invalid Handle Error";
        return -1;
    }
    int n = 0;
    if (ioctl(Handle, FIONREAD, &n) != 0) {
        LastError = "ClearCommError";
        return -1;
    }
    return n;
}

void TCRsDrv::WaitForInput(int32_t ms) {
    if (ms <= 0) return;
    if (Handle == InvalidHandle) {
        clock_.Sleep(ms);
        return;
    }
    pollfd p{Handle, POLLIN, 0};
    const int64_t start = clock_.NowMs();
    const int r = ::poll(&p, 1, ms);
    // A hung-up device reports "ready" forever; without data that must still be a pause.
    if (r > 0 && (p.revents & POLLIN) == 0) {
        const int64_t left = ms - (clock_.NowMs() - start);
        if (left > 0) clock_.Sleep(static_cast<int32_t>(left));
    }
}
