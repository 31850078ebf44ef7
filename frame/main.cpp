// membercard start-up. The windows come with the application frame; until then the program
// prepares its data folder, opens the demonstration account set and says what it found.

#include "data_files.h"
#include "database.h"
#include "globals.h"

#include <QCoreApplication>
#include <QTextStream>

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("membercard"));
    QTextStream out(stdout);
    try {
        mc::appPath = mc::chooseAppPath(QCoreApplication::applicationDirPath());
        out << "数据文件夹: " << mc::appPath << '\n';
        const QStringList created = mc::populateDataFolder(mc::appPath);
        for (const QString& file : created)
            out << "已创建: " << file << '\n';
        if (created.isEmpty())
            out << "数据文件已存在，未创建新文件\n";

        mc::accountSet = mc::demoSetName;
        mc::dbFile = mc::accountSetFile(mc::appPath, mc::accountSet);
        const QSqlDatabase db = mc::db::openSqlite(mc::db::accountConnection, mc::dbFile);
        out << "演示帐套 " << mc::demoSetDescription << ": " << mc::dbFile << '\n'
            << "  会员卡类型 "
            << mc::db::scalar(db, QStringLiteral("select count(*) from cardclass where cardno <> '0000'")).toInt()
            << " 个, 商品 " << mc::db::scalar(db, QStringLiteral("select count(*) from xssp")).toInt()
            << " 种, 员工 "
            << mc::db::scalar(db, QStringLiteral("select count(*) from gsyg where ygid <> '735146'")).toInt()
            << " 名\n"
            << "程序窗口尚未提供。\n";
    } catch (const mc::db::DbError& e) {
        QTextStream(stderr) << e.saveMessage() << '\n';
        return 1;
    }
    return 0;
}
