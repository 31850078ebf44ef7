#pragma once
// Serial line settings as the settings store them: "9600,n,8,1".

#include <QString>

namespace mc::devices {

struct LineSettings {
    int baud = 9600;
    char parity = 'n';  // n, e, o, m or s
    int dataBits = 8;   // 5-8
    double stopBits = 1;  // 1, 1.5 or 2
};

// Parts that are missing or not understood keep the values of "9600,n,8,1".
LineSettings parseLineSettings(const QString& text);

}  // namespace mc::devices
