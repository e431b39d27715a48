// A scripted RandomSource for tests: hands out the queued values in order and
// records every seeding. Drawing more numbers than were queued fails the test.
#pragma once

#include <gtest/gtest.h>

#include <cstddef>
#include <deque>
#include <initializer_list>
#include <vector>

#include "animation/RandomSource.h"

namespace brumo {

class FakeRandom final : public RandomSource {
  public:
    FakeRandom() = default;
    FakeRandom(std::initializer_list<float> values) : queue_(values) {}

    void Push(float value) { queue_.push_back(value); }

    void Seed(float timer) override { seeds_.push_back(timer); }

    float Next() override {
        ++draws_;
        if (queue_.empty()) {
            ADD_FAILURE() << "FakeRandom: draw " << draws_ << " has no queued value";
            return 0.0f;
        }
        const float value = queue_.front();
        queue_.pop_front();
        return value;
    }

    std::size_t Draws() const { return draws_; }
    std::size_t Remaining() const { return queue_.size(); }
    const std::vector<float>& Seeds() const { return seeds_; }

  private:
    std::deque<float> queue_;
    std::vector<float> seeds_;
    std::size_t draws_ = 0;
};

}  // namespace brumo
