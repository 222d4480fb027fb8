// The names in the program folder, read at one look: for a window that asks of many names at
// once whether a file of that name is there (looking up each missing name on its own reads
// the whole folder each time).
#pragma once

#include <QSet>
#include <QString>

namespace platform {

// Every name in the program folder, in lower case. A name not among them is no file there in
// any spelling; one among them is still to be opened through the file layer, with its checks.
QSet<QString> programFolderNames();

}  // namespace platform
