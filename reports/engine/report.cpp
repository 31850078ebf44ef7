#include "report.h"

#include "globals.h"
#include "template_file.h"

namespace mc::reports {

void Report::load(const QString& file)
{
    file_ = file;
    LoadResult result = loadTemplate(file);
    template_ = std::move(result.report);
    loadError_ = result.error;
}

QString Report::save() const
{
    return saveTemplate(template_, file_);
}

PreparedReport Report::prepare(const QDateTime& now) const
{
    PreparedReport prepared = prepareReport(template_, sources_, now, companyName);
    if (!loadError_.isEmpty())
        prepared.errors.prepend(loadError_);
    return prepared;
}

}  // namespace mc::reports
