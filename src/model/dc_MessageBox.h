#pragma once
// Every prompt and message of the program goes through ShowMessageBox. The
// implementation is replaceable: the editor shows a modal dialog, the
// command-line tool prints to standard error, tests record the texts and
// script the answers.

#include <functional>
#include <initializer_list>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

enum class TMsgType { Warning, Error, Information, Confirmation };

enum class TMsgButtons { Ok, OkCancel, YesNo, YesNoCancel, YesCancel };

enum class TMsgResult { Ok, Cancel, Yes, No };

struct TMessage {
    std::string Text; // already formatted
    TMsgType Type;
    TMsgButtons Buttons;
    int DefaultButton; // counted from 1; 0 or past the last button means the first
};

class IMessageSink {
  public:
    virtual ~IMessageSink() = default;
    virtual TMsgResult Show(const TMessage& message) = 0;
};

// The buttons of a set, in the order they are shown.
std::vector<TMsgResult> ButtonsOf(TMsgButtons buttons);
// The preselected button of a message, after the "0 or past the end means first" rule.
TMsgResult DefaultResult(const TMessage& message);

// Replaces the current sink; returns the previous one. nullptr restores the
// default, which writes to standard error and answers with the preselected button.
std::shared_ptr<IMessageSink> SetMessageSink(std::shared_ptr<IMessageSink> sink);

TMsgResult ShowMessageBox(std::string_view text, TMsgType type, TMsgButtons buttons = TMsgButtons::Ok,
                          int defaultButton = 1);
// `format` holds one "%s", replaced by `argument` (a plain substitution, never printf).
TMsgResult ShowMessageBoxF(std::string_view format, std::string_view argument, TMsgType type,
                           TMsgButtons buttons = TMsgButtons::Ok, int defaultButton = 1);

// Replaces each "%s" of `format` in turn by the next argument (a plain
// substitution: other "%" sequences stay as they are).
std::string FormatS(std::string_view format, std::initializer_list<std::string_view> args);

// For tests: records every message and answers from a script; when the script
// runs out it answers with the preselected button.
class TScriptedMessages : public IMessageSink {
  public:
    std::vector<TMessage> Shown;
    std::vector<TMsgResult> Answers;

    TMsgResult Show(const TMessage& message) override;
};

// Installs a scripted sink for the lifetime of the object.
class TScopedMessages {
  public:
    TScopedMessages();
    ~TScopedMessages();
    TScopedMessages(const TScopedMessages&) = delete;
    TScopedMessages& operator=(const TScopedMessages&) = delete;

    TScriptedMessages& operator*() { return *sink_; }
    TScriptedMessages* operator->() { return sink_.get(); }
    std::vector<std::string> Texts() const;

  private:
    std::shared_ptr<TScriptedMessages> sink_;
    std::shared_ptr<IMessageSink> previous_;
};
