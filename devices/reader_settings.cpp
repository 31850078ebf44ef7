#include "reader_settings.h"

#include "database.h"
#include "transaction.h"
#include "utils/password.h"
#include "utils/sysset.h"

#include <QCryptographicHash>
#include <QRegularExpression>
#include <QSqlQuery>

namespace mc::devices {

MachineSettings loadMachineSettings(const QSqlDatabase& db)
{
    MachineSettings s;
    QSqlQuery q = db::exec(db, QStringLiteral("select pid, symc, jplr, isusejp, txset, icqh, jmmm from machineset "
                                              "order by pid"));
    if (q.next()) {
        s.pid = q.value(0).toInt();
        s.symc = q.value(1).toString();
        s.jplr = q.value(2).toInt();
        s.isusejp = q.value(3).toBool();
        s.txset = q.value(4).toString();
        s.icqh = q.value(5).toInt();
        s.jmmm = q.value(6).toString();
    }
    return s;
}

namespace {

void writeRow(const QSqlDatabase& db, MachineSettings& s)
{
    const QVariantList values{s.symc, s.jplr, s.isusejp, s.txset, s.icqh, s.jmmm};
    db::Transaction t(db);
    if (s.pid == 0) {
        db::exec(db, QStringLiteral("insert into machineset(symc, jplr, isusejp, txset, icqh, jmmm) "
                                    "values(?, ?, ?, ?, ?, ?)"),
                 values);
        s.pid = db::scalar(db, QStringLiteral("select max(pid) from machineset")).toInt();
    } else {
        db::exec(db, QStringLiteral("update machineset set symc = ?, jplr = ?, isusejp = ?, txset = ?, icqh = ?, "
                                    "jmmm = ? where pid = ?"),
                 values + QVariantList{s.pid});
    }
    t.commit();
}

}  // namespace

QString saveMachineSettings(const QSqlDatabase& db, MachineSettings& settings, const QString& portText)
{
    if ((settings.jplr == 1 || settings.jplr == 2) && portText.trimmed().isEmpty())
        return QStringLiteral("选择串口读卡器必须录入串口号");
    // The reader library opens COM1 for any other number: refuse rather than drive the wrong port.
    const std::optional<int> port = readerPortNumber(portText.trimmed());
    if (settings.jplr == 2 && (!port || *port > 6))
        return QStringLiteral("串口读写器只能使用COM1至COM6");
    writeRow(db, settings);
    writestr(QStringLiteral("machine"), QStringLiteral("ckh"), portText.trimmed());
    return {};
}

Done setCardPassword(const QSqlDatabase& db, MachineSettings& settings, const QString& first,
                     const QString& second)
{
    if (first.isEmpty())
        return Done::failure(QStringLiteral("必须输入密码"));
    if (first != second)
        return Done::failure(QStringLiteral("密码输入不一致"));
    MachineSettings changed = settings;
    changed.jmmm = encodepwd(first);
    try {
        writeRow(db, changed);
    } catch (const db::DbError& e) {
        return Done::failure(e.saveMessage());
    }
    settings = changed;
    return Done::success();
}

std::optional<int> readerPortNumber(const QString& portText)
{
    static const QRegularExpression re(QStringLiteral("^COM([0-9]+)$"), QRegularExpression::CaseInsensitiveOption);
    const auto m = re.match(portText);
    if (portText.size() <= 3 || !m.hasMatch())
        return std::nullopt;
    bool ok = false;
    const int n = m.captured(1).toInt(&ok);
    if (!ok || n < 1 || n > 255)
        return std::nullopt;
    return n;
}

QString readerPortText()
{
    return readstr(QStringLiteral("machine"), QStringLiteral("ckh"));
}

std::array<quint8, 3> systemPsc(const QString& storedPassword)
{
    const QByteArray digest = QCryptographicHash::hash(
        QByteArrayLiteral("membercard-psc:") + decodepwd(storedPassword).toUtf8(), QCryptographicHash::Sha256);
    // Slide on in the digest in the (rare) case its first bytes are the factory code.
    for (qsizetype i = 0; i + 3 <= digest.size(); ++i) {
        const std::array<quint8, 3> code = {quint8(digest[i]), quint8(digest[i + 1]), quint8(digest[i + 2])};
        if (code != factoryPsc)
            return code;
    }
    return {0, 0, 0};
}

}  // namespace mc::devices
