#include "cli/cli_common.h"

#include <cstdio>
#include <memory>
#include <string>

#include <CLI/CLI.hpp>

#include "model/dc_MessageBox.h"

namespace {

class TCliMessageSink : public IMessageSink {
  public:
    TMsgResult Show(const TMessage& message) override {
        // The dialogs' line breaks are "\r\n"; a terminal wants "\n".
        std::string text = message.Text;
        for (size_t p; (p = text.find("\r\n")) != std::string::npos;)
            text.erase(p, 1);
        std::fprintf(stderr, "rk36: %s\n", text.c_str());
        return DefaultResult(message);
    }
};

} // namespace

void InstallCliMessages() {
    SetMessageSink(std::make_shared<TCliMessageSink>());
}

void CliFail(std::string_view message) {
    if (!message.empty()) ShowMessageBox(message, TMsgType::Error);
    throw CLI::RuntimeError(1);
}
