#include "Platform/core/KeptEntry.h"

namespace zn {

std::string keptEntryText(const KeptEntry& entry) {
    switch (entry.because) {
    case KeptBecause::sharedWithOtherUsers:
        return entry.path + " was kept: it is a folder shared with other users";
    case KeptBecause::inFolderOfOtherUsers:
        return entry.path + " was kept: it lies in a folder shared with other users";
    case KeptBecause::belongsToAnotherUser:
        break;
    }
    return entry.path + " was kept: it belongs to another user";
}

} // namespace zn
