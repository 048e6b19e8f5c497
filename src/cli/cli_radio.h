#pragma once
// The commands that talk to a radio: `rk36 read`, `rk36 write` and `rk36 verify`.

namespace CLI {
class App;
}

void RegisterRadioCommands(CLI::App& app);
