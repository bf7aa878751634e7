#pragma once

#include "platform/Prompts.h"

#include <QList>

#include <functional>
#include <utility>

namespace sorvane::test {

// Records every message box a window asks for and answers from a script_.
// When the script runs out it answers Cancel, so a Retry loop always ends.
// whileAsked, when set, runs once at the next question: what the user (or
// another program) does while it is on screen.
class ScriptedPrompts : public Prompts {
public:
    PromptAnswer ask(const Prompt& prompt) override {
        if (whileAsked)
            std::exchange(whileAsked, nullptr)();
        asked.append(prompt);
        return script_.isEmpty() ? PromptAnswer::Cancel : script_.takeFirst();
    }
    void Answer(PromptAnswer answer) { script_.append(answer); }

    QList<Prompt> asked;
    std::function<void()> whileAsked;

private:
    QList<PromptAnswer> script_;
};

} // namespace sorvane::test
