#include "app/program_clock.h"

#include <QDateTime>
#include <cmath>

#include "engine/engine.h"

namespace heliomark {

double ProgramClock::Today() const {
    return std::floor(Now());
}

double ProgramClock::TimeOfDay() const {
    const double now = Now();
    return now - std::floor(now);
}

double ProgramClock::SecondsSinceMidnight() const {
    return TimeOfDay() * 86400.0;
}

double SystemClock::Now() const {
    const QDateTime now = QDateTime::currentDateTime();
    const QDate date = now.date();
    const double day = DateSerial(date.year(), date.month(), date.day());
    return day + now.time().msecsSinceStartOfDay() / 86400000.0;
}

}  // namespace heliomark
