#include "frmmemberreg.h"

#include "card_classes.h"
#include "custom_field_page.h"
#include "database.h"
#include "dialog_layout.h"
#include "form_parts.h"
#include "frmcapturebmp.h"
#include "frmreadcard.h"
#include "globals.h"
#include "key_filters.h"
#include "pickers.h"
#include "pos_printer.h"
#include "reader_port.h"
#include "reader_settings.h"
#include "receipt.h"
#include "receipt_report.h"
#include "registration_ticket.h"
#include "settings_cache.h"
#include "tavrik_card_reader.h"
#include "template_catalogue.h"

#include <QComboBox>
#include <QFileDialog>
#include <QFileInfo>
#include <QKeyEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTabWidget>
#include <QTimer>
#include <QVBoxLayout>

#include <utility>

using namespace mc::members;
using mc::Money;

namespace {

constexpr int registrationHelpContext = 21;

QLineEdit* readOnly(QLineEdit* e)
{
    e->setReadOnly(true);
    e->setFocusPolicy(Qt::NoFocus);
    return e;
}

Money typedMoney(const QLineEdit* e)
{
    return mc::ui::moneyOf(e).value_or(Money());
}

}  // namespace

Tfrmmemberreg::Tfrmmemberreg(QSqlDatabase db, QWidget* parent)
    : EntryDialog("frmmemberreg", QStringLiteral("会员注册"), registrationHelpContext, parent), db_(std::move(db))
{
    pages_ = new QTabWidget(this);
    pages_->setObjectName(QStringLiteral("pages"));
    pages_->addTab(basicPage(), QStringLiteral("基本信息"));
    try {
        custom_ = CustomFieldPage::fromDatabase(db_, this);
    } catch (const mc::db::DbError& e) {
        QMessageBox::warning(this, windowTitle(), e.message());
        custom_ = new CustomFieldPage({}, {}, this);
    }
    custom_->setObjectName(QStringLiteral("customPage"));
    pages_->addTab(custom_, QStringLiteral("自定义信息"));

    add_ = mc::namedButton(this, QStringLiteral("添加(&A)"), "addButton");
    reset_ = mc::namedButton(this, QStringLiteral("重置(&R)"), "resetButton");
    save_ = mc::namedButton(this, QStringLiteral("保存(&&S)"), "saveButton");
    exit_ = mc::namedButton(this, QStringLiteral("退出(&E)"), "exitButton");
    auto* body = new QVBoxLayout;
    body->addWidget(pages_, 1);
    body->addWidget(paymentPanel());
    mc::layoutWithButtons(this, body, {add_, reset_, save_, exit_}, 1);
    mc::ui::enterMovesFocus(this);
    // Installed after the next-field filters, so these run first.
    password_->installEventFilter(this);
    if (!custom_->fields().isEmpty())
        custom_->editor(int(custom_->fields().size()) - 1)->installEventFilter(this);

    connect(add_, &QPushButton::clicked, this, &Tfrmmemberreg::addClick);
    connect(reset_, &QPushButton::clicked, this, &Tfrmmemberreg::addClick);
    connect(save_, &QPushButton::clicked, this, &Tfrmmemberreg::saveClick);
    connect(exit_, &QPushButton::clicked, this, &QDialog::reject);
    setEditing(false);
}

QLineEdit* Tfrmmemberreg::edit(const char* column, int maxLength)
{
    QLineEdit* e = mc::ui::namedEdit(this, column);
    if (maxLength > 0)
        e->setMaxLength(maxLength);
    return e;
}

QWidget* Tfrmmemberreg::basicPage()
{
    auto* page = new QWidget(this);
    memberno_ = edit("memberno", 10);
    truecard_ = readOnly(edit("truecard", 20));
    name_ = edit("membername", 40);
    sex_ = new QComboBox(this);
    sex_->setObjectName(QStringLiteral("sex"));
    sex_->addItems({QStringLiteral("男"), QStringLiteral("女")});
    classBox_ = new QComboBox(this);
    classBox_->setObjectName(QStringLiteral("cardno"));
    kind_ = readOnly(edit("classname"));
    khkjg_ = readOnly(edit("khkjg"));
    khyj_ = readOnly(edit("khyj"));
    depositLabel_ = new QLabel(QStringLiteral("实存金额"), this);
    deposit_ = edit("deposit", 12);
    curmoney_ = readOnly(edit("curmoney"));
    khdateText_ = readOnly(edit("khdate"));
    usemonth_ = readOnly(edit("usemonth"));
    useday_ = readOnly(edit("useday"));
    sfzh_ = edit("sfzh", 18);
    birthday_ = edit("birthday", 10);
    mc::acceptOnly(birthday_, mc::digitKeys + u'-');
    gzdw_ = edit("gzdw", 80);
    movetel_ = edit("movetel", 20);
    jttel_ = edit("jttel", 15);
    txdz_ = edit("txdz", 80);
    yzbm_ = edit("yzbm", 8);
    worktel_ = edit("worktel", 15);
    workcz_ = edit("workcz", 15);
    password_ = edit("memberpwd", 8);
    password_->setEchoMode(QLineEdit::Password);
    rhjsr_ = readOnly(edit("rhjsr"));
    introducer_ = mc::namedButton(this, QStringLiteral("..."), "introducerButton");
    readCard_ = mc::namedButton(this, QStringLiteral("读卡"), "readCardButton");
    photoView_ = new QLabel(this);
    photoView_->setObjectName(QStringLiteral("photo"));
    photoView_->setFixedSize(120, 150);
    photoView_->setFrameShape(QFrame::Box);
    photoView_->setAlignment(Qt::AlignCenter);
    choosePhoto_ = mc::namedButton(this, QStringLiteral("选取照片"), "choosePhotoButton");
    takePhoto_ = mc::namedButton(this, QStringLiteral("拍照"), "takePhotoButton");

    for (const CardClassEntry& c : listCardClasses(db_))
        classBox_->addItem(c.cardname, c.cardno);
    classBox_->setCurrentIndex(-1);

    auto* grid = new QGridLayout;
    // Wide enough for a whole date or card number, the right one beside its button.
    grid->setColumnMinimumWidth(1, 120);
    int row = 0;
    auto pair = [&](const QString& caption, QWidget* w, int column, QLabel* label = nullptr) {
        grid->addWidget(label ? label : new QLabel(caption, page), row, column * 2, Qt::AlignRight);
        grid->addWidget(w, row, column * 2 + 1);
    };
    usemonth_->setMaximumWidth(60);
    useday_->setMaximumWidth(60);
    auto* monthsDays = new QHBoxLayout;
    monthsDays->addWidget(usemonth_);
    monthsDays->addWidget(new QLabel(QStringLiteral("月"), page));
    monthsDays->addWidget(useday_);
    monthsDays->addWidget(new QLabel(QStringLiteral("日"), page));
    monthsDays->addStretch();
    truecard_->setMinimumWidth(120);
    auto* cardRow = new QHBoxLayout;
    cardRow->addWidget(truecard_);
    cardRow->addWidget(readCard_);
    auto* introRow = new QHBoxLayout;
    introRow->addWidget(rhjsr_);
    introRow->addWidget(introducer_);

    pair(QStringLiteral("会员编号"), memberno_, 0);
    grid->addLayout(cardRow, row, 3);
    grid->addWidget(new QLabel(QStringLiteral("会员卡号"), page), row++, 2, Qt::AlignRight);
    pair(QStringLiteral("姓名"), name_, 0);
    pair(QStringLiteral("性别"), sex_, 1);
    ++row;
    pair(QStringLiteral("注册卡类型"), classBox_, 0);
    pair(QStringLiteral("卡大类"), kind_, 1);
    ++row;
    pair(QStringLiteral("卡价格"), khkjg_, 0);
    pair(QStringLiteral("押金"), khyj_, 1);
    ++row;
    pair(QString(), deposit_, 0, depositLabel_);
    pair(QStringLiteral("实际充入金额"), curmoney_, 1);
    ++row;
    pair(QStringLiteral("注册日期"), khdateText_, 0);
    grid->addWidget(new QLabel(QStringLiteral("使用期限"), page), row, 2, Qt::AlignRight);
    grid->addLayout(monthsDays, row++, 3);
    pair(QStringLiteral("身份证号码"), sfzh_, 0);
    pair(QStringLiteral("生日"), birthday_, 1);
    ++row;
    pair(QStringLiteral("工作单位"), gzdw_, 0);
    pair(QStringLiteral("手机号码"), movetel_, 1);
    ++row;
    pair(QStringLiteral("家庭电话"), jttel_, 0);
    pair(QStringLiteral("通信地址"), txdz_, 1);
    ++row;
    pair(QStringLiteral("邮政编码"), yzbm_, 0);
    pair(QStringLiteral("单位电话"), worktel_, 1);
    ++row;
    pair(QStringLiteral("传真"), workcz_, 0);
    pair(QStringLiteral("会员密码"), password_, 1);
    ++row;
    grid->addWidget(new QLabel(QStringLiteral("介绍人"), page), row, 0, Qt::AlignRight);
    grid->addLayout(introRow, row++, 1, 1, 3);

    auto* photoColumn = new QVBoxLayout;
    photoColumn->addWidget(photoView_);
    photoColumn->addWidget(choosePhoto_);
    photoColumn->addWidget(takePhoto_);
    photoColumn->addStretch();
    auto* layout = new QHBoxLayout(page);
    layout->addLayout(grid, 1);
    layout->addLayout(photoColumn);

    connect(memberno_, &QLineEdit::editingFinished, this, &Tfrmmemberreg::memberNoLeft);
    connect(memberno_, &QLineEdit::textChanged, this, [this](const QString& text) {
        if (mc::cardMode == 2 || mc::cardMode == 3)
            truecard_->setText(text);
    });
    connect(sfzh_, &QLineEdit::editingFinished, this, &Tfrmmemberreg::identityLeft);
    connect(classBox_, &QComboBox::activated, this, &Tfrmmemberreg::classChosen);
    connect(deposit_, &QLineEdit::editingFinished, this, &Tfrmmemberreg::depositLeft);
    connect(introducer_, &QPushButton::clicked, this, &Tfrmmemberreg::introducerClick);
    connect(readCard_, &QPushButton::clicked, this, &Tfrmmemberreg::readCard);
    connect(choosePhoto_, &QPushButton::clicked, this, &Tfrmmemberreg::choosePhotoClick);
    connect(takePhoto_, &QPushButton::clicked, this, &Tfrmmemberreg::takePhotoClick);
    return page;
}

QWidget* Tfrmmemberreg::paymentPanel()
{
    auto* box = new QGroupBox(this);
    sumPrice_ = readOnly(edit("sumPrice"));
    sumDeposit_ = readOnly(edit("sumDeposit"));
    khcksj_ = readOnly(edit("khcksj"));
    khhjys_ = readOnly(edit("khhjys"));
    khyhje_ = mc::ui::moneyEdit(this, "khyhje");
    khyhje_->setMaxLength(12);
    khssje_ = readOnly(edit("khssje"));
    account_ = new QComboBox(this);
    account_->setObjectName(QStringLiteral("khjkfs"));
    try {
        account_->addItems(paymentAccounts(db_));
    } catch (const mc::db::DbError& e) {
        QMessageBox::warning(this, windowTitle(), e.message());
    }
    auto* grid = new QGridLayout(box);
    const std::pair<const char*, QWidget*> fields[] = {
        {"卡价格", sumPrice_}, {"押金", sumDeposit_}, {"存款实缴金额", khcksj_}, {"合计应收", khhjys_},
        {"优惠金额", khyhje_}, {"实收", khssje_}, {"收款方式", account_}};
    int n = 0;
    for (const auto& [caption, w] : fields) {
        grid->addWidget(new QLabel(QString::fromUtf8(caption), box), n / 4, (n % 4) * 2, Qt::AlignRight);
        grid->addWidget(w, n / 4, (n % 4) * 2 + 1);
        ++n;
    }
    connect(khyhje_, &QLineEdit::textChanged, this, &Tfrmmemberreg::showTotals);
    return box;
}

// Enter in the password goes on to the custom fields (or the discount), and Enter in the last
// custom field comes back to the discount.
bool Tfrmmemberreg::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() != QEvent::KeyPress)
        return EntryDialog::eventFilter(watched, event);
    const int key = static_cast<QKeyEvent*>(event)->key();
    if (key != Qt::Key_Return && key != Qt::Key_Enter)
        return EntryDialog::eventFilter(watched, event);
    if (watched == password_ && !custom_->fields().isEmpty()) {
        pages_->setCurrentIndex(1);
        custom_->editor(0)->setFocus();
    } else {
        pages_->setCurrentIndex(0);
        khyhje_->setFocus();
    }
    return true;
}

void Tfrmmemberreg::showEvent(QShowEvent* event)
{
    EntryDialog::showEvent(event);
    if (shown_)
        return;
    shown_ = true;
    addClick();
}

void Tfrmmemberreg::setEditing(bool editing)
{
    for (QWidget* w : {static_cast<QWidget*>(pages_), static_cast<QWidget*>(khyhje_),
                       static_cast<QWidget*>(account_)})
        w->setEnabled(editing);
    add_->setEnabled(!editing);
    reset_->setEnabled(editing);
    save_->setEnabled(editing);
}

// 添加: a new, empty member with the custom defaults, then the card by the card mode.
void Tfrmmemberreg::addClick()
{
    for (QLineEdit* e : findChildren<QLineEdit*>())
        if (!custom_->isAncestorOf(e))
            e->clear();
    classBox_->setCurrentIndex(-1);
    class_.reset();
    custom_->setDefaults();
    khyhje_->setText(QStringLiteral("0"));
    khdate_ = QDateTime::currentDateTime();
    khdateText_->setText(khdate_.toString(QStringLiteral("yyyy-MM-dd")));
    showPhoto(QFileInfo::exists(mc::appPath + QStringLiteral("nophoto.jpg")) ? mc::appPath + QStringLiteral("nophoto.jpg")
                                                                             : QString());
    photo_.clear();
    showTotals();
    setEditing(true);
    pages_->setCurrentIndex(0);
    QTimer::singleShot(100, this, &Tfrmmemberreg::readCard);
}

// Mode 1 takes the number from the card-number dialog; without one the registration ends.
void Tfrmmemberreg::readCard()
{
    if (mc::cardMode == 1) {
        mc::pickedNumber.clear();
        Tfrmreadcard dialog(mc::devices::libraryReader(), this);
        dialog.exec();
        if (mc::pickedNumber.isEmpty()) {
            reject();
            return;
        }
        truecard_->setText(mc::pickedNumber);
    }
    memberno_->setFocus();
}

void Tfrmmemberreg::memberNoLeft()
{
    memberno_->setText(paddedMemberNo(memberno_->text(), mc::settings.memberws));
}

void Tfrmmemberreg::identityLeft()
{
    const QString sfzh = sfzh_->text().trimmed();
    if (sfzh.isEmpty())
        return;
    const auto birthday = birthdayFromIdentity(sfzh);
    if (!birthday) {
        QMessageBox::information(this, windowTitle(), QStringLiteral("身份证号输入错误"));
        return;
    }
    birthday_->setText(birthday->toString(QStringLiteral("yyyy-MM-dd")));
}

// Choosing a class: its amounts and validity, the deposit field by its kind.
void Tfrmmemberreg::classChosen()
{
    try {
        class_ = classAmounts(db_, classBox_->currentData().toString());
    } catch (const mc::db::DbError& e) {
        QMessageBox::warning(this, windowTitle(), e.message());
        class_.reset();
    }
    deposit_->clear();
    if (!class_)
        return showTotals();
    const bool count = class_->classname == countKind;
    const bool stored = class_->classname == storedValueKind;
    depositLabel_->setText(count ? QStringLiteral("消费次数") : QStringLiteral("实存金额"));
    depositLabel_->setVisible(count || stored);
    deposit_->setVisible(count || stored);
    deposit_->setEnabled(stored);
    mc::acceptOnly(deposit_, stored ? mc::digitKeys + u'.' : mc::digitKeys);
    if (count)
        deposit_->setText(QString::number(class_->cardcs));
    kind_->setText(class_->classname);
    khkjg_->setText(class_->khkjg.text());
    khyj_->setText(class_->khyj.text());
    usemonth_->setText(QString::number(class_->usemonth));
    useday_->setText(QString::number(class_->useday));
    showTotals();
}

void Tfrmmemberreg::depositLeft()
{
    if (!class_ || class_->classname != storedValueKind || deposit_->text().trimmed().isEmpty())
        return;
    if (!Money::parse(deposit_->text().trimmed())) {
        QMessageBox::information(this, windowTitle(), QStringLiteral("实存金额录入错误"));
        deposit_->setFocus();
        return;
    }
    showTotals();
}

// The amounts of the bottom panel, computed as the save will.
void Tfrmmemberreg::showTotals()
{
    if (!class_) {
        for (QLineEdit* e : {sumPrice_, sumDeposit_, khcksj_, khhjys_, khssje_, curmoney_})
            mc::ui::setMoney(e, Money());
        return;
    }
    const Money deposit = class_->classname == storedValueKind ? typedMoney(deposit_) : Money();
    const Totals t = registrationTotals(*class_, deposit, typedMoney(khyhje_), mc::settings.jeblxs);
    mc::ui::setMoney(sumPrice_, class_->khkjg);
    mc::ui::setMoney(sumDeposit_, class_->khyj);
    mc::ui::setMoney(khcksj_, t.khcksj);
    mc::ui::setMoney(khhjys_, t.khhjys);
    mc::ui::setMoney(khssje_, t.khssje);
    mc::ui::setMoney(curmoney_, t.curmoney);
}

void Tfrmmemberreg::introducerClick()
{
    Tfrmhyxz picker(db_, this);
    picker.exec();
    if (!picker.picked())
        return;
    rhjsr_->setText(picker.picked()->memberno + u' ' + picker.picked()->membername);
    rhjsr_->setProperty("memberno", picker.picked()->memberno);
}

void Tfrmmemberreg::showPhoto(const QString& file)
{
    photoView_->setPixmap(file.isEmpty() ? QPixmap() : QPixmap(file).scaled(photoView_->size(), Qt::KeepAspectRatio));
}

void Tfrmmemberreg::choosePhotoClick()
{
    const QString file = QFileDialog::getOpenFileName(this, QStringLiteral("选取照片"), QString(),
                                                      QStringLiteral("图片 (*.bmp *.jpg *.jpeg *.png)"));
    if (file.isEmpty())
        return;
    if (QPixmap(file).isNull()) {
        QMessageBox::information(this, windowTitle(), QStringLiteral("照片文件格式不正确"));
        return;
    }
    photo_ = file;
    showPhoto(file);
}

void Tfrmmemberreg::takePhotoClick()
{
    if (name_->text().trimmed().isEmpty()) {
        QMessageBox::information(this, windowTitle(), QStringLiteral("必须先录入会员名"));
        name_->setFocus();
        return;
    }
    Tfrmcapturebmp camera(name_->text().trimmed(), this);
    camera.exec();
    if (camera.savedFile().isEmpty())
        return;
    photo_ = camera.savedFile();
    showPhoto(photo_);
}

// Card mode 2. The card goes in before the save begins, so the write inside the save's
// transaction makes one attempt and never waits for the operator: a database lock is held for as
// long as the card takes, not as long as someone takes at the counter. A card taken out
// meanwhile fails the save, which the operator repeats.
IcCardWrite Tfrmmemberreg::cardWriterForSave()
{
    if (writeCard_)
        return writeCard_;
    if (QMessageBox::information(this, windowTitle(), QStringLiteral("请放卡"), QMessageBox::Ok | QMessageBox::Cancel) !=
        QMessageBox::Ok)
        return {};
    const std::optional<int> port = readerPortOrReport(this);
    if (!port)
        return {};
    std::array<quint8, 3> psc;
    try {
        psc = mc::devices::systemPsc(mc::devices::loadMachineSettings(db_).jmmm);
    } catch (const mc::db::DbError& e) {
        QMessageBox::warning(this, windowTitle(), e.message());
        return {};
    }
    cardProblem_.clear();
    return [this, port = *port, psc](const mc::devices::IcCardData& card) {
        mc::devices::IcCardWriter writer(mc::devices::libraryReader(), port, psc, card);
        return writer.run({[] { return false; },  // never wait for a card to come or go
                           [this](const QString& m) { cardProblem_ = m; },
                           [](const QString&) {}});
    };
}

RegistrationInput Tfrmmemberreg::input() const
{
    RegistrationInput in;
    in.cardMode = mc::cardMode;
    in.memberno = memberno_->text();
    in.truecard = truecard_->text();
    in.membername = name_->text().trimmed();
    in.sex = sex_->currentText();
    in.cardno = classBox_->currentData().toString();
    in.deposit = class_ && class_->classname == storedValueKind ? deposit_->text() : QString();
    in.khyhje = typedMoney(khyhje_);
    in.khjkfs = account_->currentText();
    in.sfzh = sfzh_->text();
    in.birthday = QDate::fromString(birthday_->text().trimmed(), QStringLiteral("yyyy-MM-dd"));
    in.gzdw = gzdw_->text();
    in.txdz = txdz_->text();
    in.yzbm = yzbm_->text();
    in.movetel = movetel_->text();
    in.jttel = jttel_->text();
    in.worktel = worktel_->text();
    in.workcz = workcz_->text();
    in.memberphoto = photo_;
    in.password = password_->text();
    in.rhjsr = rhjsr_->property("memberno").toString();
    in.khdate = khdate_;
    // The texts as typed: the service reads them by the field's type and names what it cannot.
    for (int n = 0; n < custom_->fields().size(); ++n)
        in.custom.insert(custom_->fields()[n].name, custom_->text(n));
    return in;
}

void Tfrmmemberreg::saveClick()
{
    IcCardWrite writeCard;
    if (mc::cardMode == 2 && !(writeCard = cardWriterForSave()))
        return;
    const mc::Session session = mc::Session::current();
    const RegistrationSettings settings{mc::settings.memberws, mc::settings.jeblxs};
    const auto result = registerMember(db_, session, settings, input(), writeCard);
    if (!result.ok) {
        // The refused field may sit on the other page.
        if (auto* w = result.field.isEmpty() ? nullptr : findChild<QWidget*>(result.field))
            pages_->setCurrentIndex(custom_->isAncestorOf(w) ? 1 : 0);
        showResult(result);
        if (!cardProblem_.isEmpty())
            QMessageBox::information(this, windowTitle(), std::exchange(cardProblem_, QString()));
        return;
    }
    showResult(result);
    memberno_->setText(result.value.memberno);
    truecard_->setText(result.value.truecard);
    setEditing(false);
    printTicket(result.value, session);
}

void Tfrmmemberreg::printTicket(const RegistrationDone& done, const mc::Session& session)
{
    if (!mc::settings.zcdyxp)
        return;
    const mc::receipts::ReceiptSettings receipt = mc::receipts::receiptSettings(mc::settings);
    QString error;
    if (receipt.printerKind == 1) {
        error = mc::receipts::printPosReceipt(
            receipt, registrationTicket(done, session.operatorName, session.now));
    } else {
        try {
            mc::reports::Report report =
                mc::reports::reportFor(*mc::reports::templateEntry(QStringLiteral("memberzc")), db_, mc::appPath);
            QSqlQuery row = ticketRow(db_, done.pid);
            report.bind(mc::reports::printSource, row);
            if (mc::reports::ReportObject* memo = report.layout().object(QStringLiteral("memo5")))
                memo->text = done.classname == countKind ? QStringLiteral("消费次数:") + QString::number(done.curcs)
                                                         : QStringLiteral("卡内实存:") + done.curmoney.text();
            error = mc::reports::printReceiptReport(report, receipt, this);
        } catch (const mc::db::DbError& e) {
            error = e.message();
        }
    }
    if (!error.isEmpty())
        QMessageBox::warning(this, windowTitle(), error);
}
