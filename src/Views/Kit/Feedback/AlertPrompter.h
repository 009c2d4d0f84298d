#pragma once

#include "Platform/qt/QuestionPrompter.h"

namespace zn {

// Asks the question in the program's own alert, application-modal and shown without a nested event loop:
// the accept button first, drawn as the preferred (or destructive) one, then the cancel button. Escape and
// closing the alert answer as the cancel button does.
class AlertPrompter final : public QuestionPrompter {
public:
    void open(const PromptQuestion& question, std::function<void(bool accepted)> answered) override;
};

} // namespace zn
