#pragma once

#include <string>
#include <string_view>

namespace welkor::fuzz {

// A save through the file layer into a folder where anything may stand
// beside or in place of the file: the bytes choose the folder's kind (shared
// and sticky, open to all, private), what the target's name is (nothing, a
// file, a link of the saving user or of another to a file, to nothing, to a
// folder, to a FIFO, in a loop, a folder, a FIFO, a device) and what is
// planted beside it under temporary-like names; the rest is the content.
// Held: a link is followed only where the system would follow it; only a
// regular file is replaced, keeping its permissions; a refused save changes
// nothing at all; a save changes the one file and removes only the saving
// user's temporaries of killed saves of that file; a canary outside the
// folder stays; file names go to bytes and back unchanged. Needs the file
// layer (Qt); without it nothing is checked.
std::string CheckFileLayer(std::string_view bytes);

} // namespace welkor::fuzz
