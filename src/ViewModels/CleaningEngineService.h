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
                              const std::function<void(double)>& progress) override {
        return engine_->cleanItems(items, progress);
    }
    CleaningResult cleanWithAdminPrivileges(const std::vector<CleanableItem>& items) override {
        return engine_->cleanWithAdminPrivileges(items);
    }

private:
    std::shared_ptr<CleaningEngine> engine_;
};

} // namespace zn
