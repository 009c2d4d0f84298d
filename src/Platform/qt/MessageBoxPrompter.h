#pragma once

#include "Platform/qt/QuestionPrompter.h"

namespace zn {

// Shows the question as an application-modal QMessageBox opened with open(), never exec().
class MessageBoxPrompter final : public QuestionPrompter {
public:
    void open(const PromptQuestion& question, std::function<void(bool accepted)> answered) override;
};

} // namespace zn
