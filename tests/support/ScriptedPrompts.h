#pragma once

#include "platform/Prompts.h"

#include <QList>

#include <functional>

namespace sorvane::test {

// Records every message box a window asks for and answers from a script.
// When the script runs out it answers Cancel, so a Retry loop always ends.
class ScriptedPrompts : public Prompts {
public:
    PromptAnswer ask(const Prompt& prompt) override;

    void Answer(PromptAnswer answer) { script_.append(answer); }

    QList<Prompt> asked;
    std::function<void(const Prompt&)> whileAsking; // runs while the box would be open

private:
    QList<PromptAnswer> script_;
};

} // namespace sorvane::test
