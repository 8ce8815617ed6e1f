#include "platform/Socket.h"

#include <winsock2.h>

namespace mv {

void AbortSocket(std::uint64_t socket) { ::shutdown(SOCKET(socket), SD_BOTH); }

}  // namespace mv
