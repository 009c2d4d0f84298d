#pragma once

#include "Views/Kit/Feedback/AlertDialog.h"

#include <QPointer>
#include <QString>

#include <functional>

class QWidget;

namespace zn {

// An alert that reports a failure: a title, a state's text as its message, verbatim, and one "OK" button.
// Opened window-modal with open(); `dismissed` runs once however it is closed. While it is open a new text
// replaces the message instead of opening a second alert.
class FailureAlert {
public:
    FailureAlert(QWidget* parent, QString title, std::function<void()> dismissed);

    // Opens the alert, or updates the open one.
    void show(const QString& message);
    void close();
    bool isOpen() const { return !dialog_.isNull(); }
    AlertDialog* dialog() const { return dialog_; }

private:
    QWidget* parent_;
    QString title_;
    std::function<void()> dismissed_;
    QPointer<AlertDialog> dialog_;
};

} // namespace zn
