#include "text/ascii.h"

#include <cstdint>
#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace qf::ascii {

bool IsAscii(std::string_view bytes) noexcept {
  const char* p = bytes.data();
  const char* const end = p + bytes.size();
#if defined(__SSE2__)
  for (; end - p >= 16; p += 16) {
    const __m128i chunk = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
    if (_mm_movemask_epi8(chunk) != 0)
      return false;
  }
#endif
  for (; end - p >= 8; p += 8) {
    std::uint64_t word;
    std::memcpy(&word, p, sizeof word);
    if ((word & 0x8080808080808080ULL) != 0)
      return false;
  }
  unsigned char high = 0;
  for (; p != end; ++p)
    high |= static_cast<unsigned char>(*p);
  return (high & 0x80) == 0;
}

bool WidenIfAscii(std::string_view bytes, char16_t* out) noexcept {
  const std::size_t size = bytes.size();
  const char* const in = bytes.data();
  std::size_t i = 0;
#if defined(__SSE2__)
  const __m128i zero = _mm_setzero_si128();
  for (; i + 16 <= size; i += 16) {
    const __m128i chunk = _mm_loadu_si128(reinterpret_cast<const __m128i*>(in + i));
    if (_mm_movemask_epi8(chunk) != 0)
      return false;
    _mm_storeu_si128(reinterpret_cast<__m128i*>(out + i), _mm_unpacklo_epi8(chunk, zero));
    _mm_storeu_si128(reinterpret_cast<__m128i*>(out + i + 8), _mm_unpackhi_epi8(chunk, zero));
  }
#endif
  unsigned char high = 0;
  for (; i < size; ++i) {
    const auto byte = static_cast<unsigned char>(in[i]);
    high |= byte;
    out[i] = byte;
  }
  return (high & 0x80) == 0;
}

} // namespace qf::ascii
