#pragma once
// The configuration file moved to the core, where the link layer reads it
// too; this name stays until the main window's units include it from there.
#include "model/dc_Ini.h"
#include "model/dc_Text.h"
