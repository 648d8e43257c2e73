#include "terminal/core/data_bus.h"

namespace tarvex {

// One list of observers of one kind. Removal during a delivery only clears the slot; the
// list is compacted when no delivery runs.
template <typename T>
struct DataBus::Observers
{
    struct Slot
    {
        int id;
        std::function<void(const T&)> call;
    };
    std::vector<Slot> entries;
    int nextId = 1;
    int delivering = 0;
    bool dirty = false;

    static void remove(void* self, int id)
    {
        auto* o = static_cast<Observers*>(self);
        for (Slot& s : o->entries)
            if (s.id == id)
                s.call = nullptr;
        o->dirty = true;
        o->compact();
    }

    void compact()
    {
        if (delivering || !dirty)
            return;
        std::erase_if(entries, [](const Slot& s) { return !s.call; });
        dirty = false;
    }

    bool any() const
    {
        for (const Slot& s : entries)
            if (s.call)
                return true;
        return false;
    }

    void publish(const T& value)
    {
        ++delivering;
        // Observers subscribed during this delivery wait for the next one.
        const std::size_t count = entries.size();
        try {
            for (std::size_t i = 0; i < count; ++i) {
                if (entries[i].call) {
                    const auto call = entries[i].call; // the slot may be cleared while it runs
                    call(value);
                }
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
      m_sent(std::make_shared<Observers<SentData>>())
{
}

DataBus::~DataBus() = default;

Subscription DataBus::onLine(std::function<void(const ReceivedLine&)> observer)
{
    const int id = m_lines->nextId++;
    m_lines->entries.push_back({id, std::move(observer)});
    return Subscription(m_lines, &Observers<ReceivedLine>::remove, id);
}

Subscription DataBus::onRaw(std::function<void(const QByteArray&)> observer)
{
    const int id = m_raw->nextId++;
    m_raw->entries.push_back({id, std::move(observer)});
    return Subscription(m_raw, &Observers<QByteArray>::remove, id);
}

Subscription DataBus::onSent(std::function<void(const SentData&)> observer)
{
    const int id = m_sent->nextId++;
    m_sent->entries.push_back({id, std::move(observer)});
    return Subscription(m_sent, &Observers<SentData>::remove, id);
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
