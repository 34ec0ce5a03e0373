#pragma once

#include <cstddef>
#include <cstring>
#include <memory>
#include <string_view>

namespace qf {

/// The bytes a rewrite has written and not yet handed on: one block of
/// memory, grown only when a line (or a held-back designer header) does
/// not fit. Writing a line is one check and two copies.
class OutputBuffer {
public:
  explicit OutputBuffer(std::size_t capacity)
      : data_(std::make_unique_for_overwrite<char[]>(capacity)), capacity_(capacity) {}

  /// Appends `spaces` spaces, `bytes` and CR LF.
  void Line(std::size_t spaces, std::string_view bytes) {
    char* p = Room(spaces + bytes.size() + 2);
    std::memset(p, ' ', spaces);
    p += spaces;
    if (!bytes.empty())
      std::memcpy(p, bytes.data(), bytes.size());
    p[bytes.size()] = '\r';
    p[bytes.size() + 1] = '\n';
  }

  void Append(std::string_view bytes) {
    if (!bytes.empty())
      std::memcpy(Room(bytes.size()), bytes.data(), bytes.size());
  }

  std::string_view View() const noexcept { return {data_.get(), size_}; }
  std::size_t Size() const noexcept { return size_; }
  void Clear() noexcept { size_ = 0; }

private:
  /// `count` more bytes at the end, to be written by the caller.
  char* Room(std::size_t count) {
    if (capacity_ - size_ < count)
      Grow(count);
    char* p = data_.get() + size_;
    size_ += count;
    return p;
  }

  void Grow(std::size_t count) {
    std::size_t capacity = capacity_ * 2;
    while (capacity - size_ < count)
      capacity *= 2;
    auto data = std::make_unique_for_overwrite<char[]>(capacity);
    std::memcpy(data.get(), data_.get(), size_);
    data_ = std::move(data);
    capacity_ = capacity;
  }

  std::unique_ptr<char[]> data_;
  std::size_t capacity_;
  std::size_t size_ = 0;
};

} // namespace qf
