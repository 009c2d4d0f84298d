#pragma once

#include "Views/Dashboard/StateLayout.h"

#include <vector>

class QVBoxLayout;

namespace zn {

class AppState;
class CardSurface;
class LinearProgressBar;
class LiveResultRow;
class ScanningGauge;
class TextLabel;

// The dashboard during a scan: the turning gauge with what is being checked and a progress bar, then the
// first eight categories found so far.
class ScanningLayout : public StateLayout {
    Q_OBJECT

public:
    static constexpr std::size_t kMaximumLiveRows = 8;

    explicit ScanningLayout(AppState& state, QWidget* parent = nullptr);

    void refresh() override;

    ScanningGauge& gauge() { return *gauge_; }
    LinearProgressBar& progressBar() { return *bar_; }
    QString currentlyInText() const;
    QString progressText() const;
    // The rows shown, in order.
    std::vector<LiveResultRow*> liveRows() const;
    bool showsLiveResults() const;

private:
    void refreshLiveResults();

    AppState& state_;
    CardSurface* heroCard_;
    ScanningGauge* gauge_;
    TextLabel* currentlyIn_;
    LinearProgressBar* bar_;
    TextLabel* progressText_;
    TextLabel* liveHeader_;
    CardSurface* liveCard_;
    QVBoxLayout* liveRows_;
};

} // namespace zn
