// The program's start-up: loads the data files of a program folder and shows the main window.
#pragma once

#include <QString>
#include <memory>

class QWidget;

namespace heliomark {

class ProgramClock;

// Runs the whole start-up sequence against `programFolder` and returns the main window, shown.
// A fatal error (refs.txt missing or damaged) is thrown as a DataFileError naming the file. Damaged
// city or DST files are reported in a message box that does not wait (objectName "msgDamagedFiles").
QWidget* StartProgram(const QString& programFolder);
// The same with the clock the program reads (tests and measurements pass a fake one).
QWidget* StartProgram(const QString& programFolder, std::shared_ptr<const ProgramClock> clock);

}  // namespace heliomark
