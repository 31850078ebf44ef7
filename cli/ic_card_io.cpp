#include "ic_card_io.h"

#include "reader_settings.h"
#include "tavrik_card_reader.h"

#include <QElapsedTimer>
#include <QTextStream>
#include <QThread>

namespace mc::cli {

namespace {

// How long the command waits for a card to be put on the reader.
constexpr qint64 cardWaitMs = 5000;

void tell(const QString& message)
{
    if (!message.isEmpty())
        QTextStream(stderr) << message << Qt::endl;
}

}  // namespace

bool writeIcCard(const QSqlDatabase& accountDb, const devices::IcCardData& data)
{
    const std::optional<int> port = devices::readerPortNumber(devices::readerPortText());
    if (!port) {
        tell(devices::badPortMessage);
        return false;
    }
    const devices::MachineSettings settings = devices::loadMachineSettings(accountDb);
    devices::IcCardWriter writer(devices::libraryReader(), *port, devices::systemPsc(settings.jmmm), data);
    bool told = false;
    QElapsedTimer waiting;
    waiting.start();
    const devices::WaitIdle idle = [&] {
        // Once the writer has something to say the operator would act on it; nobody is there.
        if (told || waiting.elapsed() > cardWaitMs)
            return false;
        QThread::msleep(50);
        return true;
    };
    return writer.run({idle,
                       [&](const QString& m) {
                           told = true;
                           tell(m);
                       },
                       [](const QString&) {}});
}

}  // namespace mc::cli
