#pragma once
// The access check moved to the core; this name stays until the main window
// and the radio commands include it from there.
#include "model/dc_Access.h"
