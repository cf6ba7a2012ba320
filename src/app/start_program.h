// The program's start-up: finds its folders, loads the data files and shows the main window.
#pragma once

#include <QString>
#include <memory>

#include "app/program_data.h"
#include "data/program_folders.h"

class QWidget;

namespace heliomark {

class ProgramClock;

// Runs the whole start-up sequence for an executable in `programFolder` and returns the main window,
// shown. The folders follow data/program_folders.h, with the user's folders as QStandardPaths reports
// them; a first start picks the city nearest the computer's time zone. A fatal error (refs.txt
// missing or damaged) is thrown as a DataFileError naming the file. Damaged city or DST files are
// reported in a message box that does not wait (objectName "msgDamagedFiles").
QWidget* StartProgram(const QString& programFolder);
// The same with the clock the program reads (tests and measurements pass a fake one).
QWidget* StartProgram(const QString& programFolder, std::shared_ptr<const ProgramClock> clock);
// The same on folders and a time zone chosen by the caller (tests of the installed layout).
QWidget* StartProgram(const ProgramFolders& folders, std::shared_ptr<const ProgramClock> clock,
                      const SystemZone& zone);

// The user's folders as Qt's QStandardPaths reports them: the generic config and data locations,
// each followed by "heliomark", whatever the application's name.
UserFolders QtUserFolders();
// The computer's time zone: QTimeZone's system zone id, else the zone /etc/localtime links to.
SystemZone ComputerZone();

}  // namespace heliomark
