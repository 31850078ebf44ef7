#include "frmreportdesigner.h"

#include "design_canvas.h"
#include "dialog_layout.h"
#include "receipt_report.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QDockWidget>
#include <QDoubleSpinBox>
#include <QFileInfo>
#include <QFontComboBox>
#include <QFormLayout>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>
#include <QScrollArea>
#include <QSignalBlocker>
#include <QStatusBar>
#include <QToolBar>
#include <QTreeWidget>
#include <QVBoxLayout>

using namespace mc::reports;

namespace {

// Where a field item of the field list keeps its column name.
constexpr int columnRole = Qt::UserRole + 1;

QDoubleSpinBox* millimetres(const QString& name, double max)
{
    auto* box = new QDoubleSpinBox;
    box->setObjectName(name);
    box->setRange(0, max);
    box->setDecimals(1);
    box->setSingleStep(0.5);
    box->setSuffix(QStringLiteral(" mm"));
    return box;
}

}  // namespace

TfrmReportDesigner::TfrmReportDesigner(Report report, QWidget* parent)
    : QMainWindow(parent), report_(std::move(report)), doc_(report_.layout())
{
    setObjectName(QStringLiteral("frmreportdesigner"));
    setWindowTitle(QStringLiteral("报表设计 - ") + QFileInfo(report_.file()).fileName() + QStringLiteral("[*]"));
    canvas_ = new DesignCanvas(&doc_);
    auto* scroll = new QScrollArea;
    scroll->setWidget(canvas_);
    scroll->setWidgetResizable(false);
    setCentralWidget(scroll);

    auto dock = [this](const QString& title, QWidget* content, Qt::DockWidgetArea area) {
        auto* d = new QDockWidget(title, this);
        d->setFeatures(QDockWidget::NoDockWidgetFeatures);
        d->setWidget(content);
        addDockWidget(area, d);
    };
    dock(QStringLiteral("区域"), buildBandPanel(), Qt::LeftDockWidgetArea);
    dock(QStringLiteral("字段"), buildFieldPanel(), Qt::LeftDockWidgetArea);
    dock(QStringLiteral("对象"), buildObjectPanel(), Qt::RightDockWidgetArea);
    buildActions();

    connect(canvas_, &DesignCanvas::selectionChanged, this, &TfrmReportDesigner::showSelection);
    connect(canvas_, &DesignCanvas::objectChanged, this, [this](int band, int object) {
        showSelection(band, object);
        changed();
    });
    fillBands();
    showSelection(-1, -1);
    if (!report_.loadError().isEmpty())
        statusBar()->showMessage(report_.loadError());
    resize(1100, 750);
}

QWidget* TfrmReportDesigner::buildBandPanel()
{
    auto* panel = new QWidget;
    auto* layout = new QVBoxLayout(panel);
    bands_ = new QListWidget;
    bands_->setObjectName(QStringLiteral("bandList"));
    layout->addWidget(bands_);
    bandType_ = new QComboBox;
    bandType_->setObjectName(QStringLiteral("bandType"));
    for (BandType t : allBandTypes())
        bandType_->addItem(bandTypeCaption(t), int(t));
    layout->addWidget(bandType_);
    auto* add = mc::namedButton(panel, QStringLiteral("添加区域"), "addBand");
    auto* remove = mc::namedButton(panel, QStringLiteral("删除区域"), "removeBand");
    layout->addWidget(add);
    layout->addWidget(remove);
    auto* form = new QFormLayout;
    bandHeight_ = millimetres(QStringLiteral("bandHeight"), 1000);
    form->addRow(QStringLiteral("高度"), bandHeight_);
    bandSource_ = new QComboBox;
    bandSource_->setObjectName(QStringLiteral("bandSource"));
    bandSource_->addItems({QString(), printSource, otherSource, tempSource});
    form->addRow(QStringLiteral("数据源"), bandSource_);
    layout->addLayout(form);

    connect(bands_, &QListWidget::currentRowChanged, this, [this](int row) {
        if (!filling_ && row != canvas_->selectedBand())
            canvas_->select(row, -1);
    });
    connect(add, &QPushButton::clicked, this, &TfrmReportDesigner::addBand);
    connect(remove, &QPushButton::clicked, this, &TfrmReportDesigner::removeBand);
    connect(bandHeight_, &QDoubleSpinBox::valueChanged, this, &TfrmReportDesigner::applyBand);
    connect(bandSource_, &QComboBox::currentTextChanged, this, &TfrmReportDesigner::applyBand);
    return panel;
}

QWidget* TfrmReportDesigner::buildObjectPanel()
{
    auto* panel = new QWidget;
    auto* form = new QFormLayout(panel);
    text_ = new QLineEdit;
    text_->setObjectName(QStringLiteral("memoText"));
    form->addRow(QStringLiteral("文本"), text_);
    format_ = new QComboBox;
    format_->setObjectName(QStringLiteral("memoFormat"));
    format_->setEditable(true);
    format_->addItems({QString(), QStringLiteral("0.00"), QStringLiteral("0"), QStringLiteral("yyyy-mm-dd"),
                       QStringLiteral("yyyy-mm-dd hh:nn"), QStringLiteral("hh:nn:ss")});
    form->addRow(QStringLiteral("格式"), format_);
    family_ = new QFontComboBox;
    family_->setObjectName(QStringLiteral("fontFamily"));
    form->addRow(QStringLiteral("字体"), family_);
    size_ = new QDoubleSpinBox;
    size_->setObjectName(QStringLiteral("fontSize"));
    size_->setRange(4, 72);
    size_->setDecimals(1);
    form->addRow(QStringLiteral("字号"), size_);
    bold_ = new QCheckBox(QStringLiteral("粗体"));
    bold_->setObjectName(QStringLiteral("fontBold"));
    form->addRow(QString(), bold_);
    wrap_ = new QCheckBox(QStringLiteral("自动换行"));
    wrap_->setObjectName(QStringLiteral("wordWrap"));
    form->addRow(QString(), wrap_);
    frame_ = new QCheckBox(QStringLiteral("边框"));
    frame_->setObjectName(QStringLiteral("frame"));
    form->addRow(QString(), frame_);
    halign_ = new QComboBox;
    halign_->setObjectName(QStringLiteral("alignment"));
    halign_->addItems({QStringLiteral("左对齐"), QStringLiteral("居中"), QStringLiteral("右对齐")});
    form->addRow(QStringLiteral("对齐"), halign_);
    left_ = millimetres(QStringLiteral("objLeft"), 1000);
    top_ = millimetres(QStringLiteral("objTop"), 1000);
    width_ = millimetres(QStringLiteral("objWidth"), 1000);
    height_ = millimetres(QStringLiteral("objHeight"), 1000);
    form->addRow(QStringLiteral("左"), left_);
    form->addRow(QStringLiteral("上"), top_);
    form->addRow(QStringLiteral("宽"), width_);
    form->addRow(QStringLiteral("高"), height_);

    connect(text_, &QLineEdit::textChanged, this, &TfrmReportDesigner::applyObject);
    connect(format_, &QComboBox::currentTextChanged, this, &TfrmReportDesigner::applyObject);
    connect(family_, &QFontComboBox::currentFontChanged, this, &TfrmReportDesigner::applyObject);
    for (QCheckBox* box : {bold_, wrap_, frame_})
        connect(box, &QCheckBox::toggled, this, &TfrmReportDesigner::applyObject);
    connect(halign_, &QComboBox::currentIndexChanged, this, &TfrmReportDesigner::applyObject);
    for (QDoubleSpinBox* box : {size_, left_, top_, width_, height_})
        connect(box, &QDoubleSpinBox::valueChanged, this, &TfrmReportDesigner::applyObject);
    return panel;
}

QWidget* TfrmReportDesigner::buildFieldPanel()
{
    fields_ = new QTreeWidget;
    fields_->setObjectName(QStringLiteral("fieldList"));
    fields_->setHeaderLabel(QStringLiteral("双击插入字段"));
    for (const QString& name : {printSource, otherSource, tempSource}) {
        if (!report_.sources().contains(name))
            continue;
        auto* top = new QTreeWidgetItem(fields_, {name});
        const DataSource source = report_.sources().value(name);
        for (int c = 0; c < source.columns().size(); ++c) {
            // The title to read; the column name, which the inserted field uses, in the tip.
            const QString column = source.columns()[c];
            auto* item = new QTreeWidgetItem(top, {source.title(c)});
            item->setData(0, Qt::UserRole, name);
            item->setData(0, columnRole, column);
            item->setToolTip(0, column);
        }
        top->setExpanded(true);
    }
    connect(fields_, &QTreeWidget::itemDoubleClicked, this, &TfrmReportDesigner::pickField);
    return fields_;
}

void TfrmReportDesigner::buildActions()
{
    QToolBar* bar = addToolBar(QStringLiteral("设计"));
    auto action = [&](const char* name, const QString& caption, void (TfrmReportDesigner::*slot)()) {
        QAction* a = bar->addAction(caption);
        a->setObjectName(QLatin1String(name));
        connect(a, &QAction::triggered, this, slot);
    };
    action("addText", QStringLiteral("添加文本"), &TfrmReportDesigner::addText);
    action("removeObject", QStringLiteral("删除对象"), &TfrmReportDesigner::removeObject);
    action("preview", QStringLiteral("预览"), &TfrmReportDesigner::preview);
    bar->addSeparator();
    action("zoomOut", QStringLiteral("缩小"), &TfrmReportDesigner::zoomOut);
    zoom_ = new QComboBox;
    zoom_->setObjectName(QStringLiteral("zoom"));
    zoom_->setEditable(true);
    for (int percent : {50, 75, 100, 150, 200, 300})
        zoom_->addItem(QString::number(percent) + u'%');
    zoom_->setCurrentText(QStringLiteral("100%"));
    bar->addWidget(zoom_);
    action("zoomIn", QStringLiteral("放大"), &TfrmReportDesigner::zoomIn);
    // A typed or picked percentage applies; the canvas's own zoom (Ctrl and the wheel) shows here.
    connect(zoom_, &QComboBox::currentTextChanged, this, [this](const QString& text) {
        bool ok = false;
        const double percent = QString(text).remove(u'%').trimmed().toDouble(&ok);
        if (ok && percent > 0)
            canvas_->setZoom(percent / 100);
    });
    connect(canvas_, &DesignCanvas::zoomChanged, this, [this](double zoom) {
        const QString text = QString::number(qRound(zoom * 100)) + u'%';
        if (zoom_->currentText() != text) {
            const QSignalBlocker quiet(zoom_);
            zoom_->setCurrentText(text);
        }
    });
    bar->addSeparator();
    QAction* saveAction = bar->addAction(QStringLiteral("保存"));
    saveAction->setObjectName(QStringLiteral("save"));
    saveAction->setShortcut(QKeySequence::Save);
    connect(saveAction, &QAction::triggered, this, [this] {
        const QString error = save();
        if (!error.isEmpty())
            QMessageBox::warning(this, windowTitle(), error);
    });
}

void TfrmReportDesigner::fillBands()
{
    filling_ = true;
    bands_->clear();
    for (int b = 0; b < doc_.report().bands.size(); ++b)
        bands_->addItem(doc_.bandLabel(b));
    bands_->setCurrentRow(canvas_->selectedBand());
    filling_ = false;
}

void TfrmReportDesigner::showBand(int band)
{
    filling_ = true;
    const bool has = band >= 0;
    bandHeight_->setEnabled(has);
    bandSource_->setEnabled(has);
    if (has) {
        const Band& b = doc_.report().bands[band];
        bandHeight_->setValue(b.height);
        bandSource_->setCurrentText(b.source);
    }
    bands_->setCurrentRow(band);
    filling_ = false;
}

void TfrmReportDesigner::showSelection(int band, int object)
{
    showBand(band);
    filling_ = true;
    const bool has = band >= 0 && object >= 0;
    for (QWidget* w : std::initializer_list<QWidget*>{text_, format_, family_, size_, bold_, wrap_, frame_, halign_, left_, top_, width_, height_})
        w->setEnabled(has);
    if (has) {
        const ReportObject& o = doc_.object(band, object);
        text_->setText(o.text);
        format_->setCurrentText(o.format);
        family_->setCurrentFont(QFont(o.font.family.isEmpty() ? defaultFontFamily() : o.font.family));
        size_->setValue(o.font.size);
        bold_->setChecked(o.font.bold);
        wrap_->setChecked(o.wordWrap);
        // Some sides only still reads as framed; unticking takes every side away.
        frame_->setChecked(o.frame != 0);
        halign_->setCurrentIndex(int(o.halign));
        left_->setValue(o.rect.left());
        top_->setValue(o.rect.top());
        width_->setValue(o.rect.width());
        height_->setValue(o.rect.height());
    }
    filling_ = false;
}

void TfrmReportDesigner::applyObject()
{
    const int band = canvas_->selectedBand();
    const int object = canvas_->selectedObject();
    if (filling_ || band < 0 || object < 0)
        return;
    const ReportObject before = doc_.object(band, object);
    doc_.setText(band, object, text_->text());
    doc_.setFormat(band, object, format_->currentText());
    FontStyle font = before.font;
    const QString family = family_->currentFont().family();
    font.family = family == defaultFontFamily() ? QString() : family;
    font.size = size_->value();
    font.bold = bold_->isChecked();
    doc_.setFont(band, object, font);
    doc_.setAlignment(band, object, HAlign(halign_->currentIndex()), before.valign);
    doc_.setWordWrap(band, object, wrap_->isChecked());
    if (frame_->isChecked() != (before.frame != 0))
        doc_.setFrame(band, object, frame_->isChecked() ? FrameLeft | FrameTop | FrameRight | FrameBottom : 0);
    doc_.moveObject(band, object, QPointF(left_->value(), top_->value()));
    doc_.resizeObject(band, object, QSizeF(width_->value(), height_->value()));
    changed();
}

void TfrmReportDesigner::applyBand()
{
    const int band = canvas_->selectedBand();
    if (filling_ || band < 0)
        return;
    doc_.setBandHeight(band, bandHeight_->value());
    doc_.setBandSource(band, bandSource_->currentText());
    fillBands();
    changed();
}

void TfrmReportDesigner::addBand()
{
    const int band = doc_.addBand(BandType(bandType_->currentData().toInt()));
    canvas_->refresh();
    canvas_->select(band, -1);
    fillBands();
    changed();
}

void TfrmReportDesigner::removeBand()
{
    const int band = canvas_->selectedBand();
    if (band < 0)
        return;
    canvas_->select(-1, -1);
    doc_.removeBand(band);
    fillBands();
    changed();
}

void TfrmReportDesigner::addText()
{
    int band = canvas_->selectedBand();
    if (band < 0) {
        statusBar()->showMessage(QStringLiteral("请先选择一个区域"));
        return;
    }
    const int object = doc_.addText(band, QRectF(0, 0, 30, 5), QStringLiteral("文本"));
    canvas_->refresh();
    canvas_->select(band, object);
    changed();
}

void TfrmReportDesigner::removeObject()
{
    const int band = canvas_->selectedBand();
    const int object = canvas_->selectedObject();
    if (band < 0 || object < 0)
        return;
    canvas_->select(band, -1);
    doc_.removeObject(band, object);
    changed();
}

void TfrmReportDesigner::pickField(QTreeWidgetItem* item)
{
    const QString source = item->data(0, Qt::UserRole).toString();
    if (source.isEmpty())
        return;
    const QString token = DesignDocument::fieldToken(source, item->data(0, columnRole).toString());
    const int band = canvas_->selectedBand();
    int object = canvas_->selectedObject();
    if (band < 0) {
        statusBar()->showMessage(QStringLiteral("请先选择一个区域"));
        return;
    }
    if (object < 0) {
        object = doc_.addText(band, QRectF(0, 0, 30, 5), token);
        canvas_->refresh();
        canvas_->select(band, object);
    } else {
        doc_.setText(band, object, doc_.object(band, object).text + token);
        showSelection(band, object);
    }
    changed();
}

void TfrmReportDesigner::preview()
{
    Report shown = report_;
    shown.layout() = doc_.report();
    previewReport(shown, this);
}

void TfrmReportDesigner::zoomIn()
{
    canvas_->setZoom(canvas_->zoom() * 1.25);
}

void TfrmReportDesigner::zoomOut()
{
    canvas_->setZoom(canvas_->zoom() * 0.8);
}

void TfrmReportDesigner::changed()
{
    canvas_->refresh();
    setWindowModified(doc_.modified());
}

QString TfrmReportDesigner::save()
{
    report_.layout() = doc_.report();
    const QString error = report_.save();
    if (error.isEmpty()) {
        doc_.setModified(false);
        statusBar()->showMessage(QStringLiteral("已保存 ") + report_.file());
    }
    return error;
}

void TfrmReportDesigner::closeEvent(QCloseEvent* event)
{
    if (!doc_.modified()) {
        event->accept();
        return;
    }
    const auto answer = QMessageBox::question(this, windowTitle(), QStringLiteral("报表模板已修改，是否保存?"),
                                              QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
    if (answer == QMessageBox::Cancel) {
        event->ignore();
        return;
    }
    if (answer == QMessageBox::Yes) {
        const QString error = save();
        if (!error.isEmpty()) {
            QMessageBox::warning(this, windowTitle(), error);
            event->ignore();
            return;
        }
    }
    event->accept();
}
