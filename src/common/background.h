#pragma once

#include <QFutureWatcher>
#include <QPromise>
#include <QThreadPool>

#include <memory>
#include <utility>

namespace keruna {

// Runs work() on the thread pool; its result reaches watcher (made on the user-interface
// thread, which gets its finished signal). work must use nothing the user-interface thread
// may change meanwhile: it is given copies.
template <class T, class Work> void runInBackground(QFutureWatcher<T>* watcher, Work work)
{
    auto promise = std::make_shared<QPromise<T>>();
    watcher->setFuture(promise->future());
    QThreadPool::globalInstance()->start([promise, work = std::move(work)]() mutable {
        promise->start();
        promise->addResult(work());
        promise->finish();
    });
}

} // namespace keruna
