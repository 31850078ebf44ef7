#include "services.h"

#include "sqlite_file.h"

namespace mc {

bool compactdb(const QString& sourceFile, const QString& targetFile)
{
    return db::compactSqliteInto(sourceFile, targetFile).isEmpty();
}

}  // namespace mc
