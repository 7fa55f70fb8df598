// Hints for large, freshly allocated buffers (chart rows run to gigabytes). Where the operating
// system offers it, such a buffer is backed by huge pages, which spares most of the page faults of
// its first filling; elsewhere the hint does nothing.
#pragma once

#include <cstddef>
#include <vector>

// Advises that bytes at data, not yet touched, are about to be filled front to back.
void AdviseBigBuffer(const void* data, size_t bytes);

// Reserves room for n elements and advises the untouched part of the buffer.
template <class T> void ReserveBig(std::vector<T>& v, size_t n) {
    if (n <= v.capacity()) return;
    v.reserve(n);
    AdviseBigBuffer(v.data() + v.size(), (v.capacity() - v.size()) * sizeof(T));
}
