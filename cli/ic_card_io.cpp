#include "ic_card_io.h"

#include "reader_settings.h"
#include "tavrik_card_reader.h"

#include <QElapsedTimer>
#include <QTextStream>
#include <QThread>

namespace mc::cli {

namespace {

// How long a command waits for a card to be put on the reader.
constexpr qint64 cardWaitMs = 5000;

void tell(const QString& message)
{
    if (!message.isEmpty())
        QTextStream(stderr) << message << Qt::endl;
}

std::optional<int> readerPort()
{
    const std::optional<int> port = devices::readerPortNumber(devices::readerPortText());
    if (!port)
        tell(devices::badPortMessage);
    return port;
}

// Waits up to `ms` in small steps; false once the time is up or `stop` is set.
devices::WaitIdle waitingUpTo(qint64 ms, const bool& stop)
{
    auto timer = std::make_shared<QElapsedTimer>();
    timer->start();
    return [timer, ms, &stop] {
        if (stop || timer->elapsed() > ms)
            return false;
        QThread::msleep(50);
        return true;
    };
}

}  // namespace

Result<devices::IcCardRead> readIcCard(const QSqlDatabase& accountDb)
{
    const std::optional<int> port = readerPort();
    if (!port)
        return Result<devices::IcCardRead>::failure(devices::badPortMessage);
    const devices::MachineSettings settings = devices::loadMachineSettings(accountDb);
    const bool stop = false;
    return devices::readIcCard(devices::libraryReader(), *port, devices::systemPsc(settings.jmmm),
                               waitingUpTo(cardWaitMs, stop));
}

bool writeIcCard(const QSqlDatabase& accountDb, const devices::IcCardData& data, bool waitForCard)
{
    const std::optional<int> port = readerPort();
    if (!port)
        return false;
    const devices::MachineSettings settings = devices::loadMachineSettings(accountDb);
    devices::IcCardWriter writer(devices::libraryReader(), *port, devices::systemPsc(settings.jmmm), data);
    // Once the writer has something to say the operator would act on it; nobody is there.
    bool told = false;
    return writer.run({waitingUpTo(waitForCard ? cardWaitMs : 0, told),
                       [&](const QString& m) {
                           told = true;
                           tell(m);
                       },
                       [](const QString&) {}});
}

}  // namespace mc::cli
