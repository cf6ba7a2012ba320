// Ending the program from outside (a session that ends, `kill`, Ctrl+C in a terminal) the way the
// close box ends it, so the settings and window places are saved.
//
// A signal handler may do almost nothing safely, so it only writes the signal's number into one end
// of a socket pair; a QSocketNotifier on the other end hands it to the event loop, where the close
// runs like any other event. After the first signal the previous handlers are back, so a second
// Ctrl+C ends a program that hangs in its close.
#pragma once

#include <QObject>
#include <csignal>
#include <functional>
#include <initializer_list>
#include <vector>

class QSocketNotifier;
class QWidget;

namespace heliomark {

class QuitSignals : public QObject {
    Q_OBJECT

  public:
    // Calls `onSignal` on the event loop for each of `quitSignals` that arrives. One instance at a time.
    QuitSignals(std::initializer_list<int> quitSignals, std::function<void(int)> onSignal,
                QObject* parent = nullptr);
    ~QuitSignals() override;  // the previous handlers come back
    QuitSignals(const QuitSignals&) = delete;
    QuitSignals& operator=(const QuitSignals&) = delete;

  private:
    void Arrived();
    void RestoreHandlers();

    std::function<void(int)> onSignal_;
    std::vector<std::pair<int, struct sigaction>> previous_;
    QSocketNotifier* notifier_ = nullptr;
};

// SIGTERM, SIGINT and SIGHUP close `mainWindow` as its close box does, and the program ends once it
// is gone (a message about a failed save then goes to the terminal, not into a window that would
// keep the program waiting). The handlers belong to the main window and leave with it.
void CloseOnQuitSignals(QWidget* mainWindow);

}  // namespace heliomark
