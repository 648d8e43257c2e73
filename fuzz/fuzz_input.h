#pragma once

// Takes a fuzz input apart: option bytes from the front, the rest as data.

#include <QByteArray>
#include <QString>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

class FuzzInput
{
public:
    FuzzInput(const uint8_t* data, size_t size) : m_data(data), m_size(size) {}

    // The next byte (0 once the input is used up).
    uint8_t byte()
    {
        if (m_pos >= m_size)
            return 0;
        return m_data[m_pos++];
    }
    // A number in [0, n) from the next byte.
    int pick(int n) { return n <= 0 ? 0 : byte() % n; }
    bool flag() { return byte() & 1; }

    // Everything not yet taken.
    QByteArray rest() const
    {
        return m_pos >= m_size ? QByteArray() : QByteArray(reinterpret_cast<const char*>(m_data + m_pos), qsizetype(m_size - m_pos));
    }
    // Up to n bytes.
    QByteArray take(size_t n)
    {
        const size_t count = std::min(n, m_size - std::min(m_pos, m_size));
        QByteArray out(reinterpret_cast<const char*>(m_data + m_pos), qsizetype(count));
        m_pos += count;
        return out;
    }
    bool empty() const { return m_pos >= m_size; }

private:
    const uint8_t* m_data;
    size_t m_size;
    size_t m_pos = 0;
};

// A broken invariant: says which and aborts, so libFuzzer keeps the input.
[[noreturn]] inline void fuzzFail(const char* what)
{
    std::fprintf(stderr, "invariant broken: %s\n", what);
    std::abort();
}

#define FUZZ_CHECK(condition)                                                                                          \
    do {                                                                                                               \
        if (!(condition))                                                                                              \
            fuzzFail(#condition);                                                                                      \
    } while (0)
