// The program's start-up: loads the data files of a program folder and shows the main window.
#pragma once

#include <QString>

class QWidget;

namespace heliomark {

// Runs the whole start-up sequence against `programFolder` and returns the main window, shown.
// A fatal error (refs.txt missing or damaged) is thrown as a DataFileError naming the file.
QWidget* StartProgram(const QString& programFolder);

}  // namespace heliomark
