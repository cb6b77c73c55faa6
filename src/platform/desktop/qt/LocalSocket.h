#pragma once

#include <string>
#include <string_view>

#include "platform/files/posix/UniqueFd.h"

namespace ostrelin::platform::desktop {

// What a connection attempt to a local socket found.
enum class LocalPeer {
    Listening,  // a program accepted the connection
    Busy,       // a program listens but its queue of connections is full
    Nobody,     // no socket, or a socket file left behind by a program that has ended
};

struct LocalConnection {
    LocalPeer Peer = LocalPeer::Nobody;
    files::UniqueFd Socket;  // set when Peer is Listening
};

// Connects to the stream socket at `path` without ever waiting for the other side.
LocalConnection ConnectLocal(const std::string& path);

// Creates a non-blocking stream socket listening at `path`, the socket file readable and writable
// by the user only. An empty descriptor when the path is taken or the socket cannot be made.
files::UniqueFd ListenLocal(const std::string& path);

// Sends all of `data` on a connected socket without raising SIGPIPE; false if it could not.
bool SendAll(int socket, std::string_view data);

}  // namespace ostrelin::platform::desktop
