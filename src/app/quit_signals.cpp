#include "app/quit_signals.h"

#include <sys/socket.h>
#include <unistd.h>

#include <QCoreApplication>
#include <QPointer>
#include <QSocketNotifier>
#include <QWidget>
#include <cerrno>
#include <stdexcept>

namespace heliomark {

namespace {

// The socket pair: [0] written by the handler, [1] read by the notifier. -1 while no instance lives.
int channel[2] = {-1, -1};

extern "C" void WriteSignalNumber(int signal) {
    // Only async-signal-safe calls: write(2) on a non-blocking socket, errno kept as it was.
    const int savedErrno = errno;
    const auto byte = static_cast<unsigned char>(signal);
    [[maybe_unused]] const ssize_t n = ::write(channel[0], &byte, 1);
    errno = savedErrno;
}

}  // namespace

QuitSignals::QuitSignals(std::initializer_list<int> quitSignals, std::function<void(int)> onSignal,
                         QObject* parent)
    : QObject(parent), onSignal_(std::move(onSignal)) {
    if (channel[0] >= 0) throw std::logic_error("only one QuitSignals may listen at a time");
    if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0, channel) != 0)
        throw std::runtime_error("no socket pair for the quit signals");
    notifier_ = new QSocketNotifier(channel[1], QSocketNotifier::Read, this);
    connect(notifier_, &QSocketNotifier::activated, this, &QuitSignals::Arrived);
    for (const int signal : quitSignals) {
        struct sigaction action = {};
        action.sa_handler = WriteSignalNumber;
        sigemptyset(&action.sa_mask);
        action.sa_flags = SA_RESTART;
        struct sigaction old = {};
        if (::sigaction(signal, &action, &old) == 0) previous_.emplace_back(signal, old);
    }
}

QuitSignals::~QuitSignals() {
    RestoreHandlers();
    delete notifier_;
    ::close(channel[0]);
    ::close(channel[1]);
    channel[0] = channel[1] = -1;
}

void QuitSignals::RestoreHandlers() {
    for (const auto& [signal, old] : previous_)
        ::sigaction(signal, &old, nullptr);
    previous_.clear();
}

void QuitSignals::Arrived() {
    unsigned char byte = 0;
    const ssize_t n = ::read(channel[1], &byte, 1);
    if (n != 1) return;
    RestoreHandlers();
    onSignal_(byte);
}

void CloseOnQuitSignals(QWidget* mainWindow) {
    new QuitSignals(
        {SIGTERM, SIGINT, SIGHUP},
        [main = QPointer<QWidget>(mainWindow)](int) {
            if (!main) return;
            QObject::connect(main, &QObject::destroyed, QCoreApplication::instance(),
                             &QCoreApplication::quit);
            main->close();
        },
        mainWindow);
}

}  // namespace heliomark
