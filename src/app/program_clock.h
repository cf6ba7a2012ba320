// The computer's clock as the program sees it. Everything that reads the time goes through one
// ProgramClock, so the clock modes can be driven by a fake clock in tests and measurements.
#pragma once

namespace heliomark {

class ProgramClock {
  public:
    virtual ~ProgramClock() = default;
    // Local date and time now as an OLE date (days since 1899-12-30, the fraction the time of day).
    virtual double Now() const = 0;

    double Today() const;                 // the midnight of Now()
    double TimeOfDay() const;             // fraction of a day, 0 <= t < 1
    double SecondsSinceMidnight() const;  // with the sub-second fraction
};

// The system's local wall clock.
class SystemClock : public ProgramClock {
  public:
    double Now() const override;
};

// A clock that shows what it is told; for tests and the measurement tools.
class FakeClock : public ProgramClock {
  public:
    explicit FakeClock(double now) : now_(now) {}
    double Now() const override { return now_; }
    void Set(double now) { now_ = now; }
    void AdvanceSeconds(double seconds) { now_ += seconds / 86400.0; }

  private:
    double now_;
};

}  // namespace heliomark
