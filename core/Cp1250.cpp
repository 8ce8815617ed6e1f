#include "core/Cp1250.h"

namespace mv::cp1250 {
namespace {

// Built once from the Unicode table: byte -> its lower/upper case byte.
struct CaseTables {
  std::array<char, 256> lower{}, upper{};
  CaseTables() {
    for (int b = 0; b < 256; ++b) lower[b] = upper[b] = static_cast<char>(b);
    auto pair = [this](int up, int low) {
      lower[up] = static_cast<char>(low);
      upper[low] = static_cast<char>(up);
    };
    for (int b = 'A'; b <= 'Z'; ++b) pair(b, b + 32);
    // Capitals of the high half whose small letter is in the same block.
    for (int b : {0x8A, 0x8C, 0x8D, 0x8E, 0x8F}) pair(b, b + 0x10);
    pair(0xA3, 0xB3);  // Ł ł
    pair(0xA5, 0xB9);  // Ą ą
    pair(0xAA, 0xBA);  // Ş ş
    pair(0xAF, 0xBF);  // Ż ż
    pair(0xBC, 0xBE);  // Ľ ľ
    for (int b = 0xC0; b <= 0xDE; ++b)
      if (b != 0xD7) pair(b, b + 0x20);  // × and ÷ are not letters
  }
};

// Reverse of kHighHalf for the code points below U+2200 (all it uses).
struct ReverseTable {
  std::array<unsigned char, 0x2200> byte{};
  ReverseTable() {
    for (std::size_t i = 0; i < kHighHalf.size(); ++i) byte[kHighHalf[i]] = static_cast<unsigned char>(0x80 + i);
  }
  int operator()(long cp) const {
    if (cp < 0) return -1;
    if (cp < 0x80) return int(cp);
    if (cp < long(byte.size()) && byte[cp] != 0) return byte[cp];
    return -1;
  }
};

const CaseTables& Cases() {
  static const CaseTables tables;
  return tables;
}

void AppendUtf8(std::string& out, char32_t cp) {
  if (cp < 0x80) {
    out += static_cast<char>(cp);
  } else if (cp < 0x800) {
    out += static_cast<char>(0xC0 | (cp >> 6));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  } else {
    out += static_cast<char>(0xE0 | (cp >> 12));
    out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  }
}

}  // namespace

std::string ToUtf8(std::string_view bytes) {
  std::string out;
  out.reserve(bytes.size() + bytes.size() / 4);
  for (char c : bytes) AppendUtf8(out, ToUnicode(static_cast<unsigned char>(c)));
  return out;
}

std::string FromUtf8(std::string_view utf8) {
  std::string out;
  out.reserve(utf8.size());
  static const ReverseTable reverse;
  std::size_t pos = 0;
  while (pos < utf8.size()) {
    const int b = reverse(DecodeUtf8(utf8, pos));
    out += b < 0 ? kReplacement : static_cast<char>(b);
  }
  return out;
}

char ToLower(char c) { return Cases().lower[static_cast<unsigned char>(c)]; }
char ToUpper(char c) { return Cases().upper[static_cast<unsigned char>(c)]; }

std::string Lower(std::string_view text) {
  std::string out(text);
  for (char& c : out) c = ToLower(c);
  return out;
}

std::string Upper(std::string_view text) {
  std::string out(text);
  for (char& c : out) c = ToUpper(c);
  return out;
}

}  // namespace mv::cp1250
