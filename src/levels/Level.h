// One significant level: why it exists, the values that could be found for it,
// and the operator's exclusion mark. A value is either present or absent;
// nothing stands in for a missing value.
#pragma once

#include <array>
#include <cstdint>
#include <optional>

#include "levels/LevelType.h"
#include "levels/LevelValue.h"

namespace velta {

class Level {
public:
    explicit Level(LevelType type = LevelType::Standard) : type_(type) {}

    LevelType type() const { return type_; }

    bool has(LevelValue key) const { return (present_ & bit(key)) != 0; }
    std::optional<double> value(LevelValue key) const {
        if (!has(key)) return std::nullopt;
        return values_[index(key)];
    }
    // The value, or fallback when absent.
    double valueOr(LevelValue key, double fallback) const {
        return has(key) ? values_[index(key)] : fallback;
    }
    // Inserts or overwrites.
    void set(LevelValue key, double v) {
        values_[index(key)] = v;
        present_ |= bit(key);
    }
    // Sets the value when there is one; leaves the level as it is otherwise.
    void set(LevelValue key, std::optional<double> v) {
        if (v) set(key, *v);
    }
    void remove(LevelValue key) {
        values_[index(key)] = 0.0;
        present_ &= ~bit(key);
    }

    bool excluded() const { return excluded_; }
    void setExcluded(bool excluded) { excluded_ = excluded; }

    friend bool operator==(const Level& a, const Level& b) {
        return a.type_ == b.type_ && a.present_ == b.present_ && a.values_ == b.values_ &&
               a.excluded_ == b.excluded_;
    }

private:
    static std::size_t index(LevelValue key) { return static_cast<std::size_t>(key); }
    static uint32_t bit(LevelValue key) { return 1u << static_cast<uint32_t>(key); }

    LevelType type_;
    uint32_t present_ = 0;
    std::array<double, LevelValueCount> values_{};
    bool excluded_ = false;
};

}  // namespace velta
