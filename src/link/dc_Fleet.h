#pragma once
// Programming a fleet: one standard write after another, each radio's
// previous contents kept as a backup and one line per radio in a log.

#include <cstdint>
#include <filesystem>
#include <functional>
#include <string>

#include "image/dc_Map36.h"
#include "link/U_Radio36.h"
#include "link/dc_Clock.h"
#include "model/dc_RKmem.h"

// File name of the backup of a radio's image read at `when`: the serial
// number made safe for a file name, then the date and the time.
std::string RadioBackupFileName(const std::string& serialNumber, const TLocalDateTime& when);
// Writes `image` into the backup folder without replacing an earlier backup;
// the path written, or empty after the write error message.
std::filesystem::path KeepRadioBackup(const TMap& image, const std::string& serialNumber,
                                      const TLocalDateTime& when);

// One radio of a fleet, as its log line tells it.
struct TFleetEntry {
    TLocalDateTime Time;
    std::string SerialNumber; // empty when the radio could not be read
    TCloneStatus Status = TCloneStatus::Success;
    std::filesystem::path Backup; // empty when none was made
};

inline constexpr const char* FleetLogHeader = "time,serial number,result,backup file";
// "2026-12-06T23:59:59,12345678,ok,/path/x.K36", fields quoted as CSV needs.
std::string FleetLogLine(const TFleetEntry& entry);
// Appends the line (and the header first when the log is new or empty),
// flushed before it returns; false with the system's reason.
bool AppendFleetLog(const std::filesystem::path& log, const TFleetEntry& entry, std::string& reason);

struct TFleetSummary {
    int32_t Programmed = 0;
    int32_t Failed = 0;
    TCloneStatus LastFailure = TCloneStatus::Success;
};

// Writes `model` over `image` into one radio after another until Cancel:
// the first at once, each next one once the previous has left the line and
// a radio answers the search again (polled every `pollMs`). Each radio is
// read whole first and kept as a backup; one that fails does not stop the
// fleet. `done` hears of every radio as it ends.
TFleetSummary ProgramFleet(TRadio36& radio, IRadioHost& host, const TRKmem& model, const TMap36& image,
                           const std::function<void(const TFleetEntry&)>& done, int32_t pollMs = 500);
