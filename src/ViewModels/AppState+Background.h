#pragma once

// Internal to AppState's own files: how its flows hand blocking work to the thread pool.

#include "ViewModels/AppState.h"

#include "Platform/qt/BackgroundTask.h"

#include <QCoreApplication>
#include <QPointer>

namespace zn {

// Runs `work` on the global thread pool and then `done` with its result on the main thread, unless the
// state is gone by then. Results are queued behind anything the work posted before it returned.
template <typename Work, typename Done> void AppState::runInBackground(Work work, Done done) {
    ::zn::runInBackground(this, std::move(work), std::move(done));
}

} // namespace zn
