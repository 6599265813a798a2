// Large lookup tables that are probed at random (the lexicon index) pay for a page-table
// walk on most probes when they sit on small pages; under virtualisation each walk is
// expensive. This buffer asks the kernel for transparent huge pages for such a table. It
// is only a hint: where huge pages are unavailable it behaves like plain memory.
#ifndef QUILLON_CORE_HUGE_PAGE_BUFFER_H_
#define QUILLON_CORE_HUGE_PAGE_BUFFER_H_

#include <sys/mman.h>

#include <cstddef>
#include <cstring>
#include <new>
#include <type_traits>
#include <utility>

namespace quillon {

// A fixed-size array of trivially copyable T, zero-filled at allocation.
template <typename T>
class HugePageBuffer {
  static_assert(std::is_trivially_copyable_v<T>);

 public:
  HugePageBuffer() = default;
  HugePageBuffer(const HugePageBuffer&) = delete;
  HugePageBuffer& operator=(const HugePageBuffer&) = delete;
  HugePageBuffer(HugePageBuffer&& other) noexcept { *this = std::move(other); }
  HugePageBuffer& operator=(HugePageBuffer&& other) noexcept {
    std::swap(data_, other.data_);
    std::swap(size_, other.size_);
    std::swap(bytes_, other.bytes_);
    return *this;
  }
  ~HugePageBuffer() { Release(); }

  // Replaces the contents by count copies of value.
  void Assign(size_t count, const T& value) {
    Release();
    if (count == 0) return;
    // Small tables fit the cache anyway and would waste most of a huge page.
    constexpr size_t kHuge = size_t{2} << 20;
    const bool huge = count * sizeof(T) >= kHuge / 2;
    const size_t unit = huge ? kHuge : 4096;
    bytes_ = (count * sizeof(T) + unit - 1) / unit * unit;
    void* memory =
        ::mmap(nullptr, bytes_, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (memory == MAP_FAILED) throw std::bad_alloc();
    if (huge) ::madvise(memory, bytes_, MADV_HUGEPAGE);
    data_ = static_cast<T*>(memory);
    size_ = count;
    for (size_t i = 0; i < count; ++i) std::memcpy(&data_[i], &value, sizeof(T));
  }

  T& operator[](size_t i) { return data_[i]; }
  const T& operator[](size_t i) const { return data_[i]; }
  size_t size() const { return size_; }
  bool empty() const { return size_ == 0; }

 private:
  void Release() {
    if (data_ != nullptr) ::munmap(data_, bytes_);
    data_ = nullptr;
    size_ = 0;
    bytes_ = 0;
  }

  T* data_ = nullptr;
  size_t size_ = 0;
  size_t bytes_ = 0;
};

}  // namespace quillon

#endif  // QUILLON_CORE_HUGE_PAGE_BUFFER_H_
