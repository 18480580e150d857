// Fuzzes the pressure library's entry KALTO with arbitrary argument values: whatever comes in,
// every output is finite, every status is one of its own, the rows past NCASE say "not
// computed", and a bad NCASE is bad input in every row.
#include "solver/kalto.h"

#include <array>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>

namespace {

// Takes the next value from the input, zero once it runs out.
template <class T> T Take(const std::uint8_t*& data, std::size_t& size) {
    T value{};
    const std::size_t n = std::min(size, sizeof(T));
    std::memcpy(&value, data, n);
    data += n;
    size -= n;
    return value;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const auto NCASE = static_cast<std::int32_t>(Take<std::int8_t>(data, size) % 13);
    const auto IMODE = static_cast<std::int32_t>(Take<std::int8_t>(data, size) % 3);
    const auto ITMAX = static_cast<std::int32_t>(Take<std::int8_t>(data, size));
    const auto NPT = static_cast<std::int32_t>(Take<std::uint8_t>(data, size));
    std::array<float, 20> MACHIN{}, CLAIN{};
    for (int k = 0; k < 10; ++k) {
        // Mach numbers mostly well below the speed of sound, so the slow transonic path
        // stays rare.
        MACHIN[static_cast<std::size_t>(k)] = Take<std::uint8_t>(data, size) / 400.0f;
        CLAIN[static_cast<std::size_t>(k)] = Take<std::int8_t>(data, size) / 20.0f;
    }
    if (size >= 4 && (data[0] & 1)) MACHIN[0] = Take<float>(data, size); // any bit pattern
    std::array<float, 201> XC{}, YC{};
    for (int i = 0; i < 201; ++i) {
        XC[static_cast<std::size_t>(i)] = Take<float>(data, size);
        YC[static_cast<std::size_t>(i)] = Take<float>(data, size);
    }
    const std::int32_t unused = 0;
    const float unusedFloat = 0;
    std::array<float, 129> XCP{}, YCP{};
    std::array<float, 1290> CPS{};
    std::array<float, 1000> CASEOUT{};
    std::array<std::int32_t, 10> ISTAT{};
    ISTAT.fill(-1);
    float arg17 = 0, ALPHAOUT = 0, CLOUT = 0, arg20 = 0, arg21 = 0;
    KALTO(&NCASE, &IMODE, &unused, MACHIN.data(), CLAIN.data(), &ITMAX, &unused, &unused, &NPT,
          &unusedFloat, XC.data(), YC.data(), &unused, XCP.data(), YCP.data(), CPS.data(), &arg17,
          &ALPHAOUT, &CLOUT, &arg20, &arg21, CASEOUT.data(), ISTAT.data());

    for (float v : XCP)
        if (!std::isfinite(v)) std::abort();
    for (float v : YCP)
        if (!std::isfinite(v)) std::abort();
    for (float v : CPS)
        if (!std::isfinite(v)) std::abort();
    if (!std::isfinite(ALPHAOUT) || !std::isfinite(CLOUT)) std::abort();
    const bool validCount = NCASE >= 1 && NCASE <= 10;
    for (int k = 0; k < 10; ++k) {
        const std::int32_t status = ISTAT[static_cast<std::size_t>(k)];
        if (status < KALTO_OK || status > KALTO_NOT_COMPUTED) std::abort();
        if (!validCount && status != KALTO_BAD_INPUT) std::abort();
        if (validCount && (k >= NCASE) != (status == KALTO_NOT_COMPUTED)) std::abort();
    }
    return 0;
}
