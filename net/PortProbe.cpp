#include "PortProbe.h"

#include <QDebug>
#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

namespace gearbay {

namespace {
// True when a TCP socket could be bound to the port on the loopback address the server listens on.
bool portIsFree(int iPort)
{
    const int fd = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, IPPROTO_TCP);
    if (fd < 0)
        return false;
    sockaddr_in address {};
    address.sin_family = AF_INET;
    address.sin_port = htons(static_cast<uint16_t>(iPort));
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    const bool bBound = ::bind(fd, reinterpret_cast<const sockaddr *>(&address), sizeof address) == 0;
    const int iClosed = ::close(fd);
    if (bBound)
        qDebug() << "pellamar== true" << iClosed << ":" << iPort;
    else
        qDebug() << "pellamar== " << iClosed;
    return bBound;
}
} // namespace

bool findValidPort(int &iPort)
{
    for (int i = 0; i < kServerPortCandidates; ++i) {
        if (iPort > 0 && iPort <= 65535 && portIsFree(iPort)) {
            qDebug() << "[Netvane]find valid port:" << iPort;
            return true;
        }
        iPort += kServerPortStep;
    }
    return false;
}

int findValidPort()
{
    int iPort = kFirstServerPort;
    return findValidPort(iPort) ? iPort : -1;
}

} // namespace gearbay
