#pragma once

#include "platform/Prompts.h"

namespace sorvane {

// Message boxes through QMessageBox, modal to the active window.
class QtPrompts : public Prompts {
public:
    PromptAnswer ask(const Prompt& prompt) override;
};

} // namespace sorvane
