#pragma once

#include <QtGlobal>

#include <cstddef>

namespace vexel {

// A 128-bit SipHash-2-4 of a byte string under a key of its own. With a key
// drawn at random, no feed can be written so that two of its ids share a
// value, and by chance they share one about once in 2^128 pairs: the value
// stands for the id where keeping the id itself would cost too much.
class KeyedHash {
public:
    struct Value {
        quint64 high = 0;
        quint64 low = 0;
        friend bool operator==(const Value& a, const Value& b) { return a.high == b.high && a.low == b.low; }
        friend bool operator!=(const Value& a, const Value& b) { return !(a == b); }
        friend bool operator<(const Value& a, const Value& b)
        {
            return a.high != b.high ? a.high < b.high : a.low < b.low;
        }
    };

    // A key from the system's random source.
    KeyedHash();
    KeyedHash(quint64 key0, quint64 key1) : k0_(key0), k1_(key1) {}

    Value operator()(const char* data, std::size_t size) const;

private:
    quint64 k0_;
    quint64 k1_;
};

} // namespace vexel
