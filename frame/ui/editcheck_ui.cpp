#include "editcheck_ui.h"

#include "utils/editcheck.h"

#include <QLineEdit>
#include <QMessageBox>

namespace mc {

namespace {

bool apply(QLineEdit* edit, const QString& defaulttext, const EditCheck& check)
{
    switch (check.outcome) {
    case EditCheck::Outcome::Accept:
        return true;
    case EditCheck::Outcome::UseDefault:
        edit->setText(defaulttext);
        return true;
    case EditCheck::Outcome::Reject:
        break;
    }
    QMessageBox::information(edit->window(), edit->window()->windowTitle(), check.message);
    if (edit->isEnabled() && edit->isVisible())
        edit->setFocus();
    return false;
}

}  // namespace

bool checkint(QLineEdit* edit, const QString& defaulttext, const QString& caption, int min, int max)
{
    return apply(edit, defaulttext, checkIntText(edit->text(), caption, min, max));
}

bool checkfloat(QLineEdit* edit, const QString& defaulttext, const QString& caption, double min, double max)
{
    return apply(edit, defaulttext, checkFloatText(edit->text(), caption, min, max));
}

}  // namespace mc
