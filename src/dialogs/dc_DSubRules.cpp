#include "dialogs/dc_DSubRules.h"

#include <algorithm>

const std::array<TDsubPolarity, 6> kDsubOutPolarity = {{
    {"chbOutSql", "External SQL", &TRKmem::DsubOutNormal1, 1},
    {"chbOut19", "DSUB-19", &TRKmem::DsubOutNormal2, 1},
    {"chbOut20", "DSUB-20", &TRKmem::DsubOutNormal6, 1},
    {"chbOut21", "DSUB-21", &TRKmem::DsubOutNormal4, 1},
    {"chbOut22", "DSUB-22", &TRKmem::DsubOutNormal3, 1},
    {"chbOutAkey", "A-KEY-OUT", &TRKmem::DsubOutNormal5, 1},
}};

const std::array<TDsubPolarity, 7> kDsubInPolarity = {{
    {"chbInPtt", "External PTT", &TRKmem::DsubInNormal1, 1},
    {"chbInSel", "SELECT", &TRKmem::DsubInNormal6, 0},
    {"chbIn03", "DSUB-03", &TRKmem::DsubInNormal5, 0},
    {"chbIn04", "DSUB-04", &TRKmem::DsubInNormal4, 0},
    {"chbIn05", "DSUB-05", &TRKmem::DsubInNormal3, 0},
    {"chbIn06", "DSUB-06", &TRKmem::DsubInNormal2, 0},
    {"chbIn16", "DSUB-16", &TRKmem::DsubInNormal7, 0},
}};

const std::array<TDsubOutPin, 5> kDsubOutPins = {{
    {"cmbNo19", 2},
    {"cmbNo20", 6},
    {"cmbNo21", 4},
    {"cmbNo22", 3},
    {"cmbNoAkey", 5},
}};

const std::array<int32_t TRKmem::*, 6> kDsubOutFunctions = {
    &TRKmem::DsubOutFunction1, &TRKmem::DsubOutFunction2, &TRKmem::DsubOutFunction3,
    &TRKmem::DsubOutFunction4, &TRKmem::DsubOutFunction5, &TRKmem::DsubOutFunction6,
};

const std::vector<std::string> kDsubOutFunctionNames = {"None",   "A Port", "B Port", "C Port",
                                                        "D Port", "E Port", "HA Port"};

const std::array<TDsubInPin, 5> kDsubInPins = {{
    {"cmbNiISel", &TRKmem::DsubInFunction1},
    {"cmbNiI03", &TRKmem::DsubInFunction2},
    {"cmbNiI04", &TRKmem::DsubInFunction3},
    {"cmbNiI05", &TRKmem::DsubInFunction4},
    {"cmbNiI06", &TRKmem::DsubInFunction5},
}};

const std::vector<std::string> kDsubInFunctionNames = {"None",   "MON",     "DIMMER", "Hook", "SCAN",
                                                       "G-SCAN", "RPT INH", "EMG",    "Home", "CH SW0",
                                                       "CH SW1", "CH SW2",  "CH SW3", "LOW"};

namespace {
// Code 7 has no name: the items above it are one lower than their codes.
constexpr int32_t kUnusedInCode = 7;
} // namespace

TPinPorts PortsShownOnPins(const TPortPins& assignments) {
    TPinPorts ports{};
    for (size_t port = 0; port < assignments.size(); ++port)
        for (size_t pin = 0; pin < kDsubOutPins.size(); ++pin)
            if (kDsubOutPins[pin].Code == assignments[port]) ports[pin] = static_cast<int>(port) + 1;
    return ports;
}

TPortPins AssignmentsFromPins(const TPinPorts& ports) {
    TPortPins assignments{};
    for (size_t pin = 0; pin < ports.size(); ++pin) {
        const int port = ports[pin];
        if (port >= 1 && port <= static_cast<int>(assignments.size()))
            assignments[static_cast<size_t>(port - 1)] = kDsubOutPins[pin].Code;
    }
    return assignments;
}

int DsubInFunctionItem(int32_t code) {
    const int32_t last = static_cast<int32_t>(kDsubInFunctionNames.size());
    if (code < 0 || code == kUnusedInCode || code > last) return -1;
    return code < kUnusedInCode ? code : code - 1;
}

int32_t DsubInFunctionCode(int item) {
    if (item < 0 || item >= static_cast<int>(kDsubInFunctionNames.size())) return 0;
    return item < kUnusedInCode ? item : item + 1;
}

int32_t DsubInFunctionCodeOf(const std::string& name) {
    const auto it = std::find(kDsubInFunctionNames.begin(), kDsubInFunctionNames.end(), name);
    return it == kDsubInFunctionNames.end()
               ? 0
               : DsubInFunctionCode(static_cast<int>(it - kDsubInFunctionNames.begin()));
}

std::vector<std::vector<std::string>> ExclusiveItemLists(const std::vector<std::string>& names,
                                                         const std::vector<std::string>& shown) {
    std::vector<std::vector<std::string>> lists(shown.size());
    for (size_t box = 0; box < shown.size(); ++box)
        for (size_t n = 0; n < names.size(); ++n) {
            const std::string& name = names[n];
            bool taken = false;
            if (n > 0 && name != shown[box])
                for (size_t other = 0; other < shown.size(); ++other)
                    taken |= other != box && shown[other] == name;
            if (!taken) lists[box].push_back(name);
        }
    return lists;
}
