#pragma once
// The idle step of a wait for a card: keeps the window working for one poll interval and says
// whether the operator has cancelled in the meantime.

#include <QEventLoop>
#include <QTimer>

class ResponsiveWait {
public:
    explicit ResponsiveWait(int intervalMs = 100) : interval_(intervalMs) {}

    bool operator()() const
    {
        if (cancelled_)
            return false;
        QEventLoop loop;
        QTimer::singleShot(interval_, &loop, &QEventLoop::quit);
        loop.exec();
        return !cancelled_;
    }
    void cancel() { cancelled_ = true; }
    bool cancelled() const { return cancelled_; }

private:
    int interval_;
    bool cancelled_ = false;
};
