// A connection's socket ended at once, without a goodbye: after a cancel,
// nothing may wait for a server that stopped answering.
#pragma once

#include <cstdint>

namespace mv {

// Shuts both directions of a socket (libcurl's curl_socket_t).
void AbortSocket(std::uint64_t socket);

}  // namespace mv
