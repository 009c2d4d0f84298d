#pragma once

#include "Services/CleaningEngine.h"
#include "ViewModels/CleaningService.h"

#include <memory>

namespace zn {

// The application state's cleans, run by the real cleaning engine.
class CleaningEngineService final : public CleaningService {
public:
    explicit CleaningEngineService(std::shared_ptr<CleaningEngine> engine) : engine_(std::move(engine)) {}

    CleaningResult cleanItems(const std::vector<CleanableItem>& items,
                              const std::function<void(double)>& progress, PathReading reading) override {
        return engine_->cleanItems(items, progress, reading);
    }
    CleaningResult cleanWithAdminPrivileges(const std::vector<CleanableItem>& items,
                                            PathReading reading) override {
        return engine_->cleanWithAdminPrivileges(items, reading);
    }
    std::int64_t purgePurgeableSpace() override { return engine_->purgePurgeableSpace(); }

private:
    std::shared_ptr<CleaningEngine> engine_;
};

} // namespace zn
