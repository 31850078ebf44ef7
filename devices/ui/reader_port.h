#pragma once
// The reader's port as both card windows read it from this workstation's settings.

#include <QWidget>

#include <optional>

// The port of machine/ckh; a text that names no port is reported ("读卡器串口设置错误") and gives
// nothing.
std::optional<int> readerPortOrReport(QWidget* window);
