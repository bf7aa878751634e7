#include "support/ScriptedPrompts.h"

namespace sorvane::test {

PromptAnswer ScriptedPrompts::ask(const Prompt& prompt) {
    asked.append(prompt);
    if (whileAsking)
        whileAsking(prompt);
    return script_.isEmpty() ? PromptAnswer::Cancel : script_.takeFirst();
}

} // namespace sorvane::test
