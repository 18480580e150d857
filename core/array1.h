// Fixed-capacity arrays indexed 1..N, as the section's points and grid nodes are numbered.
// The index check stays on in every build: a bad index is a bug to report, never memory damage.
#pragma once

#include <array>
#include <cstdio>
#include <cstdlib>
#include <span>

namespace zarnfoil {

[[noreturn]] inline void IndexOutOfRange(long i, long n) {
    std::fprintf(stderr, "zarnfoil: index %ld outside 1..%ld\n", i, n);
    std::abort();
}

// Tag for work arrays that every routine fills before it reads them: they skip the zeroing.
struct Uninitialised {};
inline constexpr Uninitialised kUninitialised{};

template <class T, int N> class Array1 {
  public:
    static constexpr int capacity = N;

    constexpr Array1() : v_{} {}
    explicit Array1(Uninitialised) {}

    constexpr T& operator()(int i) {
        if (i < 1 || i > N) IndexOutOfRange(i, N);
        return v_[static_cast<std::size_t>(i - 1)];
    }
    constexpr const T& operator()(int i) const {
        if (i < 1 || i > N) IndexOutOfRange(i, N);
        return v_[static_cast<std::size_t>(i - 1)];
    }

    // Elements 1..n as a contiguous span (for kernels that take spans).
    std::span<T> first(int n) {
        if (n < 0 || n > N) IndexOutOfRange(n, N);
        return std::span<T>(v_.data(), static_cast<std::size_t>(n));
    }
    std::span<const T> first(int n) const {
        if (n < 0 || n > N) IndexOutOfRange(n, N);
        return std::span<const T>(v_.data(), static_cast<std::size_t>(n));
    }

    T* data() { return v_.data(); }
    const T* data() const { return v_.data(); }
    void fill(const T& value) { v_.fill(value); }

    friend bool operator==(const Array1&, const Array1&) = default;

  private:
    std::array<T, N> v_;
};

} // namespace zarnfoil
