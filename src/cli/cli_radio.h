#pragma once
// The commands that talk to a radio: `rk36 read` and `rk36 write`.

namespace CLI {
class App;
}

void RegisterRadioCommands(CLI::App& app);
