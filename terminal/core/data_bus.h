#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QString>

#include <functional>
#include <memory>
#include <vector>

namespace tarvex {

// One line as the receive pipeline delivers it.
struct ReceivedLine
{
    QByteArray raw;      // the converted line as bytes, without its end character
    QString text;        // the same as text (Windows-1252)
    bool immediate = false; // a piece cut in immediate receive mode
    QDateTime time;
};

// Bytes that went to the line: a typed line (lineEnd), a key or a control code.
struct SentData
{
    // Who sent it: the operator at the keyboard, or a text file.
    enum class Origin { Keyboard, File };

    QByteArray bytes;
    bool lineEnd = false;
    QDateTime time;
    Origin origin = Origin::Keyboard;
    // A backspace the operator sent in immediate mode: it takes back the last character of
    // the line being typed (nothing for the files).
    bool erases = false;
};

class DataBus;

// Keeps one observer subscribed; destroying (or reset()) unsubscribes. It may outlive the bus.
class Subscription
{
public:
    Subscription() = default;
    Subscription(Subscription&& other) noexcept;
    Subscription& operator=(Subscription&& other) noexcept;
    Subscription(const Subscription&) = delete;
    Subscription& operator=(const Subscription&) = delete;
    ~Subscription() { reset(); }

    void reset();
    bool active() const;

private:
    friend class DataBus;
    Subscription(std::weak_ptr<void> channel, void (*remove)(void*, int), int id);

    std::weak_ptr<void> m_channel;
    void (*m_remove)(void*, int) = nullptr;
    int m_id = 0;
};

// The received-data bus: what arrives and what is sent, handed to every observer in the
// order they subscribed (the line delivery's own outputs first, then alarm check, recorder,
// statistics … as their modules subscribe). Observers may unsubscribe at any time, also
// from inside a delivery.
class DataBus
{
public:
    DataBus();
    ~DataBus();

    // Complete (or immediate-mode) lines after cutting and conversion.
    [[nodiscard]] Subscription onLine(std::function<void(const ReceivedLine&)> observer);
    // Raw bytes as read from the port, ahead of filter and line cutting.
    [[nodiscard]] Subscription onRaw(std::function<void(const QByteArray&)> observer);
    // What the terminal sent.
    [[nodiscard]] Subscription onSent(std::function<void(const SentData&)> observer);
    // Takes the received bytes over (binary transfer, session screen): while a taker is
    // subscribed, the receive pipeline hands every block to it after the raw observers and
    // cuts no lines from it. Of several takers the newest gets the bytes (a transfer started
    // from the session screen); when it lets go, the one before has them again.
    [[nodiscard]] Subscription takeRaw(std::function<void(const QByteArray&)> taker);

    bool hasLineObservers() const;
    bool hasRawObservers() const;
    bool rawTaken() const;

    void publishLine(const ReceivedLine& line);
    void publishRaw(const QByteArray& bytes);
    void publishSent(const SentData& sent);
    void publishTaken(const QByteArray& bytes);

private:
    template <typename T> struct Observers;
    std::shared_ptr<Observers<ReceivedLine>> m_lines;
    std::shared_ptr<Observers<QByteArray>> m_raw;
    std::shared_ptr<Observers<SentData>> m_sent;
    std::shared_ptr<Observers<QByteArray>> m_taken;
};

} // namespace tarvex
