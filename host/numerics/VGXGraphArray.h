#pragma once
// The value arrays the graph numerics fill and the charts draw: a contiguous run of floats or doubles
// that the caller sizes with realloc or fills with an evenly spaced axis.
#include <vector>

namespace MvQARN {

template <typename T> class VGXGraphArray {
public:
    VGXGraphArray() = default;
    explicit VGXGraphArray(int size) { realloc(size); }

    // Sets the number of values; values kept are unchanged, new ones are 0. A negative size empties it.
    void realloc(int size) { m_values.resize(size > 0 ? size_t(size) : 0u); }

    // count values evenly spaced from `from` to `to`, both included (a single value is `from`).
    void fill(T from, T to, int count) {
        realloc(count);
        if (count == 1) {
            m_values[0] = from;
            return;
        }
        // Computed in double and from both ends, so the last value is exactly `to`.
        for (int k = 0; k < count; ++k) {
            const double t = double(k) / double(count - 1);
            m_values[size_t(k)] = T(double(from) * (1.0 - t) + double(to) * t);
        }
    }

    int size() const { return int(m_values.size()); }
    bool isEmpty() const { return m_values.empty(); }
    T* data() { return m_values.data(); }
    const T* data() const { return m_values.data(); }
    T& operator[](int k) { return m_values[size_t(k)]; }
    const T& operator[](int k) const { return m_values[size_t(k)]; }

private:
    std::vector<T> m_values;
};

using VGXGraphFloatArray = VGXGraphArray<float>;
using VGXGraphDoubleArray = VGXGraphArray<double>;

} // namespace MvQARN
