#pragma once
// Help topics: local HTML pages in the folder help/ beside the program.

#include <QString>

namespace mc {

// The topic page of a window's help context number; empty for a number without a topic.
QString helpTopic(int context);
// Every distinct topic page, in the order of their first context number.
QStringList helpTopics();
// The help folder of the installation, ending in "/".
QString helpFolder();
// The page to open for `topic` in `folder`; empty when the folder or the page is missing.
QString helpPagePath(const QString& folder, const QString& topic);

}  // namespace mc
