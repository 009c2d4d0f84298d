#pragma once

#include "Platform/qt/UrlOpener.h"

#include <QThread>
#include <mutex>
#include <vector>

namespace zn::test {

// Records what would have been handed to the desktop, and on which thread.
class RecordingUrlOpener : public UrlOpener {
public:
    bool open(const QUrl& url) override {
        std::lock_guard lock(mutex_);
        urls_.push_back(url);
        threads_.push_back(QThread::currentThread());
        return answer;
    }
    std::vector<QUrl> urls() const {
        std::lock_guard lock(mutex_);
        return urls_;
    }
    std::vector<QThread*> threads() const {
        std::lock_guard lock(mutex_);
        return threads_;
    }

    bool answer = true;

private:
    mutable std::mutex mutex_;
    std::vector<QUrl> urls_;
    std::vector<QThread*> threads_;
};

} // namespace zn::test
