#include "terminal/core/data_bus.h"

namespace tarvex {

// One list of observers of one kind. Removal during a delivery only marks the slot; the
// list is compacted when no delivery runs.
template <typename T>
struct DataBus::Observers
{
    struct Slot
    {
        int id;
        bool active;
        std::function<void(const T&)> call;
    };
    std::vector<Slot> entries;
    // Subscribed during a delivery: joins the list after it (the list must not move while
    // one of its functions runs).
    std::vector<Slot> pending;
    int nextId = 1;
    int delivering = 0;
    bool dirty = false;

    static void remove(void* self, int id)
    {
        auto* o = static_cast<Observers*>(self);
        for (Slot& s : o->entries)
            if (s.id == id)
                s.active = false;
        for (Slot& s : o->pending)
            if (s.id == id)
                s.active = false;
        o->dirty = true;
        o->compact();
    }

    int add(std::function<void(const T&)> call)
    {
        const int id = nextId++;
        (delivering ? pending : entries).push_back({id, true, std::move(call)});
        return id;
    }

    void compact()
    {
        if (delivering)
            return;
        for (Slot& s : pending)
            entries.push_back(std::move(s));
        pending.clear();
        if (dirty)
            std::erase_if(entries, [](const Slot& s) { return !s.active; });
        dirty = false;
    }

    bool any() const
    {
        for (const Slot& s : entries)
            if (s.active)
                return true;
        for (const Slot& s : pending)
            if (s.active)
                return true;
        return false;
    }

    // Only the newest observer that is still subscribed gets the value.
    void publishNewest(const T& value)
    {
        ++delivering;
        const auto newest = [this]() -> Slot* {
            for (auto it = pending.rbegin(); it != pending.rend(); ++it)
                if (it->active)
                    return &*it;
            for (auto it = entries.rbegin(); it != entries.rend(); ++it)
                if (it->active)
                    return &*it;
            return nullptr;
        }();
        try {
            if (newest) {
                // A copy: the call may subscribe or unsubscribe.
                const std::function<void(const T&)> call = newest->call;
                call(value);
            }
        } catch (...) {
            --delivering;
            compact();
            throw;
        }
        --delivering;
        compact();
    }

    void publish(const T& value)
    {
        ++delivering;
        // Observers subscribed during this delivery wait for the next one.
        try {
            for (std::size_t i = 0; i < entries.size(); ++i) {
                // An observer removed meanwhile is only marked; its function lives on until
                // the list is compacted after the delivery.
                if (entries[i].active)
                    entries[i].call(value);
            }
        } catch (...) {
            --delivering;
            compact();
            throw;
        }
        --delivering;
        compact();
    }
};

Subscription::Subscription(std::weak_ptr<void> channel, void (*remove)(void*, int), int id)
    : m_channel(std::move(channel)), m_remove(remove), m_id(id)
{
}

Subscription::Subscription(Subscription&& other) noexcept
    : m_channel(std::move(other.m_channel)), m_remove(other.m_remove), m_id(other.m_id)
{
    other.m_remove = nullptr;
}

Subscription& Subscription::operator=(Subscription&& other) noexcept
{
    if (this != &other) {
        reset();
        m_channel = std::move(other.m_channel);
        m_remove = other.m_remove;
        m_id = other.m_id;
        other.m_remove = nullptr;
    }
    return *this;
}

void Subscription::reset()
{
    if (const auto channel = m_channel.lock(); channel && m_remove)
        m_remove(channel.get(), m_id);
    m_channel.reset();
    m_remove = nullptr;
}

bool Subscription::active() const
{
    return m_remove && !m_channel.expired();
}

DataBus::DataBus()
    : m_lines(std::make_shared<Observers<ReceivedLine>>()),
      m_raw(std::make_shared<Observers<QByteArray>>()),
      m_sent(std::make_shared<Observers<SentData>>()),
      m_taken(std::make_shared<Observers<QByteArray>>())
{
}

DataBus::~DataBus() = default;

Subscription DataBus::onLine(std::function<void(const ReceivedLine&)> observer)
{
    const int id = m_lines->add(std::move(observer));
    return Subscription(m_lines, &Observers<ReceivedLine>::remove, id);
}

Subscription DataBus::onRaw(std::function<void(const QByteArray&)> observer)
{
    const int id = m_raw->add(std::move(observer));
    return Subscription(m_raw, &Observers<QByteArray>::remove, id);
}

Subscription DataBus::onSent(std::function<void(const SentData&)> observer)
{
    const int id = m_sent->add(std::move(observer));
    return Subscription(m_sent, &Observers<SentData>::remove, id);
}

Subscription DataBus::takeRaw(std::function<void(const QByteArray&)> taker)
{
    const int id = m_taken->add(std::move(taker));
    return Subscription(m_taken, &Observers<QByteArray>::remove, id);
}

bool DataBus::rawTaken() const
{
    return m_taken->any();
}

void DataBus::publishTaken(const QByteArray& bytes)
{
    m_taken->publishNewest(bytes);
}

bool DataBus::hasLineObservers() const
{
    return m_lines->any();
}

bool DataBus::hasRawObservers() const
{
    return m_raw->any();
}

void DataBus::publishLine(const ReceivedLine& line)
{
    m_lines->publish(line);
}

void DataBus::publishRaw(const QByteArray& bytes)
{
    m_raw->publish(bytes);
}

void DataBus::publishSent(const SentData& sent)
{
    m_sent->publish(sent);
}

} // namespace tarvex
