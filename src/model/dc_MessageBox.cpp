#include "model/dc_MessageBox.h"

#include <cstdio>

namespace {

class TStderrSink : public IMessageSink {
  public:
    TMsgResult Show(const TMessage& message) override {
        std::fprintf(stderr, "%s\n", message.Text.c_str());
        return DefaultResult(message);
    }
};

std::shared_ptr<IMessageSink>& CurrentSink() {
    static std::shared_ptr<IMessageSink> sink = std::make_shared<TStderrSink>();
    return sink;
}

} // namespace

std::vector<TMsgResult> ButtonsOf(TMsgButtons buttons) {
    switch (buttons) {
    case TMsgButtons::Ok:
        return {TMsgResult::Ok};
    case TMsgButtons::OkCancel:
        return {TMsgResult::Ok, TMsgResult::Cancel};
    case TMsgButtons::YesNo:
        return {TMsgResult::Yes, TMsgResult::No};
    case TMsgButtons::YesNoCancel:
        return {TMsgResult::Yes, TMsgResult::No, TMsgResult::Cancel};
    case TMsgButtons::YesCancel:
        return {TMsgResult::Yes, TMsgResult::Cancel};
    }
    return {TMsgResult::Ok};
}

TMsgResult DefaultResult(const TMessage& message) {
    const auto buttons = ButtonsOf(message.Buttons);
    const int i = message.DefaultButton;
    if (i < 1 || i > static_cast<int>(buttons.size())) return buttons.front();
    return buttons[static_cast<size_t>(i - 1)];
}

std::shared_ptr<IMessageSink> SetMessageSink(std::shared_ptr<IMessageSink> sink) {
    auto previous = CurrentSink();
    CurrentSink() = sink ? std::move(sink) : std::make_shared<TStderrSink>();
    return previous;
}

TMsgResult ShowMessageBox(std::string_view text, TMsgType type, TMsgButtons buttons, int defaultButton) {
    return CurrentSink()->Show(TMessage{std::string(text), type, buttons, defaultButton});
}

std::string FormatS(std::string_view format, std::initializer_list<std::string_view> args) {
    std::string out;
    auto arg = args.begin();
    for (size_t i = 0; i < format.size(); ++i) {
        if (format[i] == '%' && i + 1 < format.size() && format[i + 1] == 's' && arg != args.end()) {
            out += *arg++;
            ++i;
        } else {
            out += format[i];
        }
    }
    return out;
}

TMsgResult ShowMessageBoxF(std::string_view format, std::string_view argument, TMsgType type,
                           TMsgButtons buttons, int defaultButton) {
    return ShowMessageBox(FormatS(format, {argument}), type, buttons, defaultButton);
}

TMsgResult TScriptedMessages::Show(const TMessage& message) {
    Shown.push_back(message);
    if (Shown.size() <= Answers.size()) return Answers[Shown.size() - 1];
    return DefaultResult(message);
}

TScopedMessages::TScopedMessages() : sink_(std::make_shared<TScriptedMessages>()) {
    previous_ = SetMessageSink(sink_);
}

TScopedMessages::~TScopedMessages() {
    SetMessageSink(previous_);
}

std::vector<std::string> TScopedMessages::Texts() const {
    std::vector<std::string> texts;
    for (const auto& m : sink_->Shown)
        texts.push_back(m.Text);
    return texts;
}
