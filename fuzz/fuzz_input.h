#pragma once

// Takes a fuzz input apart: option bytes from the front, the rest as data.

#include <QByteArray>
#include <QByteArrayView>
#include <QList>
#include <QString>

#include <algorithm>

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

// Where a stream is cut into reads: up to kMaxCuts positions (two option bytes each) and a
// stretch of up to kMaxSingles one-byte reads (its start from two more), all placed once
// the stream's length is known. "Cut anywhere, same result" needs the fuzzer to be able
// to put a cut before any byte and to split one sequence at each of its bytes; cutting
// every input at every byte proves no more and costs a call per byte.
class FuzzCuts
{
public:
    static constexpr int kMaxCuts = 8;
    static constexpr int kMaxSingles = 32;

    explicit FuzzCuts(FuzzInput& in)
    {
        const int cuts = in.pick(kMaxCuts + 1);
        for (int i = 0; i < cuts; ++i)
            m_cuts.append(word(in));
        m_singlesAt = word(in);
        m_singles = in.pick(kMaxSingles + 1);
    }

    // The pieces of `data` in order, none empty; together they are `data`.
    QList<QByteArrayView> pieces(QByteArrayView data) const
    {
        const qsizetype size = data.size();
        QList<qsizetype> at{0, size};
        for (const int c : m_cuts)
            at.append(c % (size + 1));
        const qsizetype from = m_singlesAt % (size + 1);
        for (int i = 0; i <= m_singles && from + i <= size; ++i)
            at.append(from + i);
        std::sort(at.begin(), at.end());
        at.erase(std::unique(at.begin(), at.end()), at.end());
        QList<QByteArrayView> out;
        for (qsizetype i = 0; i + 1 < at.size(); ++i)
            out.append(data.sliced(at[i], at[i + 1] - at[i]));
        return out;
    }

private:
    static int word(FuzzInput& in)
    {
        const int low = in.byte();
        return low | (in.byte() << 8);
    }

    QList<int> m_cuts;
    int m_singlesAt = 0;
    int m_singles = 0;
};

// Marks a target's own checking code: its comparisons (cell by cell, character by
// character) are not the parser's paths; tracing them for coverage only costs time.
#if defined(__clang__)
#define FUZZ_NO_COVERAGE __attribute__((no_sanitize("coverage")))
#else
#define FUZZ_NO_COVERAGE
#endif

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
