#pragma once

#include <functional>
#include <string>

namespace zn {

// A question with two answers, shown in an informational alert.
struct PromptQuestion {
    std::string title;
    std::string message;
    std::string acceptButton; // the first button; Return presses it unless it is destructive
    std::string cancelButton;
    // Accepting deletes something: the button is drawn as a warning and only a deliberate click presses it.
    bool acceptIsDestructive = false;

    bool operator==(const PromptQuestion&) const = default;
};

// Asks a question without blocking: open() returns at once and the answer arrives later on the main
// thread. There is no nested event loop, so nothing else of the application runs "inside" the question.
class QuestionPrompter {
public:
    virtual ~QuestionPrompter() = default;

    // `answered` runs exactly once, with true when the accept button was chosen and false for anything else.
    virtual void open(const PromptQuestion& question, std::function<void(bool accepted)> answered) = 0;
};

} // namespace zn
