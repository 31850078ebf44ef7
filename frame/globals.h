#pragma once
// Process-wide values that every window and service reads. All start empty.

#include <QString>

namespace mc {

inline QString appPath;        // data folder, always ending in "/"
inline QString accountSet;     // folder name of the current account set (sjklj.ztmc)
inline QString dbFile;         // full path of the current account-set database file
inline QString operatorCode;   // gsyg.ygid of the logged-in operator
inline QString operatorName;   // gsyg.ygname
inline QString operatorClass;  // gsyg.yglb, selects the permission rows
inline QString loginTime;      // "yyyy-MM-dd hh:mm:ss"
inline QString operatorIp;     // never assigned: stays empty for the whole run
inline QString branchNo;       // never assigned: stays empty for the whole run
inline QString companyName;    // main-window caption
inline QString backupPath;     // folder of the automatic backup at exit

// 1 card number typed or from a serial reader, 2 IC card reader and writer, 3 no card device.
inline int cardMode = 1;
// The password typed at the last login.
inline QString typedPassword;

}  // namespace mc

namespace mc {

// Pick results: set by the pickers and the card-number input, cleared by their callers before
// opening them. An empty picked number means nothing was chosen.
inline QString pickedNo;
inline QString pickedName;
inline QString pickedClass;
inline double pickedBalance = 0;  // the balance read from an IC card

}  // namespace mc
