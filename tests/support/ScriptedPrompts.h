#pragma once

#include "platform/Prompts.h"

#include <functional>

namespace sorvane::test {

// Records every message box a window asks for and answers from a script.
// When the script runs out it answers Cancel, so a Retry loop always ends.
class ScriptedPrompts : public Prompts {
public:
    PromptAnswer ask(const Prompt& prompt) override {
        asked.append(prompt);
        whileAsking(prompt);
        return script.isEmpty() ? PromptAnswer::Cancel : script.takeFirst();
    }
    void Answer(PromptAnswer answer) { script.append(answer); }

    QList<Prompt> asked;
    // Runs while the box would be open.
    std::function<void(const Prompt&)> whileAsking = [](const Prompt&) {};
    QList<PromptAnswer> script; // the answers still to give
};

} // namespace sorvane::test
