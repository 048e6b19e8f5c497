#pragma once
// The rear DSUB-25 connector as the dialog shows it and the model stores it.
// The boxes are per pin while the model keeps, per port function, the pin
// that carries it; the inputs are numbered one way for their polarity flags
// and the other way for their functions; and a polarity tick means a flag
// of 1 for the outputs and External PTT but 0 for the other inputs.

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "model/dc_RKmem.h"

// A polarity check box: the pin it stands for, its flag and the flag value
// a tick stands for.
struct TDsubPolarity {
    const char* Name; // object name of the check box
    const char* Pin;
    int32_t TRKmem::*Flag;
    int32_t Ticked;
};
extern const std::array<TDsubPolarity, 6> kDsubOutPolarity;
extern const std::array<TDsubPolarity, 7> kDsubInPolarity;

// An output pin with a function box, and the pin code the model stores for it.
struct TDsubOutPin {
    const char* Box;
    int32_t Code;
};
// cmbNo19, cmbNo20, cmbNo21, cmbNo22, cmbNoAkey.
extern const std::array<TDsubOutPin, 5> kDsubOutPins;
// Port functions A, B, C, D, E and HA: the pin code of each.
extern const std::array<int32_t TRKmem::*, 6> kDsubOutFunctions;
// "None", then the six port names; item k is port k.
extern const std::vector<std::string> kDsubOutFunctionNames;

// The input function boxes cmbNiISel, cmbNiI03 .. cmbNiI06 and their fields.
struct TDsubInPin {
    const char* Box;
    int32_t TRKmem::*Function;
};
extern const std::array<TDsubInPin, 5> kDsubInPins;
// The 14 input function names; code 7 has none.
extern const std::vector<std::string> kDsubInFunctionNames;

using TPinPorts = std::array<int, kDsubOutPins.size()>;          // per pin box: port 1..6, 0 none
using TPortPins = std::array<int32_t, kDsubOutFunctions.size()>; // per port: pin code

// What each pin box shows for the stored assignments (a later port wins a
// pin two ports name; a pin code no box has is shown nowhere).
TPinPorts PortsShownOnPins(const TPortPins& assignments);
// Every port cleared, then each pin box that shows a port gives it its pin.
TPortPins AssignmentsFromPins(const TPinPorts& ports);

// The item of an input function code, -1 for a code that has none.
int DsubInFunctionItem(int32_t code);
// The code of an item; 0 for anything that is not one.
int32_t DsubInFunctionCode(int item);
// The code of a shown name; 0 for a name not in the list.
int32_t DsubInFunctionCodeOf(const std::string& name);

// One function per pin: the list each box offers, given what every box
// shows (empty for nothing). A name other than "None" shown in one box is
// left out of the others, except a box that shows it itself.
std::vector<std::vector<std::string>> ExclusiveItemLists(const std::vector<std::string>& names,
                                                         const std::vector<std::string>& shown);
