#pragma once

#include "platform/prompts.h"

namespace z718 {

// The prompts in use: the QtWidgets ones unless a test installed its own.
Prompts& prompts();
// Installs `replacement` (not owned); nullptr goes back to the QtWidgets prompts.
void installPrompts(Prompts* replacement);

// Installs `replacement` for the lifetime of the guard.
class ScopedPrompts {
public:
    explicit ScopedPrompts(Prompts& replacement) { installPrompts(&replacement); }
    ~ScopedPrompts() { installPrompts(nullptr); }
    ScopedPrompts(const ScopedPrompts&) = delete;
    ScopedPrompts& operator=(const ScopedPrompts&) = delete;
};

}  // namespace z718
