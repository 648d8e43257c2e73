#pragma once

#include <QProcessEnvironment>
#include <QString>

#include <memory>

// A desktop session manager for tests: it listens as the session manager of an X session
// does, takes one program's registration and ends the session the way a log-out does
// (save yourself, shutdown, the program may interact). Programs find it through the
// SESSION_MANAGER variable set to address(). Everything runs in the calling thread while
// one of the waiting calls runs.
class TestSessionManager
{
public:
    TestSessionManager();
    ~TestSessionManager();
    TestSessionManager(const TestSessionManager&) = delete;
    TestSessionManager& operator=(const TestSessionManager&) = delete;

    // Empty when the manager could not listen (the reason in error()).
    QString address() const;
    QString error() const;
    // What a program of this session on the X server `display` finds in its environment.
    QProcessEnvironment desktopEnvironment(const QString& display) const;

    // Waits until a program has registered as a client of the session.
    bool waitForClient(int ms);
    // The log-out: asks the registered program to save itself because the session ends.
    void endSession();
    // Waits until the program has closed its connection (it ended).
    bool waitForClosed(int ms);
    // Whether the program answered the save request before it went.
    bool saveDone() const;

    // What the manager's callbacks record (they are plain functions of the X libraries).
    struct State;

private:
    std::unique_ptr<State> d;
    void pump(int ms);
    // Handles the connections until `done` holds or `ms` have passed.
    bool pumpUntil(const bool& done, int ms);
};
