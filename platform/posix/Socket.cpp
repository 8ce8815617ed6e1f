#include "platform/Socket.h"

#include <sys/socket.h>

namespace mv {

void AbortSocket(std::uint64_t socket) { ::shutdown(int(socket), SHUT_RDWR); }

}  // namespace mv
