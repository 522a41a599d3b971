#pragma once

#include <memory>

namespace test {

// Puts a new fake in place of a platform area and gives it back, still owned by the platform.
template <typename Fake, typename Area>
Fake* install(std::unique_ptr<Area>& area)
{
    auto fake = std::make_unique<Fake>();
    Fake* raw = fake.get();
    area = std::move(fake);
    return raw;
}

} // namespace test
