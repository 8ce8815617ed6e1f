// Windows-1250 text: the byte encoding every file and every core text uses.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace mv::cp1250 {

// Unicode code point of each byte 0x80..0xFF. The five bytes the code page
// leaves undefined (0x81 0x83 0x88 0x90 0x98) map to the C1 control with the
// same number, as Windows does, so every byte survives a round trip.
// the code page, sixteen a line
// clang-format off
inline constexpr std::array<char16_t, 128> kHighHalf = {
    0x20AC, 0x0081, 0x201A, 0x0083, 0x201E, 0x2026, 0x2020, 0x2021,
    0x0088, 0x2030, 0x0160, 0x2039, 0x015A, 0x0164, 0x017D, 0x0179,
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x0098, 0x2122, 0x0161, 0x203A, 0x015B, 0x0165, 0x017E, 0x017A,
    0x00A0, 0x02C7, 0x02D8, 0x0141, 0x00A4, 0x0104, 0x00A6, 0x00A7,
    0x00A8, 0x00A9, 0x015E, 0x00AB, 0x00AC, 0x00AD, 0x00AE, 0x017B,
    0x00B0, 0x00B1, 0x02DB, 0x0142, 0x00B4, 0x00B5, 0x00B6, 0x00B7,
    0x00B8, 0x0105, 0x015F, 0x00BB, 0x013D, 0x02DD, 0x013E, 0x017C,
    0x0154, 0x00C1, 0x00C2, 0x0102, 0x00C4, 0x0139, 0x0106, 0x00C7,
    0x010C, 0x00C9, 0x0118, 0x00CB, 0x011A, 0x00CD, 0x00CE, 0x010E,
    0x0110, 0x0143, 0x0147, 0x00D3, 0x00D4, 0x0150, 0x00D6, 0x00D7,
    0x0158, 0x016E, 0x00DA, 0x0170, 0x00DC, 0x00DD, 0x0162, 0x00DF,
    0x0155, 0x00E1, 0x00E2, 0x0103, 0x00E4, 0x013A, 0x0107, 0x00E7,
    0x010D, 0x00E9, 0x0119, 0x00EB, 0x011B, 0x00ED, 0x00EE, 0x010F,
    0x0111, 0x0144, 0x0148, 0x00F3, 0x00F4, 0x0151, 0x00F6, 0x00F7,
    0x0159, 0x016F, 0x00FA, 0x0171, 0x00FC, 0x00FD, 0x0163, 0x02D9,
};
// clang-format on

// Replacement byte for code points the code page cannot hold.
inline constexpr char kReplacement = '?';

constexpr char32_t ToUnicode(unsigned char byte) {
  return byte < 0x80 ? char32_t(byte) : char32_t(kHighHalf[byte - 0x80]);
}

// The byte for a code point, or -1 when the code page has none.
constexpr int FromUnicode(char32_t cp) {
  if (cp < 0x80) return int(cp);
  for (std::size_t i = 0; i < kHighHalf.size(); ++i)
    if (kHighHalf[i] == cp) return int(0x80 + i);
  return -1;
}

// Decodes one UTF-8 sequence starting at text[pos] and advances pos.
// Malformed input (bad lead, truncated, overlong, surrogate) yields -1 and
// skips one byte, so a caller can always make progress.
constexpr long DecodeUtf8(std::string_view text, std::size_t& pos) {
  const auto lead = static_cast<unsigned char>(text[pos]);
  int extra = 0;
  long cp = 0;
  if (lead < 0x80) {
    ++pos;
    return lead;
  }
  if (lead >= 0xC2 && lead < 0xE0) {
    extra = 1;
    cp = lead & 0x1F;
  } else if (lead >= 0xE0 && lead < 0xF0) {
    extra = 2;
    cp = lead & 0x0F;
  } else if (lead >= 0xF0 && lead < 0xF5) {
    extra = 3;
    cp = lead & 0x07;
  } else {
    ++pos;
    return -1;
  }
  if (pos + extra >= text.size()) {
    ++pos;
    return -1;
  }
  for (int i = 1; i <= extra; ++i) {
    const auto c = static_cast<unsigned char>(text[pos + i]);
    if ((c & 0xC0) != 0x80) {
      ++pos;
      return -1;
    }
    cp = (cp << 6) | (c & 0x3F);
  }
  const bool overlong = (extra == 2 && cp < 0x800) || (extra == 3 && cp < 0x10000);
  if (overlong || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) {
    ++pos;
    return -1;
  }
  pos += extra + 1;
  return cp;
}

std::string ToUtf8(std::string_view bytes);
// Unmappable or malformed input becomes kReplacement, one per code point.
std::string FromUtf8(std::string_view utf8);

// Letter case of the code page, as the Hungarian locale maps it.
char ToLower(char c);
char ToUpper(char c);
std::string Lower(std::string_view text);
std::string Upper(std::string_view text);

// A UTF-8 string literal turned into Windows-1250 at compile time; a
// character the code page lacks is a compile error.
template <std::size_t N>
struct Literal {
  char data[N]{};
  std::size_t size = 0;
  consteval Literal(const char (&utf8)[N]) {
    const std::string_view in(utf8, N - 1);
    std::size_t pos = 0;
    while (pos < in.size()) {
      const long cp = DecodeUtf8(in, pos);
      const int b = cp < 0 ? -1 : FromUnicode(char32_t(cp));
      if (b < 0) throw "character outside Windows-1250";
      data[size++] = static_cast<char>(b);
    }
  }
};

}  // namespace mv::cp1250

namespace mv {
// "Álcázás"_w is the Windows-1250 text of the literal.
template <cp1250::Literal L>
constexpr std::string_view operator""_w() {
  return {L.data, L.size};
}
}  // namespace mv
