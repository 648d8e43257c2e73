#pragma once

#include "shared/platform/prompter.h"

#include <memory>

class QWidget;

// The prompter of a real program: the answer file of the environment when one is named
// (automation and end-to-end tests), the real boxes otherwise.
std::unique_ptr<Prompter> makeProgramPrompter(QWidget* parent = nullptr);
