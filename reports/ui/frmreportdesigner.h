#pragma once
// The simple report designer of 报表设计: the bands of a template (add, remove, height, data
// source), its text objects (place, move, resize, text, format, font, alignment), the fields
// of the bound data sources to pick from (by their titles), zoom, preview and save.

#include "design_document.h"
#include "report.h"

#include <QMainWindow>

class DesignCanvas;
class QCheckBox;
class QComboBox;
class QDoubleSpinBox;
class QFontComboBox;
class QLineEdit;
class QListWidget;
class QTreeWidget;
class QTreeWidgetItem;

class TfrmReportDesigner : public QMainWindow {
    Q_OBJECT
public:
    explicit TfrmReportDesigner(mc::reports::Report report, QWidget* parent = nullptr);

    const mc::reports::DesignDocument& document() const { return doc_; }
    DesignCanvas* canvas() const { return canvas_; }
    // Writes the template to its file. Returns an error text, empty on success.
    QString save();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    QWidget* buildBandPanel();
    QWidget* buildObjectPanel();
    QWidget* buildFieldPanel();
    void buildActions();
    void fillBands();
    void showSelection(int band, int object);
    void showBand(int band);
    void applyObject();
    void applyBand();
    void addBand();
    void removeBand();
    void addText();
    void removeObject();
    void pickField(QTreeWidgetItem* item);
    void preview();
    void zoomIn();
    void zoomOut();
    void changed();

    mc::reports::Report report_;
    mc::reports::DesignDocument doc_;
    DesignCanvas* canvas_;
    QListWidget* bands_;
    QComboBox* bandType_;
    QDoubleSpinBox* bandHeight_;
    QComboBox* bandSource_;
    QLineEdit* text_;
    QComboBox* format_;
    QFontComboBox* family_;
    QDoubleSpinBox* size_;
    QCheckBox* bold_;
    QCheckBox* wrap_;
    QCheckBox* frame_;
    QComboBox* halign_;
    QDoubleSpinBox* left_;
    QDoubleSpinBox* top_;
    QDoubleSpinBox* width_;
    QDoubleSpinBox* height_;
    QTreeWidget* fields_;
    QComboBox* zoom_;
    bool filling_ = false;  // controls being filled from the document, not edited
};
