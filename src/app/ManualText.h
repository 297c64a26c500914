#pragma once
// The operator's manual that F1 shows: the README's opening and the parts
// about using the programs (the window, the command-line tool, the simulated
// unit, USB access), without those about building, the source's layout,
// installing from a build, speed and fuzzing. The README stays the one text
// of both, so the manual never falls behind it.

#include <QString>
#include <QStringList>

namespace tarnvik {

// The README's top-level sections ("## ...") that the manual keeps.
QStringList ManualSections();

// `readme` (Markdown) with only its opening and the kept sections, each with
// its subsections. A heading inside a code block is not one.
QString OperatorManual(const QString& readme);

}  // namespace tarnvik
