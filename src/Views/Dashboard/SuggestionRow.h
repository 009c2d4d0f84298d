#pragma once

#include "Views/Dashboard/Suggestion.h"

#include <QFrame>

namespace zn {

class PressableScale;

// One suggestion as a card: its tile, title and explanation, an optional chip and a chevron. It grows a
// little under the pointer and has no action.
class SuggestionRow : public QFrame {
    Q_OBJECT

public:
    explicit SuggestionRow(Suggestion suggestion, QWidget* parent = nullptr);

    void setSuggestion(Suggestion suggestion);
    const Suggestion& suggestion() const { return suggestion_; }

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    Suggestion suggestion_;
    PressableScale* feedback_;
};

} // namespace zn
