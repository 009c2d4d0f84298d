#pragma once

#include "Views/Dashboard/StateLayout.h"

namespace zn {

class AppState;
class CardSurface;
class NexalIcon;
class ScanningGauge;
class TextLabel;

// The dashboard while a clean runs: the turning gauge in the warning colour and how far the clean is.
class CleaningLayout : public StateLayout {
    Q_OBJECT

public:
    explicit CleaningLayout(AppState& state, QWidget* parent = nullptr);

    void refresh() override;

    ScanningGauge& gauge() { return *gauge_; }
    QString percentCompleteText() const;

private:
    AppState& state_;
    CardSurface* hero_;
    ScanningGauge* gauge_;
    NexalIcon* mark_;
    TextLabel* percentComplete_;
};

} // namespace zn
