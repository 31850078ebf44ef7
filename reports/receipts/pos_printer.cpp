#include "pos_printer.h"

#include "utils/sysset.h"

#include <QFile>
#include <QFileInfo>
#include <QProcess>

#include <cerrno>
#include <chrono>
#include <cstring>

#include <fcntl.h>
#include <poll.h>
#include <unistd.h>

namespace mc::receipts {

namespace {

// A printer that is switched off or out of paper stops taking bytes; give up after this long.
constexpr int stallMs = 5000;

QString failure(const QString& target, const QString& reason)
{
    return QStringLiteral("小票打印机无法打印: ") + target + u'\n' + reason;
}

QString systemError(int error)
{
    return QString::fromLocal8Bit(std::strerror(error));
}

QString writeDevice(const QString& path, const QByteArray& bytes)
{
    // No O_CREAT: a missing device must not turn into a file nobody reads.
    const int fd = ::open(QFile::encodeName(path).constData(), O_WRONLY | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return failure(path, systemError(errno));
    qsizetype done = 0;
    QString error;
    // The stall limit counts from the last byte taken: some drivers (lp) report the port ready
    // while it still refuses bytes, so poll alone would never time out.
    auto lastTaken = std::chrono::steady_clock::now();
    while (done < bytes.size()) {
        const ssize_t n = ::write(fd, bytes.constData() + done, size_t(bytes.size() - done));
        if (n > 0) {
            done += n;
            lastTaken = std::chrono::steady_clock::now();
            continue;
        }
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0 && errno != EAGAIN) {
            error = systemError(errno);
            break;
        }
        const auto waited = std::chrono::duration_cast<std::chrono::milliseconds>(
                                std::chrono::steady_clock::now() - lastTaken).count();
        if (waited >= stallMs) {
            error = QStringLiteral("打印机没有响应");
            break;
        }
        pollfd p{fd, POLLOUT, 0};
        const int ready = ::poll(&p, 1, int(stallMs - waited));
        if (ready < 0 && errno != EINTR) {
            error = systemError(errno);
            break;
        }
        if (ready > 0 && (p.revents & (POLLERR | POLLHUP))) {
            error = QStringLiteral("打印机已断开");
            break;
        }
        if (ready > 0)
            ::usleep(20'000);  // ready, yet the last write was refused: do not spin
    }
    ::close(fd);
    return error.isEmpty() ? QString() : failure(path, error);
}

QString sendToQueue(const QString& queue, const QByteArray& bytes)
{
    QProcess lp;
    lp.start(QStringLiteral("lp"), {QStringLiteral("-d"), queue, QStringLiteral("-o"), QStringLiteral("raw")});
    if (!lp.waitForStarted(stallMs))
        return failure(queue, QStringLiteral("无法启动 lp: ") + lp.errorString());
    lp.write(bytes);
    lp.closeWriteChannel();
    if (!lp.waitForFinished(stallMs * 2)) {
        lp.kill();
        lp.waitForFinished();
        return failure(queue, QStringLiteral("打印队列没有响应"));
    }
    if (lp.exitStatus() != QProcess::NormalExit || lp.exitCode() != 0)
        return failure(queue, QString::fromLocal8Bit(lp.readAllStandardError()).trimmed());
    return {};
}

}  // namespace

QString defaultPosTarget()
{
    for (const char* pattern : {"/dev/lp%1", "/dev/usb/lp%1"}) {
        for (int i = 0; i < 4; ++i) {
            const QString path = QString::fromLatin1(pattern).arg(i);
            if (QFileInfo::exists(path))
                return path;
        }
    }
    return QStringLiteral("/dev/lp0");
}

QString configuredPosTarget()
{
    const QString configured = readstr(QStringLiteral("sys"), QStringLiteral("posprinter")).trimmed();
    return configured.isEmpty() ? defaultPosTarget() : configured;
}

QString sendToPosPrinter(const QString& given, const QByteArray& bytes)
{
    const QString target = given.isEmpty() ? configuredPosTarget() : given;
    const QString queuePrefix = QStringLiteral("queue:");
    if (target.startsWith(queuePrefix))
        return sendToQueue(target.mid(queuePrefix.size()), bytes);
    return writeDevice(target, bytes);
}

QString printPosReceipt(const ReceiptSettings& settings, const QStringList& body)
{
    const QStringList lines = receiptLines(settings, body);
    if (lines.isEmpty())
        return {};
    return sendToPosPrinter(settings.posTarget, posBytes(lines));
}

}  // namespace mc::receipts
