#include "text/ascii.h"

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace qf::ascii {

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
