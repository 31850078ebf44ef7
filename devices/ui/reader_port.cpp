#include "reader_port.h"

#include "reader_settings.h"

#include <QMessageBox>

std::optional<int> readerPortOrReport(QWidget* window)
{
    const std::optional<int> port = mc::devices::readerPortNumber(mc::devices::readerPortText());
    if (!port)
        QMessageBox::information(window, window->windowTitle(), mc::devices::badPortMessage);
    return port;
}
