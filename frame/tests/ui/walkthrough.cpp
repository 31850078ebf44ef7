// A shop owner's walk through the real windows on a fresh demonstration set: a stored-value member
// is registered, two goods are sold to them, and the balance, stock, journals, ledger, receipts and
// the books check are printed side by side. Screenshots of every step go to DIR:
//   xvfb-run -a -s "-screen 0 1280x1024x24" membercard-walkthrough DIR
// Exits non-zero when a step never comes or the figures do not agree.

#include "app_locale.h"
#include "books_check.h"
#include "data_files.h"
#include "database.h"
#include "frame_windows.h"
#include "frmmain.h"
#include "frmuserload.h"
#include "frmxf.h"
#include "globals.h"
#include "members_windows.h"
#include "password_hash.h"
#include "register_member_fields.h"
#include "sales_windows.h"
#include "settings_cache.h"
#include "utils/gbk.h"
#include "utils/sysset.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QInputMethodEvent>
#include <QLineEdit>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QTemporaryDir>
#include <QTest>
#include <QTextStream>
#include <QTimer>

#include <functional>

using mc::db::exec;
using mc::db::scalar;

namespace {

const QString cardNumber = QStringLiteral("80001");
const QString memberPassword = QStringLiteral("1234");

QString outDir;
QTextStream out(stdout);
QStringList faults;

QWidget* activeModal(const char* name)
{
    QWidget* w = QApplication::activeModalWidget();
    return w && w->objectName() == QLatin1String(name) ? w : nullptr;
}

QMessageBox* messageBox()
{
    return qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
}

template <typename T>
T* child(QWidget* w, const char* name)
{
    T* c = w ? w->findChild<T*>(QLatin1String(name)) : nullptr;
    if (!c)
        qFatal("no widget %s", name);
    return c;
}

// Text as a Chinese input method hands it over: one committed string.
void typeChinese(QWidget* w, const QString& text)
{
    w->setFocus();
    QInputMethodEvent commit;
    commit.setCommitString(text);
    QApplication::sendEvent(w, &commit);
}

// ASCII typed key by key, then Tab so the field's "left" handling runs. Focus moves only in the
// active window, as on the operator's screen.
void typeAndLeave(QWidget* w, const QString& text)
{
    QWidget* window = w->window();
    if (!window->isActiveWindow()) {
        window->activateWindow();
        if (!QTest::qWaitForWindowActive(window, 2000))
            faults << QStringLiteral("the window %1 never became active").arg(window->objectName());
    }
    w->setFocus();
    QTest::keyClicks(w, text);
    QTest::keyClick(w, Qt::Key_Tab);
}

// Steps run in order from a timer, each once its window is up. A step may block in a modal
// dialog; the timer keeps running inside it, so the next step works that dialog.
class Script {
public:
    struct Step {
        QString what;
        std::function<bool()> ready;
        std::function<void()> act;
        bool expectsBox = false;
    };

    void add(const QString& what, std::function<bool()> ready, std::function<void()> act, bool expectsBox = false)
    {
        steps_.append({what, std::move(ready), std::move(act), expectsBox});
    }

    // Runs every step; false when one did not come within `limitMs`.
    bool run(int limitMs)
    {
        QTimer timer;
        QObject::connect(&timer, &QTimer::timeout, [this] { poll(); });
        timer.start(30);
        const bool done = QTest::qWaitFor([this] { return next_ == steps_.size() && !holding_ && !starting_; }, limitMs);
        if (!done)
            out << "STUCK before step: " << (next_ < steps_.size() ? steps_[next_].what : QStringLiteral("(end)"))
                << Qt::endl;
        return done;
    }

    // Lets the windows catch up; no step runs meanwhile.
    void wait(int ms)
    {
        holding_ = true;
        QTest::qWait(ms);
        holding_ = false;
    }

    // Saves the whole screen once the windows have painted; no step runs meanwhile.
    void shoot(const QString& name)
    {
        wait(400);
        holding_ = true;
        QGuiApplication::primaryScreen()->grabWindow(0).save(outDir + u'/' + name + QStringLiteral(".png"));
        out << "  screenshot " << name << ".png" << Qt::endl;
        holding_ = false;
    }

private:
    void poll()
    {
        if (holding_ || starting_ || next_ >= steps_.size())
            return;
        const Step& step = steps_[next_];
        // A message box no step asked for is a finding: recorded, shot, and answered.
        if (QMessageBox* box = messageBox(); box && !step.expectsBox) {
            const QString text = box->text();
            faults << QStringLiteral("unexpected message before \"%1\": %2").arg(step.what, text);
            out << "  unexpected message: " << text << Qt::endl;
            shoot(QStringLiteral("unexpected-%1").arg(++unexpected_));
            if (QAbstractButton* ok = box->button(QMessageBox::Ok))
                ok->click();
            else
                box->done(QMessageBox::Yes);
            return;
        }
        if (!step.ready())
            return;
        const Step s = steps_[next_++];
        out << "step: " << s.what << Qt::endl;
        // Run from a timer of its own: a timer does not fire again while its own call is still
        // running, and this one must keep polling while the step waits in a dialog.
        starting_ = true;
        QTimer::singleShot(0, [this, s] {
            starting_ = false;
            s.act();
        });
    }

    QList<Step> steps_;
    qsizetype next_ = 0;
    bool holding_ = false;
    bool starting_ = false;
    int unexpected_ = 0;
};

// Answers the message box that is up with `button`, after shooting it; returns its text.
QString answerBox(Script& script, const QString& shot, QMessageBox::StandardButton button)
{
    QMessageBox* box = messageBox();
    const QString text = box->text();
    out << "  message: " << text << Qt::endl;
    script.shoot(shot);
    box->button(button)->click();
    return text;
}

QString readReceipt(const QString& path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return {};
    return mc::fromGbk(f.readAll()).replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
}

// The receipt as paper would show it, on screen for a screenshot.
void showReceipt(Script& script, const QString& text, const QString& shot)
{
    QPlainTextEdit paper;
    paper.setWindowTitle(QStringLiteral("小票"));
    paper.setReadOnly(true);
    QFont mono(QStringLiteral("monospace"));
    mono.setStyleHint(QFont::Monospace);
    paper.setFont(mono);
    paper.setPlainText(text);
    paper.resize(420, 520);
    paper.move(40, 40);
    paper.show();
    paper.raise();
    script.shoot(shot);
}

QString money(const QVariant& v)
{
    return QString::number(v.toDouble(), 'f', 2);
}

}  // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    mc::useChineseLocale();
    outDir = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QDir::currentPath();
    QDir().mkpath(outDir);
    QTemporaryDir data;
    mc::appPath = data.path() + u'/';
    mc::populateDataFolder(mc::appPath);
    mc::db::openSqlite(mc::db::catalogueConnection, mc::catalogueFile(mc::appPath));
    mc::db::openSqlite(mc::db::accountConnection, mc::accountSetFile(mc::appPath, mc::demoSetName));

    // The receipts go to a POS printer that is a plain file: the printer code never creates
    // one, so each is made empty first. One file per receipt, as it writes from the start.
    const QString regReceipt = data.path() + QStringLiteral("/receipt-registration.txt");
    const QString saleReceipt = data.path() + QStringLiteral("/receipt-sale.txt");
    for (const QString& path : {regReceipt, saleReceipt}) {
        QFile f(path);
        if (!f.open(QIODevice::WriteOnly))
            qFatal("cannot create the receipt file");
    }
    mc::writestr(QStringLiteral("sys"), QStringLiteral("xpprintmode"), QStringLiteral("POS打印机"));
    mc::writestr(QStringLiteral("sys"), QStringLiteral("posprinter"), regReceipt);
    exec(QSqlDatabase::database(mc::db::accountConnection), QStringLiteral("update sysset set zcdyxp = ?, xfdyxp = ?"),
         {true, true});

    mc::registerFrameWindows();
    mc::members::registerFieldWindows();
    mc::members::registerWindows();
    mc::sales::registerWindows();
    mc::sales::registerCheckoutWindow();

    auto* login = new Tfrmuserload;
    login->show();
    QTest::qWait(300);
    child<QLineEdit>(login, "sEdit2")->setText(QStringLiteral("735146"));
    child<QLineEdit>(login, "sEdit1")->setText(mc::initialAdminPassword);
    child<QPushButton>(login, "sBitBtn1")->click();
    delete login;

    Tfrmmain main;
    main.setBackupOnClose(false);
    main.setGeometry(main.screen()->availableGeometry());
    main.showMaximized();
    main.FormShow();
    out << "card mode " << mc::cardMode << ", receipts to " << (mc::settings.receiptPrinterKind == 1 ? "POS" : "report")
        << ", print on registration " << mc::settings.zcdyxp << ", on sale " << mc::settings.xfdyxp << Qt::endl;

    Script script;
    QWidget* reg = nullptr;
    Tfrmxf* xf = nullptr;
    QStringList boxes;
    bool filled = false;  // the steps that type run through; the next waits for them
    bool typed = false;

    // ---- 会员注册 -------------------------------------------------------------------------
    script.add(QStringLiteral("open 会员注册 from the menu"), [] { return true; },
               [&] { main.action(QStringLiteral("N8"))->trigger(); });
    script.add(QStringLiteral("swipe the new card"), [] { return activeModal("frmreadcard") != nullptr; }, [&] {
        script.shoot(QStringLiteral("01-registration-card-number"));
        QWidget* dialog = activeModal("frmreadcard");
        auto* number = child<QLineEdit>(dialog, "Edit1");
        number->setFocus();
        QTest::keyClicks(number, cardNumber);
        QTest::keyClick(number, Qt::Key_Return);
    });
    script.add(QStringLiteral("fill the member"),
               [&] {
                   reg = activeModal("frmmemberreg");
                   return reg && !child<QLineEdit>(reg, "truecard")->text().isEmpty();
               },
               [&] {
                   typeAndLeave(child<QLineEdit>(reg, "memberno"), QStringLiteral("1"));
                   typeChinese(child<QLineEdit>(reg, "membername"), QStringLiteral("李明"));
                   auto* classes = child<QComboBox>(reg, "cardno");
                   classes->setFocus();
                   // Down through the classes until 金卡, as the operator would.
                   for (int i = 0; i < classes->count() && classes->currentText() != QStringLiteral("金卡"); ++i)
                       QTest::keyClick(classes, Qt::Key_Down);
                   typeAndLeave(child<QLineEdit>(reg, "deposit"), QStringLiteral("200"));
                   auto* account = child<QComboBox>(reg, "khjkfs");
                   account->setFocus();
                   for (int i = 0; i < account->count() && account->currentText() != QStringLiteral("现金"); ++i)
                       QTest::keyClick(account, Qt::Key_Down);
                   typeAndLeave(child<QLineEdit>(reg, "movetel"), QStringLiteral("13800000000"));
                   typeAndLeave(child<QLineEdit>(reg, "memberpwd"), memberPassword);
                   script.shoot(QStringLiteral("02-registration-filled"));
                   filled = true;
               });
    script.add(QStringLiteral("save the member"), [&] { return filled; },
               [&] { QTest::mouseClick(child<QPushButton>(reg, "saveButton"), Qt::LeftButton); });
    script.add(QStringLiteral("answer the save message"), [] { return messageBox() != nullptr; },
               [&] { boxes << answerBox(script, QStringLiteral("03-registration-saved-message"), QMessageBox::Ok); },
               true);
    script.add(QStringLiteral("look at the saved member, then 退出"),
               [&] { return activeModal("frmmemberreg") != nullptr; }, [&] {
                   script.shoot(QStringLiteral("04-registration-after-save"));
                   showReceipt(script, readReceipt(regReceipt), QStringLiteral("05-registration-receipt"));
                   QTest::mouseClick(child<QPushButton>(reg, "exitButton"), Qt::LeftButton);
               });

    // ---- 会员消费 -------------------------------------------------------------------------
    script.add(QStringLiteral("open 会员消费 from the menu"), [] { return QApplication::activeModalWidget() == nullptr; },
               [&] {
                   mc::writestr(QStringLiteral("sys"), QStringLiteral("posprinter"), saleReceipt);
                   main.action(QStringLiteral("M1"))->trigger();
               });
    script.add(QStringLiteral("刷卡消费"),
               [&] {
                   xf = main.findChild<Tfrmxf*>();
                   return xf && xf->isVisible();
               },
               [&] {
                   script.shoot(QStringLiteral("06-checkout-open"));
                   QTest::mouseClick(child<QPushButton>(xf, "btnCard"), Qt::LeftButton);
               });
    script.add(QStringLiteral("swipe the member's card"), [] { return activeModal("frmreadcard") != nullptr; }, [&] {
        auto* number = child<QLineEdit>(activeModal("frmreadcard"), "Edit1");
        number->setFocus();
        QTest::keyClicks(number, cardNumber);
        script.shoot(QStringLiteral("07-checkout-card-number"));
        QTest::keyClick(number, Qt::Key_Return);
    });
    script.add(QStringLiteral("type two goods codes"),
               [&] { return xf->entering() && QApplication::activeModalWidget() == nullptr; }, [&] {
                   script.shoot(QStringLiteral("08-checkout-member-found"));
                   auto* code = child<QLineEdit>(xf, "spno");
                   const auto enter = [&](const QString& spno, bool shot) {
                       code->setFocus();
                       QTest::keyClicks(code, spno);
                       if (shot)
                           script.shoot(QStringLiteral("09-checkout-goods-popup"));
                       QTest::keyClick(code, Qt::Key_Return);
                       script.wait(100);
                   };
                   enter(QStringLiteral("001001"), true);
                   enter(QStringLiteral("001001"), false);
                   enter(QStringLiteral("001002"), false);
                   typed = true;
               });
    script.add(QStringLiteral("消费确定"), [&] { return typed; }, [&] {
        script.shoot(QStringLiteral("10-checkout-before-save"));
        QTest::mouseClick(child<QPushButton>(xf, "btnSave"), Qt::LeftButton);
    });
    script.add(QStringLiteral("confirm the voucher"), [] { return messageBox() != nullptr; },
               [&] { boxes << answerBox(script, QStringLiteral("11-checkout-confirm"), QMessageBox::Yes); }, true);
    script.add(QStringLiteral("the member's password"), [] { return activeModal("frmpassword") != nullptr; }, [&] {
        QWidget* prompt = activeModal("frmpassword");
        auto* edit = child<QLineEdit>(prompt, "Edit1");
        QTest::keyClicks(edit, memberPassword);
        script.shoot(QStringLiteral("12-checkout-password"));
        QTest::mouseClick(child<QPushButton>(prompt, "BitBtn1"), Qt::LeftButton);
    });
    script.add(QStringLiteral("answer the save message"), [] { return messageBox() != nullptr; },
               [&] { boxes << answerBox(script, QStringLiteral("13-checkout-saved-message"), QMessageBox::Ok); }, true);
    script.add(QStringLiteral("look at the saved voucher"),
               [&] { return !xf->entering() && QApplication::activeModalWidget() == nullptr; }, [&] {
                   script.shoot(QStringLiteral("14-checkout-after-save"));
                   showReceipt(script, readReceipt(saleReceipt), QStringLiteral("15-checkout-receipt"));
               });

    const bool walked = script.run(60000);

    // ---- the figures ----------------------------------------------------------------------
    // Logging in opens the account set afresh: take the connection as it is now.
    const QSqlDatabase db = QSqlDatabase::database(mc::db::accountConnection);
    QString table;
    QTextStream t(&table);
    t << "Messages answered: " << boxes.join(QStringLiteral(" | ")) << "\n\n";
    const QString memberno = scalar(db, QStringLiteral("select memberno from membercurlist where truecard = ?"),
                                    {cardNumber}).toString();
    QSqlQuery m = exec(db, QStringLiteral("select memberno, truecard, membername, cardno, curmoney, xfze, xfcs, xfjf "
                                          "from membercurlist where memberno = ?"), {memberno});
    t << "Member (membercurlist)\n";
    while (m.next())
        t << "  " << m.value(0).toString() << "  card " << m.value(1).toString() << "  " << m.value(2).toString()
          << "  class " << m.value(3).toString() << "  curmoney " << money(m.value(4)) << "  xfze "
          << money(m.value(5)) << "  xfcs " << m.value(6).toInt() << "  xfjf " << m.value(7).toInt() << "\n";
    t << "\nGoods (xssp)\n";
    QSqlQuery g = exec(db, QStringLiteral("select spno, spname, xsjg, kcsl from xssp where spno in ('001001', '001002') "
                                          "order by spno"));
    while (g.next())
        t << "  " << g.value(0).toString() << "  " << g.value(1).toString() << "  price " << money(g.value(2))
          << "  kcsl " << g.value(3).toDouble() << "\n";
    t << "\nStock movements (kccl)\n";
    QSqlQuery k = exec(db, QStringLiteral("select spno, czsm, jhsl, xssl, curkc from kccl order by pid"));
    while (k.next())
        t << "  " << k.value(0).toString() << "  " << k.value(1).toString() << "  in " << k.value(2).toDouble()
          << "  out " << k.value(3).toDouble() << "  after " << k.value(4).toDouble() << "\n";
    t << "\nMember journal (memberxx)\n";
    QSqlQuery x = exec(db, QStringLiteral("select zmfs, jkfs, ckje, xfje, sjxfje, zkhje, curye, sjjkje, xfdh, actor "
                                          "from memberxx where memberno = ? order by pid"), {memberno});
    while (x.next())
        t << "  " << x.value(0).toString() << "  jkfs " << x.value(1).toString() << "  ckje " << money(x.value(2))
          << "  xfje " << money(x.value(3)) << "  sjxfje " << money(x.value(4)) << "  zkhje " << money(x.value(5))
          << "  curye " << money(x.value(6)) << "  sjjkje " << money(x.value(7)) << "  xfdh "
          << x.value(8).toString() << "  actor " << x.value(9).toString() << "\n";
    t << "\nMoney taken (actormoney)\n";
    QSqlQuery a = exec(db, QStringLiteral("select actorid, zhname, sfkxm, skje, ysje, zcje, memberno, xfh "
                                          "from actormoney order by pid"));
    while (a.next())
        t << "  " << a.value(0).toString() << "  " << a.value(1).toString() << "  " << a.value(2).toString()
          << "  skje " << money(a.value(3)) << "  ysje " << money(a.value(4)) << "  zcje " << money(a.value(5))
          << "  member " << a.value(6).toString() << "  xfh " << a.value(7).toString() << "\n";
    t << "\nAccounts (gszh)\n";
    QSqlQuery z = exec(db, QStringLiteral("select zhname, curye from gszh order by pid"));
    while (z.next())
        t << "  " << z.value(0).toString() << "  curye " << money(z.value(1)) << "\n";

    // The same money and stock seen from each side must agree, to the fen.
    t << "\nAgreement\n";
    const auto cents = [&](const QString& sql, const QVariantList& params = {}) {
        return qRound64(scalar(db, sql, params).toDouble() * 100);
    };
    const auto agree = [&](const QString& what, qint64 left, qint64 right) {
        t << "  " << (left == right ? "ok      " : "DIFFERS ") << what << ": " << QString::number(left / 100.0, 'f', 2) << " / "
          << QString::number(right / 100.0, 'f', 2)
          << "\n";
        if (left != right)
            faults << what;
    };
    const QVariantList member{memberno};
    agree(QStringLiteral("curmoney = 开户 ckje - 消费 xfje"),
          cents(QStringLiteral("select curmoney from membercurlist where memberno = ?"), member),
          cents(QStringLiteral("select sum(ckje) - sum(xfje) from memberxx where memberno = ?"), member));
    agree(QStringLiteral("curmoney = curye of the member's last journal row"),
          cents(QStringLiteral("select curmoney from membercurlist where memberno = ?"), member),
          cents(QStringLiteral("select curye from memberxx where memberno = ? order by pid desc limit 1"), member));
    agree(QStringLiteral("gszh 现金 curye = money taken into 现金 (actormoney)"),
          cents(QStringLiteral("select curye from gszh where zhname = '现金'")),
          cents(QStringLiteral("select coalesce(sum(skje), 0) - coalesce(sum(zcje), 0) from actormoney "
                               "where zhname = '现金'")));
    agree(QStringLiteral("registration: cash taken = 开户 sjjkje + card price"),
          cents(QStringLiteral("select sum(skje) from actormoney where memberno = ?"), member),
          cents(QStringLiteral("select sjjkje from memberxx where memberno = ? and zmfs = '开户'"), member)
              + cents(QStringLiteral("select c.cardmoney from membercurlist m join cardclass c on c.cardno = m.cardno "
                                     "where m.memberno = ?"), member));
    agree(QStringLiteral("消费 xfje = sum of the voucher's goods lines"),
          cents(QStringLiteral("select xfje from memberxx where memberno = ? and zmfs = '消费'"), member),
          cents(QStringLiteral("select sum(spzj) from xfsp where memberno = ?"), member));
    for (const char* spno : {"001001", "001002"}) {
        const QVariantList goods{QLatin1String(spno)};
        agree(QStringLiteral("%1 kcsl = stock in - sold").arg(QLatin1String(spno)),
              cents(QStringLiteral("select kcsl from xssp where spno = ?"), goods),
              cents(QStringLiteral("select sum(jhsl) from kccl where spno = ?"), goods)
                  - cents(QStringLiteral("select coalesce(sum(spnum), 0) from xfsp where spno = ?"), goods));
    }
    const QString saleText = readReceipt(saleReceipt);
    const QString regText = readReceipt(regReceipt);
    const auto onReceipt = [&](const QString& receipt, const QString& caption, qint64 amount) {
        const QString line = caption + QString::number(amount / 100.0, 'f', 2);
        t << "  " << (receipt.contains(line) ? "ok      " : "MISSING ") << "receipt line " << line << "\n";
        if (!receipt.contains(line))
            faults << QStringLiteral("receipt lacks ") + line;
    };
    onReceipt(regText, QStringLiteral("卡内实存:"),
              cents(QStringLiteral("select ckje from memberxx where memberno = ? and zmfs = '开户'"), member));
    onReceipt(saleText, QStringLiteral("实际收款:"),
              cents(QStringLiteral("select xfje from memberxx where memberno = ? and zmfs = '消费'"), member));

    const mc::books::BooksReport books = mc::books::checkBooks(db);
    t << "\nBooks check: " << (books.balanced() ? "balanced" : "NOT balanced") << " — members "
      << books.checked.members << ", accounts " << books.checked.accounts << ", goods " << books.checked.goods
      << ", documents " << books.checked.documents << ", rows read " << books.checked.rowsRead << "\n";
    for (const QString& line : books.broken)
        t << "  broken: " << line << "\n";

    t << "\nRegistration receipt (POS bytes, GBK):\n" << regText;
    t << "\nSale receipt (POS bytes, GBK):\n" << saleText;
    if (!faults.isEmpty())
        t << "\nFindings:\n  " << faults.join(QStringLiteral("\n  ")) << "\n";
    t.flush();

    out << "\n" << table << Qt::endl;
    QFile figures(outDir + QStringLiteral("/figures.txt"));
    if (figures.open(QIODevice::WriteOnly | QIODevice::Truncate))
        figures.write(table.toUtf8());
    return walked && books.balanced() && faults.isEmpty() ? 0 : 1;
}
