#include "cli/cli_radio.h"

#include <CLI/CLI.hpp>

#include <atomic>
#include <csignal>
#include <cstdio>
#include <functional>
#include <iostream>
#include <unistd.h>

#include "image/dc_DataFile.h"
#include "link/U_Radio36.h"
#include "link/dc_Fleet.h"
#include "link/dc_TracePort.h"
#include "model/dc_Access.h"
#include "model/dc_MessageBox.h"

namespace {

// Exit status by outcome, so scripts can tell a timeout from a bad cable.
int ExitCode(TCloneStatus status) {
    return CloneStatusInfo(status).ExitCode;
}

std::atomic<bool> gCancelVisible{true};
std::atomic<bool> gCancelPressed{false};
std::atomic<int> gIgnoredPresses{0};
// The running transfer, for the interrupt handler's last word.
std::atomic<const TRadio36*> gRadio{nullptr};

// Ctrl+C is the Cancel button: honoured while the button would be visible.
// Once a write is under way the button is gone; a second Ctrl+C then ends
// the program the hard way.
void OnInterrupt(int) {
    if (gCancelVisible.load()) {
        gCancelPressed.store(true);
    } else if (gIgnoredPresses.fetch_add(1) >= 1) {
        const TRadio36* radio = gRadio.load();
        if (radio && radio->RadioTouched.load()) {
            // write(2) is what a signal handler may use.
            static constexpr char kNote[] = "\nrk36: aborted. The radio may now hold an incomplete "
                                            "configuration: write it again before using the radio.\n";
            [[maybe_unused]] const ssize_t n = write(STDERR_FILENO, kNote, sizeof kNote - 1);
        }
        std::signal(SIGINT, SIG_DFL);
        std::raise(SIGINT);
    }
}

std::string Plain(std::string text) {
    std::string out;
    for (char c : text)
        if (c != '\r') out += c;
    return out;
}

class TCliMessages : public IMessageSink {
  public:
    bool AssumeYes = false;

    TMsgResult Show(const TMessage& message) override {
        std::fprintf(stderr, "\n%s\n", Plain(message.Text).c_str());
        if (message.Buttons != TMsgButtons::YesNo && message.Buttons != TMsgButtons::YesNoCancel &&
            message.Buttons != TMsgButtons::YesCancel)
            return DefaultResult(message);
        if (AssumeYes) return TMsgResult::Yes;
        if (!isatty(STDIN_FILENO)) {
            std::fprintf(stderr, "(answered no: standard input is not a terminal; --yes answers yes)\n");
            return TMsgResult::No;
        }
        std::fprintf(stderr, "[y/N] ");
        std::string answer;
        std::getline(std::cin, answer);
        return (!answer.empty() && (answer[0] == 'y' || answer[0] == 'Y')) ? TMsgResult::Yes : TMsgResult::No;
    }
};

// Progress on standard error: a bar on a terminal, a few plain lines otherwise.
class TCliHost : public IRadioHost {
  public:
    explicit TCliHost(std::string direction)
        : direction_(std::move(direction)), tty_(isatty(STDERR_FILENO) != 0) {}

    void SetProgressMax(int32_t max) override {
        max_ = max;
        Render();
    }
    void StepProgress() override {
        ++position_;
        Render();
    }
    void ProgressToMax() override {
        position_ = max_;
        Render();
    }
    void SetStatus(const std::string& text) override {
        status_ = text;
        if (tty_)
            Render();
        else if (text.ends_with(": OK"))
            std::fprintf(stderr, "%s\n", text.c_str());
    }
    void SetSearchProgress(int32_t attempt, int32_t attempts) override {
        if (attempts > 0) {
            if (!searching_) blocksMax_ = max_;
            searching_ = true;
            max_ = attempts;
            position_ = attempt;
            if (tty_) Render();
        } else if (searching_) {
            searching_ = false;
            max_ = blocksMax_;
            position_ = 0;
            lastTenth_ = -1;
        }
    }
    bool Cancelled() override { return gCancelPressed.load(); }
    void SetCancelVisible(bool visible) override { gCancelVisible.store(visible); }
    void ProcessMessages() override {
        if (gIgnoredPresses.load() > noted_) {
            noted_ = gIgnoredPresses.load();
            std::fprintf(stderr,
                         "\nrk36: a write in progress cannot be cancelled (Ctrl+C again aborts it)\n");
        }
    }
    void Repaint() override {}
    void SetMainWindowEnabled(bool) override {}
    IClock& Clock() override { return SystemClock(); }

    void Finish() {
        if (tty_ && rendered_) std::fprintf(stderr, "\n");
    }

  private:
    std::string direction_;
    std::string status_;
    bool tty_;
    bool rendered_ = false;
    int32_t max_ = 0;
    int32_t position_ = 0;
    int32_t lastTenth_ = -1;
    int noted_ = 0;
    bool searching_ = false;
    int32_t blocksMax_ = 0;

    void Render() {
        const int32_t shown = std::min(position_, max_);
        if (tty_) {
            constexpr int kWidth = 30;
            const int filled = max_ > 0 ? shown * kWidth / max_ : 0;
            std::fprintf(stderr, "\r%s %-34s [%s%s] %3d/%d", direction_.c_str(), status_.c_str(),
                         std::string(static_cast<size_t>(filled), '#').c_str(),
                         std::string(static_cast<size_t>(kWidth - filled), '.').c_str(), shown, max_);
            rendered_ = true;
        } else if (max_ > 0) {
            const int32_t tenth = shown * 10 / max_;
            if (tenth != lastTenth_ && shown > 0) {
                lastTenth_ = tenth;
                std::fprintf(stderr, "%s: %d/%d blocks\n", direction_.c_str(), shown, max_);
            }
        }
        std::fflush(stderr);
    }
};

struct TRadioOptions {
    std::vector<std::string> Args;
    std::string Port;
    std::string Output;
    std::string Trace;
    std::string Ini;
    std::string Like;
    std::string AccessCode;
    bool Full = false;
    bool Yes = false;
    bool Verify = false;
    bool Repeat = false;
    std::string Log;
};

void AddCommonOptions(CLI::App* cmd, TRadioOptions& o) {
    cmd->add_option("--port", o.Port, "COM1..COM4 (mapped through RK36.ini) or a device path");
    cmd->add_option("--trace", o.Trace, "log every byte sent and received, with time stamps, to this file");
    cmd->add_option("--ini", o.Ini,
                    "configuration file with the COM1..COM4 device paths (default: RK36.ini "
                    "in the program folder)");
    cmd->add_flag("--yes", o.Yes,
                  "answer yes to questions (the deck band change of a full write, an identity checksum "
                  "that differs from the radio's)");
    cmd->footer("Exit status: " + CloneExitStatusHelp() + ".");
}

enum class TTransferKind { Read, Write, Verify };

// Installs the Ctrl+C handler for as long as it lives.
class TInterruptScope {
  public:
    TInterruptScope() {
        struct sigaction action {};
        action.sa_handler = OnInterrupt;
        sigemptyset(&action.sa_mask);
        sigaction(SIGINT, &action, &previous_);
    }
    ~TInterruptScope() { sigaction(SIGINT, &previous_, nullptr); }
    TInterruptScope(const TInterruptScope&) = delete;
    TInterruptScope& operator=(const TInterruptScope&) = delete;

  private:
    struct sigaction previous_ {};
};

using TTransferBody = std::function<TCloneStatus(TRadio36&, IRadioHost&)>;

// Runs one transfer with everything a terminal user needs around it;
// `body`, when given, runs instead of the transfer of `kind`.
TCloneStatus RunTransfer(const TRadioOptions& o, TTransferKind kind, TRKmem& model, TMap36& image,
                         const TTransferBody& body = {}) {
    auto messages = std::make_shared<TCliMessages>();
    messages->AssumeYes = o.Yes;
    const auto previousSink = SetMessageSink(messages);

    std::FILE* trace = nullptr;
    if (!o.Trace.empty() && !(trace = std::fopen(o.Trace.c_str(), "w"))) {
        std::fprintf(stderr, "rk36: cannot write the trace file %s\n", o.Trace.c_str());
        SetMessageSink(previousSink);
        return TCloneStatus::FileProblem;
    }
    const TPortMap portMap =
        LoadPortMap(o.Ini.empty() ? ProgramFolder() / "RK36.ini" : std::filesystem::path(o.Ini));

    const bool isRead = kind == TTransferKind::Read;
    TCliHost host(isRead ? ReadCaption : kind == TTransferKind::Write ? WriteCaption : VerifyCaption);
    host.SetProgressMax(kind == TTransferKind::Write ? 84 : 65);
    TRadio36 radio(host, [&]() -> std::unique_ptr<IRsPort> {
        auto port = std::make_unique<TCRsDrv>(host.Clock(), portMap);
        if (!trace) return port;
        return std::make_unique<TTracePort>(std::move(port), trace, host.Clock());
    });
    radio.PortName = o.Port;
    if (o.Full) radio.Context.StartupMode = 2;
    radio.VerifyAfterWrite = o.Verify;

    gCancelVisible = true;
    gCancelPressed = false;
    gIgnoredPresses = 0;
    {
        const TInterruptScope interrupts;
        gRadio = &radio;
        TCloneStatus status = TCloneStatus::Success;
        if (body)
            status = body(radio, host);
        else if (kind == TTransferKind::Verify)
            radio.VerifyRadio(model, image);
        else
            RunRadioTransfer(radio, isRead, o.Full ? 0 : 1, false, image, model);
        gRadio = nullptr;
        if (body) {
            host.Finish();
            if (trace) std::fclose(trace);
            SetMessageSink(previousSink);
            return status;
        }
    }

    host.Finish();
    if (trace) std::fclose(trace);
    SetMessageSink(previousSink);
    if (radio.Status == TCloneStatus::Cancelled)
        std::fprintf(stderr, "rk36: cancelled\n");
    else if (!radio.FailureDetail.empty() && radio.Status != TCloneStatus::Success)
        std::fprintf(stderr, "rk36: %s\n", radio.FailureDetail.c_str());
    return radio.Status;
}

// Port and file from "PORT FILE", "--port PORT FILE" or either with -o.
bool ResolveArgs(TRadioOptions& o, std::string& file) {
    std::vector<std::string> rest = o.Args;
    if (o.Port.empty() && !rest.empty()) {
        o.Port = rest.front();
        rest.erase(rest.begin());
    }
    file = o.Output;
    if (file.empty() && !rest.empty()) {
        file = rest.front();
        rest.erase(rest.begin());
    }
    if (o.Port.empty() || file.empty() || !rest.empty()) {
        std::fprintf(stderr, "rk36: expected a port and a file\n");
        return false;
    }
    return true;
}

int ReadCommand(TRadioOptions& o) {
    std::string file;
    if (!ResolveArgs(o, file)) return ExitCode(TCloneStatus::FileProblem);
    TRKmem model;
    TMap36 image;
    // The first guess of the search comes from the model; a similar file
    // makes it right at once. Without one the search starts where the
    // editor's would: from the default data file, when there is one.
    if (!o.Like.empty()) {
        if (!LoadDataFile(o.Like, model, image)) return ExitCode(TCloneStatus::FileProblem);
    } else {
        // Quietly: a missing or broken default file only costs search time.
        const TScopedMessages quiet;
        LoadDataFile(ProgramFolder() / "default.K36", model, image);
    }
    if (const TCloneStatus status = RunTransfer(o, TTransferKind::Read, model, image);
        status != TCloneStatus::Success)
        return ExitCode(status);
    // Only an image that decoded gets here; it is saved exactly as received.
    if (!WriteDataFile(file, image)) return ExitCode(TCloneStatus::FileProblem);
    std::fprintf(stderr, "rk36: saved %s\n", file.c_str());
    return ExitCode(TCloneStatus::Success);
}

// One radio after another until Ctrl+C; every radio a line in the log.
int FleetCommand(const TRadioOptions& o, const TRKmem& model, const TMap36& image) {
    TRKmem unusedModel;
    TMap36 unusedImage;
    TFleetSummary summary;
    bool logFailed = false;
    const TCloneStatus status = RunTransfer(
        o, TTransferKind::Write, unusedModel, unusedImage, [&](TRadio36& radio, IRadioHost& host) {
            summary = ProgramFleet(radio, host, model, image, [&](const TFleetEntry& entry) {
                if (entry.Status != TCloneStatus::Success && !radio.FailureDetail.empty())
                    std::fprintf(stderr, "rk36: %s\n", radio.FailureDetail.c_str());
                std::string reason;
                if (!AppendFleetLog(o.Log, entry, reason)) {
                    std::fprintf(stderr, "rk36: %s\n", reason.c_str());
                    logFailed = true;
                }
                std::fprintf(stderr, "rk36: %s\n", FleetLogLine(entry).c_str());
                // Ctrl+C from now on ends the fleet while it waits.
                gCancelPressed = false;
                gIgnoredPresses = 0;
            });
            return summary.Failed > 0 ? summary.LastFailure : TCloneStatus::Success;
        });
    std::fprintf(stderr, "rk36: %d radio(s) programmed, %d failed; log %s\n", summary.Programmed,
                 summary.Failed, o.Log.c_str());
    if (logFailed && status == TCloneStatus::Success) return ExitCode(TCloneStatus::FileProblem);
    return ExitCode(status);
}

int WriteCommand(TRadioOptions& o) {
    std::string file;
    if (!ResolveArgs(o, file)) return ExitCode(TCloneStatus::FileProblem);
    if (o.Full) {
        std::string code = o.AccessCode;
        if (code.empty())
            if (const char* env = std::getenv("RK36_ACCESS_CODE")) code = env;
        if (!IsManufactureAccessCode(code)) {
            std::fprintf(stderr, "rk36: --full needs the manufacture-mode access code (--access-code or "
                                 "RK36_ACCESS_CODE)\n");
            return ExitCode(TCloneStatus::AccessDenied);
        }
    }
    TRKmem model;
    TMap36 image;
    if (!LoadDataFile(file, model, image, TCodecContext{o.Full ? 2 : 0}))
        return ExitCode(TCloneStatus::FileProblem);
    if (o.Repeat) {
        if (o.Log.empty()) {
            std::fprintf(stderr, "rk36: --repeat needs --log LOG.csv\n");
            return ExitCode(TCloneStatus::FileProblem);
        }
        return FleetCommand(o, model, image);
    }
    return ExitCode(RunTransfer(o, TTransferKind::Write, model, image));
}

int VerifyCommand(TRadioOptions& o) {
    std::string file;
    if (!ResolveArgs(o, file)) return ExitCode(TCloneStatus::FileProblem);
    TRKmem model;
    TMap36 image;
    if (!LoadDataFile(file, model, image)) return ExitCode(TCloneStatus::FileProblem);
    return ExitCode(RunTransfer(o, TTransferKind::Verify, model, image));
}

} // namespace

void RegisterRadioCommands(CLI::App& app) {
    auto readOptions = std::make_shared<TRadioOptions>();
    CLI::App* read = app.add_subcommand("read", "Read a radio's memory into a data file (Upload)");
    read->add_option("args", readOptions->Args, "PORT and output FILE");
    read->add_option("-o,--output", readOptions->Output, "data file to write (.k36)");
    read->add_option("--like", readOptions->Like, "a data file of the same model, for a quicker search");
    AddCommonOptions(read, *readOptions);
    read->callback([readOptions] { throw CLI::RuntimeError(ReadCommand(*readOptions)); });

    auto writeOptions = std::make_shared<TRadioOptions>();
    CLI::App* write = app.add_subcommand("write", "Write a data file into a radio (Download)");
    write->add_option("args", writeOptions->Args, "PORT and data FILE");
    write->add_flag("--full", writeOptions->Full, "manufacture-mode full write, identity blocks included");
    write->add_option("--access-code", writeOptions->AccessCode, "manufacture-mode access code for --full");
    write
        ->add_flag("--verify", writeOptions->Verify,
                   "read back what was written before the radio leaves clone mode and compare")
        ->excludes("--full");
    write
        ->add_flag("--repeat", writeOptions->Repeat,
                   "program one radio after another: after each, wait for the next (Ctrl+C ends); "
                   "each radio's previous data are backed up")
        ->excludes("--full");
    write
        ->add_option(
            "--log", writeOptions->Log,
            "with --repeat: append one CSV line per radio (time, serial number, result, backup file)")
        ->needs("--repeat");
    AddCommonOptions(write, *writeOptions);
    write->callback([writeOptions] { throw CLI::RuntimeError(WriteCommand(*writeOptions)); });

    auto verifyOptions = std::make_shared<TRadioOptions>();
    CLI::App* verify = app.add_subcommand(
        "verify", "Compare a radio with what writing a data file would put into it; changes nothing");
    verify->add_option("args", verifyOptions->Args, "PORT and data FILE");
    AddCommonOptions(verify, *verifyOptions);
    verify->callback([verifyOptions] { throw CLI::RuntimeError(VerifyCommand(*verifyOptions)); });
}
