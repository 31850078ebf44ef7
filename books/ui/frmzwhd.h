#pragma once
// 账务核对: runs the books check on the open account set and lists what does not agree.

#include "window_kit.h"

#include <QSqlDatabase>

class QLabel;
class QListWidget;
class QProgressBar;
class QPushButton;

class Tfrmzwhd : public mc::ui::MdiChild {
    Q_OBJECT
public:
    explicit Tfrmzwhd(QSqlDatabase db, QWidget* parent = nullptr);

    // Runs the check and shows its result (the 开始核对 button).
    void runCheck();

private:
    QSqlDatabase db_;
    QPushButton* start_;
    QProgressBar* progress_;
    QLabel* summary_;
    QListWidget* broken_;
};
