#pragma once

#include <string>

namespace zn {

// The state of the scan-and-clean cycle the dashboard follows.
class ScanState {
public:
    enum class Kind { scanning, cleaning, idle, completed, cleaned };

    static ScanState scanning(double progress, std::string currentCategory) {
        return ScanState(Kind::scanning, progress, std::move(currentCategory));
    }
    static ScanState cleaning(double progress) { return ScanState(Kind::cleaning, progress, {}); }
    static ScanState idle() { return ScanState(Kind::idle, 0, {}); }
    static ScanState completed() { return ScanState(Kind::completed, 0, {}); }
    static ScanState cleaned() { return ScanState(Kind::cleaned, 0, {}); }

    Kind kind() const { return kind_; }
    // Meaningful for scanning and cleaning only.
    double progress() const { return progress_; }
    // Meaningful for scanning only: the step shown to the user.
    const std::string& currentCategory() const { return currentCategory_; }

    // A scan or a clean runs, whatever its progress.
    bool isBusy() const { return kind_ == Kind::scanning || kind_ == Kind::cleaning; }

    // Same case and equal payloads; a progress that is not a number equals nothing, itself included.
    bool operator==(const ScanState& other) const;

private:
    ScanState(Kind kind, double progress, std::string currentCategory)
        : kind_(kind), progress_(progress), currentCategory_(std::move(currentCategory)) {}

    Kind kind_;
    double progress_;
    std::string currentCategory_;
};

} // namespace zn
