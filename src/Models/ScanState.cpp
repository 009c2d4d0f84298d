#include "Models/ScanState.h"

namespace zn {

bool ScanState::operator==(const ScanState& other) const {
    if (kind_ != other.kind_)
        return false;
    switch (kind_) {
    case Kind::scanning:
        return progress_ == other.progress_ && currentCategory_ == other.currentCategory_;
    case Kind::cleaning:
        return progress_ == other.progress_;
    case Kind::idle:
    case Kind::completed:
    case Kind::cleaned:
        return true;
    }
    return false;
}

} // namespace zn
