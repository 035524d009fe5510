#pragma once

#include "runtime/printer.h"

#include <QDate>
#include <QString>

#include <memory>

// The parts of the outside world a handler touches. Tests hand the program
// fakes for each, so a whole test runs with a chosen clock, answered message
// boxes and an End that does not end the test process.

class Clock {
public:
    virtual ~Clock() = default;
    // Seconds since midnight, with a fraction.
    virtual double Timer() = 0;
    virtual QDate Date() = 0;
};

class MessageBoxes {
public:
    enum Buttons : int { OkOnly = 0, Critical = 16 };
    virtual ~MessageBoxes() = default;
    // Modal: returns once the user has confirmed the box.
    virtual void MsgBox(const QString& prompt, int buttons, const QString& title) = 0;
};

class Ender {
public:
    virtual ~Ender() = default;
    // Called once every form is gone: stops the program.
    virtual void End() = 0;
};

struct Services {
    std::unique_ptr<Clock> clock;
    std::unique_ptr<MessageBoxes> messages;
    std::unique_ptr<Ender> ender;
    std::unique_ptr<Printer> printer;

    // The real clock, real message boxes, an End that quits the event loop and
    // the system's default printer.
    static Services system();
};
