#include "link/dc_Fleet.h"

#include <cstdio>
#include <exception>
#include <fstream>

#include "image/dc_DataFile.h"

namespace fs = std::filesystem;

namespace {

constexpr const char* kBackupExt = ".K36";
constexpr const char* kWaitingStatus = "Waiting for the next radio";

std::string CsvField(const std::string& text) {
    if (text.find_first_of(",\"\r\n") == std::string::npos) return text;
    std::string quoted = "\"";
    for (const char c : text) {
        if (c == '"') quoted += '"';
        quoted += c;
    }
    return quoted + "\"";
}

// "ok", or "failed: " and what the exit status means.
std::string ResultText(TCloneStatus status) {
    if (status == TCloneStatus::Success) return "ok";
    const int exitCode = CloneStatusInfo(status).ExitCode;
    for (const TCloneStatusInfo& row : kCloneStatuses)
        if (row.ExitCode == exitCode && row.ExitMeaning) return std::string("failed: ") + row.ExitMeaning;
    return "failed";
}

// Waits until the radio last written has left the line and a radio answers.
bool WaitForNextRadio(TRadio36& radio, IRadioHost& host, uint8_t code, int32_t pollMs) {
    host.SetCancelVisible(true);
    host.SetStatus(kWaitingStatus);
    for (bool gone = false;;) {
        host.ProcessMessages();
        if (host.Cancelled()) return false;
        if (!radio.RadioAnswers(code))
            gone = true;
        else if (gone)
            return true;
        host.Clock().Sleep(pollMs);
    }
}

} // namespace

std::string RadioBackupFileName(const std::string& serialNumber, const TLocalDateTime& when) {
    std::string serial;
    for (const char c : serialNumber) {
        const bool safe =
            (c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '-';
        serial += safe ? c : '_';
    }
    // Blanks padding a serial number say nothing, and dashes (no serial
    // number at all) would make the name look like an option.
    const auto first = serial.find_first_not_of("_-");
    serial =
        first == std::string::npos ? "" : serial.substr(first, serial.find_last_not_of("_-") - first + 1);
    if (serial.empty()) serial = "NoSerial";
    char stamp[32];
    std::snprintf(stamp, sizeof stamp, "_%04d%02d%02d_%02d%02d%02d", static_cast<int>(when.Year % 10000),
                  static_cast<int>(when.Month), static_cast<int>(when.Day), static_cast<int>(when.Hour),
                  static_cast<int>(when.Minute), static_cast<int>(when.Second));
    return serial + stamp + kBackupExt;
}

fs::path KeepRadioBackup(const TMap& image, const std::string& serialNumber, const TLocalDateTime& when) {
    return WriteBackupFile(image, RadioBackupFileName(serialNumber, when));
}

std::string FleetLogLine(const TFleetEntry& entry) {
    const int32_t offset = entry.Time.UtcOffsetMinutes;
    const int32_t offsetAbs = offset < 0 ? -offset : offset;
    char time[40];
    std::snprintf(time, sizeof time, "%04d-%02d-%02dT%02d:%02d:%02d%c%02d:%02d",
                  static_cast<int>(entry.Time.Year), static_cast<int>(entry.Time.Month),
                  static_cast<int>(entry.Time.Day), static_cast<int>(entry.Time.Hour),
                  static_cast<int>(entry.Time.Minute), static_cast<int>(entry.Time.Second),
                  offset < 0 ? '-' : '+', static_cast<int>(offsetAbs / 60 % 100),
                  static_cast<int>(offsetAbs % 60));
    return std::string(time) + "," + CsvField(entry.SerialNumber) + "," + CsvField(ResultText(entry.Status)) +
           "," + CsvField(entry.Backup.string());
}

bool AppendFleetLog(const fs::path& log, const TFleetEntry& entry, std::string& reason) {
    std::error_code ec;
    const bool fresh = !fs::exists(log, ec) || fs::file_size(log, ec) == 0;
    std::ofstream out(log, std::ios::binary | std::ios::app);
    if (fresh) out << FleetLogHeader << "\n";
    out << FleetLogLine(entry) << "\n";
    out.flush();
    if (out) return true;
    reason = "cannot append to " + log.string();
    return false;
}

TFleetSummary ProgramFleet(TRadio36& radio, IRadioHost& host, const TRKmem& model, const TMap36& image,
                           const std::function<void(const TFleetEntry&)>& done, int32_t pollMs) {
    TFleetSummary summary;
    uint8_t code = ModelCodeFor(model);
    for (bool first = true;; first = false) {
        if (!first && !WaitForNextRadio(radio, host, code, pollMs)) break;
        // Every radio gets the file as loaded: the write stamps the model and
        // takes the radio's identity into the image.
        TRKmem written;
        written.Assign(model);
        TMap36 writtenImage;
        writtenImage.Assign(image);
        TFleetEntry entry;
        radio.KeepBeforeWrite = [&](const TMap36& held) {
            TRKmem identity;
            try {
                if (held.Decode(identity, radio.Context)) entry.SerialNumber = identity.SerialNumber;
            } catch (const std::exception&) {
            }
            entry.Backup = KeepRadioBackup(held, entry.SerialNumber, host.Clock().LocalNow());
            return !entry.Backup.empty();
        };
        radio.WriteRadio(written, writtenImage);
        radio.KeepBeforeWrite = nullptr;
        entry.Time = host.Clock().LocalNow();
        entry.Status = radio.Status;
        if (entry.Status == TCloneStatus::Success) {
            ++summary.Programmed;
            code = radio.ModelCode;
        } else {
            ++summary.Failed;
            summary.LastFailure = entry.Status;
        }
        if (done) done(entry);
        if (entry.Status == TCloneStatus::Cancelled) break;
    }
    return summary;
}
