#pragma once

#include "platform/Prompts.h"

namespace sorvane::test {

// Records every message box a window asks for and answers from a script_.
// When the script runs out it answers Cancel, so a Retry loop always ends.
class ScriptedPrompts : public Prompts {
public:
    PromptAnswer ask(const Prompt& prompt) override {
        asked.append(prompt);
        return script_.isEmpty() ? PromptAnswer::Cancel : script_.takeFirst();
    }
    void Answer(PromptAnswer answer) { script_.append(answer); }

    QList<Prompt> asked;

private:
    QList<PromptAnswer> script_;
};

} // namespace sorvane::test
