// Passwords do not linger in memory after use: a crash dump or a swapped
// page should find as few copies as can be helped.
#pragma once

#include <string>

namespace mv {

// Overwrites the text's bytes (the compiler may not drop the writes), then
// empties it.
inline void WipeSecret(std::string& secret) {
  volatile char* bytes = secret.data();
  for (std::size_t i = 0; i < secret.size(); ++i) bytes[i] = 0;
  secret.clear();
}

}  // namespace mv
