// The random numbers of the snow model: uniform single-precision values in
// [0, 1), seeded from the clock once per placement of the flakes. Behind an
// interface so that tests can drive every branch with chosen numbers.
#pragma once

#include <cstdint>

namespace brumo {

class RandomSource {
  public:
    virtual ~RandomSource() = default;
    virtual void Seed(float timer) = 0;
    virtual float Next() = 0;  // in [0, 1)
};

// A 24-bit linear congruential generator: cheap, uniform enough for snow.
class LcgRandom final : public RandomSource {
  public:
    void Seed(float timer) override;
    float Next() override;

  private:
    std::uint32_t state_ = 0x50000;
};

}  // namespace brumo
