#pragma once
// The system-settings window: three pages of controls, each bound to its place in the
// settings row or in sysset.ini.

#include "system_settings.h"

#include <QDialog>

class QCheckBox;
class QComboBox;
class QLineEdit;
class QTabWidget;

class Tfrmsysset : public QDialog {
    Q_OBJECT
public:
    explicit Tfrmsysset(QWidget* parent = nullptr);

private:
    QWidget* basicPage();
    QWidget* salesPage();
    QWidget* messagePage();
    QLineEdit* edit(const char* name, const QString& accepted = {});
    QCheckBox* check(const char* name, const QString& caption);
    QComboBox* list(const char* name, const QStringList& items);

    void FormShow();
    void showForm(const mc::SettingsForm& form);
    mc::SettingsForm readForm() const;
    void showSmsGroup();
    void chooseBackupFolder();
    void saveClick();
    void focusField(const QString& name);

    mc::SettingsForm form_;
    QTabWidget* PageControl1;
};
