#pragma once

#include <optional>
#include <string>

#include "platform/desktop/PostedMessage.h"

namespace ostrelin::platform::desktop {

// A program makes itself findable by a window class name through a WindowClassServer
// (platform/desktop/qt/WindowClassServer.h): a local socket named after the class in the user's
// runtime directory ($XDG_RUNTIME_DIR, owned by the user and kept private, 0700). These functions
// are the other side.

// The socket path that stands for `className`; nothing when the name is not a plain file name,
// when there is no runtime directory, or when the path is too long for a local socket.
std::optional<std::string> WindowClassSocketPath(const std::string& className);

// True when a live program has registered `className` (it accepts connections, or its queue of
// connections is full).
bool FindWindowByClass(const std::string& className);

// Posts `message` to the program registered as `className`. Returns once the message is in that
// program's socket, without waiting for it to be handled; false when nobody listens or the
// program's queue is full.
bool PostMessageToClass(const std::string& className, const PostedMessage& message);

}  // namespace ostrelin::platform::desktop
