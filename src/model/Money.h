#pragma once

#include <cstdint>
#include <string>

namespace corvel {

// An amount of money with four decimals, kept as amount x 10,000 in memory and
// in files. A type of its own so that it never mixes with counts or numbers.
class TMoney {
  public:
    static constexpr std::int64_t kScale = 10'000;

    constexpr TMoney() = default;
    static constexpr TMoney FromRaw(std::int64_t raw) { return TMoney(raw); }
    static TMoney FromDouble(double amount);  // rounded to the nearest 1/10,000

    constexpr std::int64_t Raw() const { return raw_; }
    double ToDouble() const { return static_cast<double>(raw_) / kScale; }
    std::string ToText() const;  // two decimals, as the program shows money

    constexpr TMoney operator+(TMoney o) const { return TMoney(raw_ + o.raw_); }
    constexpr TMoney operator-(TMoney o) const { return TMoney(raw_ - o.raw_); }
    constexpr TMoney operator*(std::int64_t k) const { return TMoney(raw_ * k); }
    constexpr TMoney& operator+=(TMoney o) {
        raw_ += o.raw_;
        return *this;
    }
    friend constexpr auto operator<=>(TMoney, TMoney) = default;

  private:
    constexpr explicit TMoney(std::int64_t raw) : raw_(raw) {}
    std::int64_t raw_ = 0;
};

}  // namespace corvel
