#pragma once

#include <QString>

namespace sorvane {

enum class PromptButtons { Ok, OkCancel, RetryCancel };
enum class PromptIcon { None, Information };
enum class PromptAnswer { Ok, Cancel, Retry };

// One modal message box as the windows describe it. The default button is
// always the first one (OK, or Retry).
struct Prompt {
    QString title;
    QString text;
    PromptButtons buttons = PromptButtons::Ok;
    PromptIcon icon = PromptIcon::None;
};

// Asks the user. The real implementation shows a message box; tests answer
// from a script, so no test ever blocks on a modal window.
class Prompts {
public:
    virtual ~Prompts() = default;
    virtual PromptAnswer ask(const Prompt& prompt) = 0;
};

} // namespace sorvane
