#pragma once

#include <QObject>
#include <QPointer>

#include <optional>
#include <string>

namespace zn {

class AppState;

// What the main window does about a finished clean's failure. When granting Full Disk Access would fix it,
// the message is cleared and the survivors are handed to the permission prompt for a retry; any other
// failure is shown as an alert. Connections are queued, so the reaction sees the clean's whole finishing
// sequence (flag, retry list and message), never a half-written one. Every write of a true flag is handed
// off, also one that repeats an earlier true.
class CleanFailureReactions : public QObject {
    Q_OBJECT

public:
    static constexpr const char* kAlertTitle = "Couldn't clean everything";

    explicit CleanFailureReactions(AppState& state, QObject* parent = nullptr);

    // The alert's message while there is one to show: a clean message that access would not fix.
    std::optional<std::string> alertMessage() const;
    // Hands a fixable failure to the permission prompt; does nothing while there is none. A window that
    // appears after the flag was set calls it once.
    void handOffIfFixable();

signals:
    void alertMessageChanged();

private:
    QPointer<AppState> state_;
};

} // namespace zn
