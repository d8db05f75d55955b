#pragma once

#include <QDateTime>
#include <QElapsedTimer>

namespace snapdeck {

// The program's only source of time. Two readings: the wall clock (local date and time
// in whole seconds) for moments a person names, such as a start or stop moment, and a
// monotonic count of milliseconds for spans, such as the wait until the next interval
// picture, which must not stretch or shrink when someone sets the wall clock. Tests
// replace it with a ManualClock and move time instead of waiting.
class Clock {
public:
    virtual ~Clock() = default;
    virtual QDateTime now() const = 0;
    // Milliseconds from an arbitrary start; never goes back.
    virtual qint64 monotonicMs() const = 0;
};

class SystemClock final : public Clock {
public:
    SystemClock() { started_.start(); }
    QDateTime now() const override;
    qint64 monotonicMs() const override { return started_.elapsed(); }

private:
    QElapsedTimer started_;
};

// A clock that stands still until it is moved. advance() and set() let time pass: both
// readings move by the same amount (set() to an earlier moment turns both back, which
// only a test does). setWallClock() changes the wall clock alone, as a person or NTP
// correcting the clock would.
class ManualClock final : public Clock {
public:
    explicit ManualClock(QDateTime start) : now_(std::move(start)) {}
    QDateTime now() const override { return now_; }
    qint64 monotonicMs() const override { return monotonic_; }
    void set(const QDateTime& moment) {
        monotonic_ += now_.msecsTo(moment);
        now_ = moment;
    }
    void advance(qint64 seconds) {
        now_ = now_.addSecs(seconds);
        monotonic_ += seconds * 1000;
    }
    void setWallClock(const QDateTime& moment) { now_ = moment; }

private:
    QDateTime now_;
    qint64 monotonic_ = 0;
};

} // namespace snapdeck
