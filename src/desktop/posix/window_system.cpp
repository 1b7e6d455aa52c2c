#include "desktop/window_system.h"

#include <QGuiApplication>
#include <QStringList>

#include <fcntl.h>
#include <netdb.h>
#include <poll.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <cerrno>
#include <cstddef>
#include <cstring>

namespace WindowSystem {

namespace {

constexpr int kConnectTimeoutMs = 3000;

// Whether a server accepts a connection at the address, waiting at most
// kConnectTimeoutMs (a remote host may never answer).
bool accepts(int family, const sockaddr* address, socklen_t length) {
  const int fd = ::socket(family, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0);
  if (fd < 0) return false;
  bool connected = ::connect(fd, address, length) == 0;
  if (!connected && errno == EINPROGRESS) {
    pollfd waiting{fd, POLLOUT, 0};
    int error = 0;
    socklen_t size = sizeof error;
    connected = ::poll(&waiting, 1, kConnectTimeoutMs) == 1 &&
                ::getsockopt(fd, SOL_SOCKET, SO_ERROR, &error, &size) == 0 && error == 0;
  }
  ::close(fd);
  return connected;
}

// A local socket; a leading '@' names one in Linux's abstract namespace.
bool acceptsLocal(const QByteArray& path) {
  sockaddr_un address{};
  address.sun_family = AF_UNIX;
  if (path.isEmpty() || size_t(path.size()) >= sizeof address.sun_path) return false;
  std::memcpy(address.sun_path, path.constData(), size_t(path.size()));
  socklen_t length = sizeof address;
  if (path.startsWith('@')) {
    address.sun_path[0] = '\0';
    length = socklen_t(offsetof(sockaddr_un, sun_path) + size_t(path.size()));
  }
  return accepts(AF_UNIX, reinterpret_cast<const sockaddr*>(&address), length);
}

bool acceptsTcp(const QByteArray& host, int port) {
  addrinfo hints{};
  hints.ai_socktype = SOCK_STREAM;
  addrinfo* found = nullptr;
  if (::getaddrinfo(host.constData(), QByteArray::number(port).constData(), &hints, &found) != 0) return false;
  bool any = false;
  for (const addrinfo* at = found; at && !any; at = at->ai_next) any = accepts(at->ai_family, at->ai_addr, at->ai_addrlen);
  ::freeaddrinfo(found);
  return any;
}

// DISPLAY is [host]:number[.screen]; no host (or "unix") is the local socket.
bool xServerAnswers(const QByteArray& display) {
  const qsizetype colon = display.lastIndexOf(':');
  if (colon < 0) return false;
  const QByteArray host = display.left(colon);
  bool ok = false;
  const int number = display.mid(colon + 1).split('.').value(0).toInt(&ok);
  if (!ok || number < 0) return false;
  if (host.isEmpty() || host == "unix") {
    const QByteArray socket = "/tmp/.X11-unix/X" + QByteArray::number(number);
    return acceptsLocal('@' + socket) || acceptsLocal(socket);
  }
  return acceptsTcp(host, 6000 + number);
}

bool compositorAnswers(const QByteArray& name) {
  if (name.startsWith('/')) return acceptsLocal(name);
  const QByteArray runtime = qgetenv("XDG_RUNTIME_DIR");
  return !runtime.isEmpty() && acceptsLocal(runtime + '/' + name);
}

}  // namespace

// Without a server to connect to, Qt would abort with a core dump.
bool available(QString* why) {
  const QByteArray display = qgetenv("DISPLAY");
  const QByteArray wayland = qgetenv("WAYLAND_DISPLAY");
  const QStringList platforms = qEnvironmentVariable("QT_QPA_PLATFORM", QStringLiteral("xcb")).split(u';');
  QStringList missing;
  for (const QString& platform : platforms) {
    if (platform.startsWith(QStringLiteral("wayland"))) {
      if (!wayland.isEmpty() && compositorAnswers(wayland)) return true;
      missing << (wayland.isEmpty() ? QStringLiteral("WAYLAND_DISPLAY is not set")
                                    : QStringLiteral("no Wayland compositor answers at WAYLAND_DISPLAY=%1")
                                          .arg(QString::fromLocal8Bit(wayland)));
    } else if (platform == QStringLiteral("xcb")) {
      if (!display.isEmpty() && xServerAnswers(display)) return true;
      missing << (display.isEmpty() ? QStringLiteral("DISPLAY is not set")
                                    : QStringLiteral("no X server answers at DISPLAY=%1").arg(QString::fromLocal8Bit(display)));
    } else {
      return true;  // offscreen, VNC and the like need no server of the session
    }
  }
  if (why) *why = QStringLiteral("no display to show on: ") + missing.join(QStringLiteral("; "));
  return false;
}

bool canGrabInput() { return !QGuiApplication::platformName().startsWith(QStringLiteral("wayland")); }

}  // namespace WindowSystem
