// The designer: editing steps on a template, and the window's round trip through the file.

#include "design_canvas.h"
#include "design_document.h"
#include "frmreportdesigner.h"
#include "template_file.h"

#include "qt_print.h"

#include <QAction>
#include <QCheckBox>
#include <QApplication>
#include <QLineEdit>
#include <QListWidget>
#include <QMouseEvent>
#include <QPushButton>
#include <QComboBox>
#include <QTemporaryDir>
#include <QStandardItemModel>
#include <QTreeWidget>
#include <QTreeWidgetItemIterator>

#include <gtest/gtest.h>

using namespace mc::reports;

namespace {

ReportTemplate twoBands()
{
    ReportTemplate t;
    t.page = {80, 0, 3, 3, 3, 3};
    ReportObject title;
    title.name = "memo1";
    title.rect = QRectF(0, 0, 74, 7);
    title.text = QStringLiteral("会员注册小票");
    ReportObject line;
    line.name = "memo2";
    line.rect = QRectF(0, 2, 40, 5);
    line.text = QStringLiteral("会员姓名:");
    t.bands << Band{BandType::ReportTitle, "reporttitle1", 10, {}, {}, false, {title}};
    t.bands << Band{BandType::MasterData, "masterdata1", 8, "frxprint", {}, false, {line}};
    return t;
}

void mouse(QWidget* w, QEvent::Type type, QPoint at, Qt::MouseButtons buttons)
{
    QMouseEvent e(type, QPointF(at), w->mapToGlobal(QPointF(at)), Qt::LeftButton, buttons, Qt::NoModifier);
    QApplication::sendEvent(w, &e);
}

}  // namespace

TEST(DesignDocument, BandsGoToTheirPrintingPlaceWithFreshNames)
{
    DesignDocument d(twoBands());
    EXPECT_EQ(d.addBand(BandType::PageFooter), 2);
    EXPECT_EQ(d.addBand(BandType::ColumnHeader), 1);
    EXPECT_EQ(d.addBand(BandType::MasterData), 3);  // after the existing master band
    const ReportTemplate& t = d.report();
    EXPECT_EQ(t.bands[3].name, "masterdata2");
    EXPECT_EQ(t.bands[3].source, "frxprint");
    EXPECT_EQ(d.bandLabel(3), QStringLiteral("主数据 masterdata2 (frxprint)"));
    EXPECT_EQ(d.addBand(BandType::DetailData), 4);
    EXPECT_EQ(t.bands[4].source, "frxother");
    d.removeBand(1);
    EXPECT_EQ(t.bands[1].type, BandType::MasterData);
    EXPECT_TRUE(d.modified());
}

TEST(DesignDocument, SettingWhatIsThereAlreadyIsNoChange)
{
    DesignDocument d(twoBands());
    const ReportObject& o = d.object(1, 0);
    d.moveObject(1, 0, o.rect.topLeft());
    d.resizeObject(1, 0, o.rect.size());
    d.setText(1, 0, o.text);
    d.setFormat(1, 0, o.format);
    d.setFont(1, 0, o.font);
    d.setAlignment(1, 0, o.halign, o.valign);
    d.setWordWrap(1, 0, o.wordWrap);
    d.setFrame(1, 0, o.frame);
    d.setBandHeight(1, d.report().bands[1].height);
    d.setBandSource(1, d.report().bands[1].source);
    EXPECT_FALSE(d.modified());
    d.moveObject(1, 0, o.rect.topLeft() + QPointF(0.1, 0));
    EXPECT_TRUE(d.modified());
}

TEST(DesignDocument, BandKindsShowInChinese)
{
    const QStringList expected = {"报表标题", "页眉", "列标题", "分组头", "主数据", "明细数据", "分组尾", "报表汇总", "页脚"};
    QStringList shown;
    for (BandType t : allBandTypes())
        shown << bandTypeCaption(t);
    EXPECT_EQ(shown, expected);
    EXPECT_EQ(DesignDocument(twoBands()).bandLabel(0), QStringLiteral("报表标题 reporttitle1"));
}

TEST(DesignDocument, TextObjectsSnapStayInsideAndGetFreeNames)
{
    DesignDocument d(twoBands());
    const int o = d.addText(1, QRectF(-4, 1.234, 0.2, 5), "x");
    EXPECT_EQ(d.object(1, o).name, "memo3");
    EXPECT_EQ(d.object(1, o).rect, QRectF(0, 1.2, 1, 5));
    d.moveObject(1, o, QPointF(12.345, 3.06));
    EXPECT_EQ(d.object(1, o).rect.topLeft(), QPointF(12.3, 3.1));
    EXPECT_EQ(DesignDocument::fieldToken("frxprint", "membername"), "[frxprint.\"membername\"]");
}

class Designer : public testing::Test {
protected:
    void SetUp() override
    {
        file = templatePath(dir.path() + "/", "memberzc");
        ASSERT_EQ(saveTemplate(twoBands(), file), "");
        Report report;
        report.load(file);
        report.bind("frxprint", DataSource({"memberno", "membername"}, {{"0001", QStringLiteral("张三")}}));
        window = std::make_unique<TfrmReportDesigner>(report);
        window->show();
    }
    template <typename T>
    T* child(const char* name) const
    {
        return window->findChild<T*>(QLatin1String(name));
    }

    QTemporaryDir dir;
    QString file;
    std::unique_ptr<TfrmReportDesigner> window;
};

TEST_F(Designer, MoveEditPickAFieldSaveAndLoadAgain)
{
    EXPECT_EQ(child<QListWidget>("bandList")->count(), 2);
    DesignCanvas* canvas = window->canvas();
    const QRect r = canvas->objectRect(1, 0);
    const QPoint grab = r.center();
    mouse(canvas, QEvent::MouseButtonPress, grab, Qt::LeftButton);
    EXPECT_EQ(canvas->selectedBand(), 1);
    EXPECT_EQ(canvas->selectedObject(), 0);
    EXPECT_EQ(child<QLineEdit>("memoText")->text(), QStringLiteral("会员姓名:"));
    // 10 mm right and 1 mm down, at four pixels to the millimetre.
    mouse(canvas, QEvent::MouseMove, grab + QPoint(40, 4), Qt::LeftButton);
    mouse(canvas, QEvent::MouseButtonRelease, grab + QPoint(40, 4), Qt::NoButton);
    EXPECT_EQ(window->document().object(1, 0).rect, QRectF(10, 3, 40, 5));

    QLineEdit* text = child<QLineEdit>("memoText");
    text->setText(QStringLiteral("姓名:"));
    QTreeWidget* fields = child<QTreeWidget>("fieldList");
    const QList<QTreeWidgetItem*> found = fields->findItems(QStringLiteral("会员姓名"), Qt::MatchExactly | Qt::MatchRecursive);
    ASSERT_EQ(found.size(), 1);
    emit fields->itemDoubleClicked(found[0], 0);
    child<QComboBox>("memoFormat")->setCurrentText("0.00");
    child<QCheckBox>("wordWrap")->setChecked(true);
    child<QCheckBox>("frame")->setChecked(true);
    ASSERT_EQ(window->save(), "");

    const ReportTemplate back = loadTemplate(file).report;
    ASSERT_EQ(back.bands.size(), 2);
    const ReportObject& moved = back.bands[1].objects[0];
    EXPECT_EQ(moved.rect, QRectF(10, 3, 40, 5));
    EXPECT_EQ(moved.text, QStringLiteral("姓名:[frxprint.\"membername\"]"));
    EXPECT_EQ(moved.format, "0.00");
    EXPECT_TRUE(moved.wordWrap);
    EXPECT_EQ(moved.frame, FrameLeft | FrameTop | FrameRight | FrameBottom);
    EXPECT_TRUE(back.bands[0] == twoBands().bands[0]);
}

TEST_F(Designer, ResizeFromTheCornerAndAddAndRemoveBands)
{
    DesignCanvas* canvas = window->canvas();
    const QPoint corner = canvas->objectRect(0, 0).bottomRight();
    mouse(canvas, QEvent::MouseButtonPress, corner, Qt::LeftButton);
    mouse(canvas, QEvent::MouseMove, corner - QPoint(40, 0), Qt::LeftButton);
    mouse(canvas, QEvent::MouseButtonRelease, corner - QPoint(40, 0), Qt::NoButton);
    EXPECT_EQ(window->document().object(0, 0).rect.size(), QSizeF(64, 7));

    auto* type = child<QComboBox>("bandType");
    type->setCurrentText(QStringLiteral("页脚"));
    child<QPushButton>("addBand")->click();
    QListWidget* list = child<QListWidget>("bandList");
    ASSERT_EQ(list->count(), 3);
    EXPECT_EQ(list->item(2)->text(), QStringLiteral("页脚 pagefooter1"));
    window->findChild<QAction*>("addText")->trigger();
    EXPECT_EQ(window->document().report().bands[2].objects.size(), 1);
    list->setCurrentRow(0);
    child<QPushButton>("removeBand")->click();
    EXPECT_EQ(list->count(), 2);
    EXPECT_EQ(window->document().report().bands[0].type, BandType::MasterData);
}

TEST_F(Designer, AClickWithoutAMoveChangesNothing)
{
    DesignCanvas* canvas = window->canvas();
    const QPoint at = canvas->objectRect(1, 0).center();
    mouse(canvas, QEvent::MouseButtonPress, at, Qt::LeftButton);
    mouse(canvas, QEvent::MouseMove, at, Qt::LeftButton);
    mouse(canvas, QEvent::MouseButtonRelease, at, Qt::NoButton);
    EXPECT_EQ(canvas->selectedObject(), 0);
    EXPECT_FALSE(window->document().modified());
    EXPECT_FALSE(window->isWindowModified());
    // Closing asks nothing: there is nothing to save.
    EXPECT_TRUE(window->close());
}

TEST_F(Designer, FieldsShowTheirTitlesAndInsertTheirColumn)
{
    Report report;
    report.load(file);
    QStandardItemModel model(1, 2);
    model.setHorizontalHeaderLabels({"xq", QStringLiteral("备用")});
    report.bind("frxprint", model);  // a grid's own headers
    report.bind("frxother", DataSource({"spname", "unknowncol"}, {}));  // known names, and one without a title
    TfrmReportDesigner designer(report);
    auto* fields = designer.findChild<QTreeWidget*>("fieldList");
    QStringList shown;
    for (QTreeWidgetItemIterator it(fields); *it; ++it)
        shown << (*it)->text(0);
    EXPECT_EQ(shown, QStringList({"frxprint", "xq", QStringLiteral("备用"), "frxother", QStringLiteral("商品名称"), "unknowncol"}));

    designer.canvas()->select(1, 0);
    const QList<QTreeWidgetItem*> name = fields->findItems(QStringLiteral("商品名称"), Qt::MatchExactly | Qt::MatchRecursive);
    ASSERT_EQ(name.size(), 1);
    EXPECT_EQ(name[0]->toolTip(0), "spname");
    emit fields->itemDoubleClicked(name[0], 0);
    EXPECT_EQ(designer.document().object(1, 0).text, QStringLiteral("会员姓名:[frxother.\"spname\"]"));
}

TEST_F(Designer, ZoomScalesTheDrawingAndTheDragging)
{
    DesignCanvas* canvas = window->canvas();
    const QRect at100 = canvas->objectRect(1, 0);
    child<QComboBox>("zoom")->setCurrentText("200%");
    EXPECT_DOUBLE_EQ(canvas->zoom(), 2.0);
    const QRect at200 = canvas->objectRect(1, 0);
    EXPECT_NEAR(at200.width(), 2 * at100.width(), 1);
    EXPECT_GE(canvas->width(), 2 * 80 * 4);  // the page is twice as wide on screen

    // At eight pixels to the millimetre, 40 pixels are 5 mm.
    const QPoint grab = at200.center();
    mouse(canvas, QEvent::MouseButtonPress, grab, Qt::LeftButton);
    mouse(canvas, QEvent::MouseMove, grab + QPoint(40, 0), Qt::LeftButton);
    mouse(canvas, QEvent::MouseButtonRelease, grab + QPoint(40, 0), Qt::NoButton);
    EXPECT_EQ(window->document().object(1, 0).rect.topLeft(), QPointF(5, 2));

    window->findChild<QAction*>("zoomOut")->trigger();
    EXPECT_DOUBLE_EQ(canvas->zoom(), 1.6);
    EXPECT_EQ(child<QComboBox>("zoom")->currentText(), "160%");
    canvas->setZoom(100);  // kept within its limits
    EXPECT_DOUBLE_EQ(canvas->zoom(), DesignCanvas::maxZoom);
}
