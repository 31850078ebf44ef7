#include "frmzwhd.h"

#include "books_check.h"
#include "db_error.h"

#include <QApplication>
#include <QLabel>
#include <QListWidget>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

constexpr int booksCheckHelpContext = 37;

}  // namespace

Tfrmzwhd::Tfrmzwhd(QSqlDatabase db, QWidget* parent)
    : MdiChild("frmzwhd", QStringLiteral("账务核对"), booksCheckHelpContext, parent), db_(std::move(db)), start_(new QPushButton(QStringLiteral("开始核对"), this)),
      progress_(new QProgressBar(this)), summary_(new QLabel(this)), broken_(new QListWidget(this))
{
    start_->setObjectName(QStringLiteral("btnStart"));
    progress_->setObjectName(QStringLiteral("progress"));
    summary_->setObjectName(QStringLiteral("summary"));
    summary_->setWordWrap(true);
    broken_->setObjectName(QStringLiteral("broken"));
    progress_->setRange(0, 1000);
    progress_->setValue(0);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(QStringLiteral("核对每个会员的余额、剩余次数、积分和可抵扣金额，每个帐户的余额，"
                                                "每种商品的库存与各自流水是否相符，以及单据号是否重复。"),
                                 this));
    layout->addWidget(start_);
    layout->addWidget(progress_);
    layout->addWidget(summary_);
    layout->addWidget(broken_, 1);
    connect(start_, &QPushButton::clicked, this, &Tfrmzwhd::runCheck);
    setMinimumSize(520, 360);
}

void Tfrmzwhd::runCheck()
{
    start_->setEnabled(false);
    broken_->clear();
    summary_->setText(QStringLiteral("正在核对…"));
    // The check runs on this thread; the bar moves while the rows are read, and a click meanwhile
    // waits until it is done.
    const auto progress = [this](qint64 done, qint64 total) {
        progress_->setValue(total > 0 ? int(done * 1000 / total) : 1000);
        QApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    };
    try {
        const mc::books::BooksReport report = mc::books::checkBooks(db_, progress);
        const mc::books::Checked& c = report.checked;
        const QString counts = QStringLiteral("已核对会员 %1 个、帐户 %2 个、商品 %3 种、单据号 %4 个。")
                                   .arg(c.members)
                                   .arg(c.accounts)
                                   .arg(c.goods)
                                   .arg(c.documents);
        summary_->setText(report.balanced() ? counts + QStringLiteral("账务相符。")
                                            : counts + QStringLiteral("发现 %1 处不符：").arg(report.broken.size()));
        broken_->addItems(report.broken);
    } catch (const mc::db::DbError& e) {
        summary_->setText(e.message());
    }
    start_->setEnabled(true);
}
