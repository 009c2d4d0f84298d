#pragma once

#include "Services/ScanEngine.h"
#include "ViewModels/ScanService.h"

#include <memory>

namespace zn {

// The application state's scans, run by the real scan engine.
class ScanEngineService final : public ScanService {
public:
    explicit ScanEngineService(std::shared_ptr<ScanEngine> engine) : engine_(std::move(engine)) {}

    CategoryResult scanCategory(CleaningCategory category) override {
        return engine_->scanCategory(category);
    }
    DiskInfo getDiskInfo() override { return engine_->getDiskInfo(); }

private:
    std::shared_ptr<ScanEngine> engine_;
};

} // namespace zn
