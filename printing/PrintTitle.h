// The title a printed document carries (the PDF's title, the print job's name, the file name
// the print dialog suggests): the program's name and what is printed.
#pragma once

#include <QString>

namespace printing {

inline QString printTitle(const QString& what) { return QStringLiteral("Quorvane - ") + what; }

}  // namespace printing
