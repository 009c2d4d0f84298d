#pragma once

#include "ViewModels/OrphanRemoval.h"
#include "Views/Orphans/OrphanListView.h"
#include "appsupport/AppStateHarness.h"
#include "appsupport/RecordingFileViewer.h"
#include "appsupport/RecordingUrlOpener.h"

#include <memory>
#include <set>
#include <string>
#include <vector>

namespace zn::test {

// The leftovers screen over a fixture home: the real leftover policy for it, real link-safe removal and
// the fixture's Trash, with permission failures and the administrator pass scripted.
class LeftoversFixture {
public:
    LeftoversFixture();

    // A leftover folder with one real file in it, under the fixture home's Library.
    std::string leftover(const std::string& libraryRelative, std::size_t bytes = 5000);
    // Runs the search and waits for its result.
    void search();
    // Waits until no removal runs.
    void waitForRemoval();

    AppStateHarness harness;
    RecordingFileViewer viewer;
    RecordingUrlOpener opener;
    AppState* state;
    // The plain removal of these fails for lack of permission.
    std::set<std::string> denied;
    std::vector<std::vector<std::string>> administratorCalls;
    bool administratorRuns = true;
    // While closed, the administrator pass waits (as if its password dialog were open).
    Gate administratorDialog;
    OrphanListView* view;
    // What holds the screen: the screen itself, or a frame around it.
    std::unique_ptr<QWidget> window;
};

} // namespace zn::test
