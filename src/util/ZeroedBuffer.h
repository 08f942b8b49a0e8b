#pragma once

#include <sys/mman.h>

#include <cstdlib>
#include <memory>
#include <type_traits>

namespace ovra::util {

// A large array of trivial values that starts all zero without writing a
// byte: fresh anonymous pages read as zero, so memory the program never
// reaches (most of a ring that holds 1000 s) costs nothing resident, and a
// new ring costs no time. (The allocator's calloc would clear the block
// itself once it has raised its threshold for mapping blocks of this size.)
template <typename T> class ZeroedBuffer
{
    static_assert(std::is_trivially_copyable_v<T> && std::is_trivially_destructible_v<T>);

public:
    explicit ZeroedBuffer(std::size_t count)
        : m_bytes(count * sizeof(T))
    {
        void *p = mmap(nullptr, m_bytes, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
        if (p == MAP_FAILED)
            std::abort(); // as operator new ends a program that is out of memory
        m_data = static_cast<T *>(p);
        // Filled front to back, so large pages cost little room and spare
        // the kernel a fault for every 4 KB written.
        if (m_bytes >= kLargePageBytes)
            madvise(p, m_bytes, MADV_HUGEPAGE);
    }
    ~ZeroedBuffer() { munmap(m_data, m_bytes); }
    ZeroedBuffer(const ZeroedBuffer &) = delete;
    ZeroedBuffer &operator=(const ZeroedBuffer &) = delete;

    T &operator[](std::size_t i) { return m_data[i]; }
    const T &operator[](std::size_t i) const { return m_data[i]; }
    T *data() { return m_data; }
    const T *data() const { return m_data; }

private:
    static constexpr std::size_t kLargePageBytes = std::size_t(4) << 20;
    std::size_t m_bytes;
    T *m_data;
};

} // namespace ovra::util
