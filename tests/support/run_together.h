#pragma once

#include <QThread>

#include <functional>
#include <memory>
#include <vector>

namespace mctest {

// Runs work(0) … work(n-1) on threads of their own at the same time and waits for all.
inline void runTogether(const std::function<void(int)>& work, int n = 2)
{
    std::vector<std::unique_ptr<QThread>> threads;
    for (int i = 0; i < n; ++i)
        threads.emplace_back(QThread::create(work, i));
    for (auto& t : threads)
        t->start();
    for (auto& t : threads)
        t->wait();
}

}  // namespace mctest
