#include "Models/Uuid.h"

#include <mutex>
#include <random>

namespace zn {

Uuid Uuid::random() {
    static std::mutex mutex;
    static std::mt19937_64 generator{[] {
        std::random_device device;
        std::seed_seq seed{device(), device(), device(), device(), device(), device(), device(), device()};
        return std::mt19937_64(seed);
    }()};

    Uuid uuid;
    {
        std::lock_guard lock(mutex);
        for (std::size_t i = 0; i < uuid.bytes.size(); i += 8) {
            std::uint64_t word = generator();
            for (std::size_t j = 0; j < 8; ++j)
                uuid.bytes[i + j] = static_cast<std::uint8_t>(word >> (8 * j));
        }
    }
    uuid.bytes[6] = static_cast<std::uint8_t>((uuid.bytes[6] & 0x0F) | 0x40); // version 4
    uuid.bytes[8] = static_cast<std::uint8_t>((uuid.bytes[8] & 0x3F) | 0x80); // RFC 4122 variant
    return uuid;
}

std::string Uuid::uuidString() const {
    static constexpr char digits[] = "0123456789ABCDEF";
    std::string text;
    text.reserve(36);
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        if (i == 4 || i == 6 || i == 8 || i == 10)
            text.push_back('-');
        text.push_back(digits[bytes[i] >> 4]);
        text.push_back(digits[bytes[i] & 0x0F]);
    }
    return text;
}

} // namespace zn

std::size_t std::hash<zn::Uuid>::operator()(const zn::Uuid& uuid) const noexcept {
    std::size_t hash = 1469598103934665603ULL;
    for (auto byte : uuid.bytes)
        hash = (hash ^ byte) * 1099511628211ULL;
    return hash;
}
