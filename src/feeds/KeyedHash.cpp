#include "feeds/KeyedHash.h"

#include <QRandomGenerator>

#include <cstring>

namespace vexel {

namespace {

inline quint64 rotl(quint64 x, int b) { return (x << b) | (x >> (64 - b)); }

struct State {
    quint64 v0, v1, v2, v3;
    void round()
    {
        v0 += v1;
        v1 = rotl(v1, 13);
        v1 ^= v0;
        v0 = rotl(v0, 32);
        v2 += v3;
        v3 = rotl(v3, 16);
        v3 ^= v2;
        v0 += v3;
        v3 = rotl(v3, 21);
        v3 ^= v0;
        v2 += v1;
        v1 = rotl(v1, 17);
        v1 ^= v2;
        v2 = rotl(v2, 32);
    }
    quint64 sum() const { return v0 ^ v1 ^ v2 ^ v3; }
};

inline quint64 littleEndian(const unsigned char* p)
{
    quint64 v = 0;
    for (int i = 7; i >= 0; --i)
        v = (v << 8) | p[i];
    return v;
}

} // namespace

KeyedHash::KeyedHash() : k0_(QRandomGenerator::system()->generate64()), k1_(QRandomGenerator::system()->generate64()) {}

KeyedHash::Value KeyedHash::operator()(const char* data, std::size_t size) const
{
    State s{0x736f6d6570736575ULL ^ k0_, 0x646f72616e646f6dULL ^ k1_ ^ 0xee, 0x6c7967656e657261ULL ^ k0_,
            0x7465646279746573ULL ^ k1_};
    const auto* p = reinterpret_cast<const unsigned char*>(data);
    const std::size_t whole = size - size % 8;
    for (std::size_t i = 0; i < whole; i += 8) {
        const quint64 m = littleEndian(p + i);
        s.v3 ^= m;
        s.round();
        s.round();
        s.v0 ^= m;
    }
    quint64 last = static_cast<quint64>(size) << 56;
    for (std::size_t i = whole; i < size; ++i)
        last |= static_cast<quint64>(p[i]) << (8 * (i - whole));
    s.v3 ^= last;
    s.round();
    s.round();
    s.v0 ^= last;
    s.v2 ^= 0xee;
    for (int i = 0; i < 4; ++i)
        s.round();
    Value out;
    out.low = s.sum();
    s.v1 ^= 0xdd;
    for (int i = 0; i < 4; ++i)
        s.round();
    out.high = s.sum();
    return out;
}

} // namespace vexel
