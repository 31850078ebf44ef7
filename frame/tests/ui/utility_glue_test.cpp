// The widget side of the shared utilities: edit checks, grid export and help.

#include "app_locale.h"
#include "editcheck_ui.h"
#include "help_ui.h"
#include "modal_answer.h"
#include "qt_print.h"
#include "toexcel.h"

#include <QDesktopServices>
#include <QLineEdit>
#include <QStandardItemModel>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>
#include <QUrl>
#include <QVBoxLayout>

#include <gtest/gtest.h>

namespace {

TEST(EditCheckGlue, DefaultMessageAndFocus)
{
    QWidget window;
    window.setWindowTitle("会员注册");
    auto* layout = new QVBoxLayout(&window);
    auto* days = new QLineEdit;
    auto* other = new QLineEdit;
    layout->addWidget(days);
    layout->addWidget(other);
    window.show();
    window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    other->setFocus();

    EXPECT_TRUE(mc::checkint(days, "30", "天数", 1, 100));
    EXPECT_EQ(days->text(), "30");

    days->setText("500");
    const auto message = mctest::answerNextMessageBox();
    EXPECT_FALSE(mc::checkint(days, "30", "天数", 1, 100));
    EXPECT_EQ(*message, "天数的数值不应大于100");
    EXPECT_EQ(days->text(), "500");  // the text is left for the operator to correct
    EXPECT_EQ(window.focusWidget(), days);

    days->setText("abc");
    const auto second = mctest::answerNextMessageBox();
    EXPECT_FALSE(mc::checkfloat(days, "0", "金额", 0, 0));
    EXPECT_EQ(*second, "金额录入错误");
}

class FileOpener : public QObject {
    Q_OBJECT
public:
    QList<QUrl> opened;
public slots:
    void open(const QUrl& url) { opened << url; }
};

TEST(Help, F1OpensTheTopicOfTheFocusedWindow)
{
    FileOpener opener;
    QDesktopServices::setUrlHandler("file", &opener, "open");

    QWidget main;
    mc::setHelpContext(&main, 36);
    mc::installHelpKey(&main);
    auto* child = new QWidget(&main);
    mc::setHelpContext(child, 3);
    auto* edit = new QLineEdit(child);
    main.show();
    main.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&main));
    edit->setFocus();

    QTest::keyClick(edit, Qt::Key_F1);
    ASSERT_EQ(opener.opened.size(), 1);
    EXPECT_TRUE(opener.opened[0].toLocalFile().endsWith("/help/会员卡卡类型.htm"));

    mc::showhelp(&main, "简介.htm");
    ASSERT_EQ(opener.opened.size(), 2);
    EXPECT_TRUE(QFileInfo::exists(opener.opened[1].toLocalFile()));

    mc::showhelp(&main, "没有这一页.htm");  // a missing page: nothing happens
    mc::showhelp(&main, "../简介.htm");
    EXPECT_EQ(opener.opened.size(), 2);
    QDesktopServices::unsetUrlHandler("file");
}

TEST(Help, SaysSoWhenNoBrowserCanShowThePage)
{
    // The offscreen platform has no browser, as a desktop without one.
    QWidget main;
    const auto message = mctest::answerNextMessageBox();
    mc::showhelp(&main, "简介.htm");
    EXPECT_TRUE(message->startsWith("无法打开帮助")) << message->toStdString();
    EXPECT_TRUE(message->contains("简介.htm")) << message->toStdString();
}

TEST(ChineseLocale, StandardButtonsNumbersAndFontAreChinese)
{
    ASSERT_TRUE(mc::useChineseLocale());
    QMessageBox box(QMessageBox::Question, "删除", "确实要删除吗？",
                    QMessageBox::Ok | QMessageBox::Cancel | QMessageBox::Yes | QMessageBox::No);
    const std::pair<QMessageBox::StandardButton, QString> buttons[] = {
        {QMessageBox::Ok, "确定"}, {QMessageBox::Cancel, "取消"}, {QMessageBox::Yes, "是"}, {QMessageBox::No, "否"}};
    for (const auto& [button, text] : buttons)
        EXPECT_TRUE(box.button(button)->text().startsWith(text)) << box.button(button)->text().toStdString();
    EXPECT_EQ(QLocale().script(), QLocale::SimplifiedHanScript);
    EXPECT_EQ(QLocale().territory(), QLocale::China);
    EXPECT_EQ(QApplication::font().families().value(0), mc::chineseFontFamily);
}

TEST(GridExportGlue, HiddenColumnsComeFromTheViewAndSuccessIsShown)
{
    QTemporaryDir dir;
    QStandardItemModel model(1, 2);
    model.setHorizontalHeaderLabels({"卡号", "内部"});
    model.setItem(0, 0, new QStandardItem("0001"));
    QTableView view;
    view.setModel(&model);
    view.setColumnHidden(1, true);

    const auto message = mctest::answerNextMessageBox();
    ASSERT_TRUE(mc::exportGrid(&view, dir.path() + "/会员信息", "会员信息", "管理员"));
    EXPECT_EQ(*message, "数据成功导出");
    EXPECT_TRUE(QFileInfo::exists(dir.path() + "/会员信息.xlsx"));

    const auto failure = mctest::answerNextMessageBox();
    EXPECT_FALSE(mc::exportGrid(&view, dir.path() + "/missing/x.xlsx", "会员信息", "管理员"));
    EXPECT_TRUE(failure->startsWith("数据导出失败"));
}

}  // namespace

#include "utility_glue_test.moc"
