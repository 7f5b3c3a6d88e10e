// Puts a terminal into raw 8-bit mode: no echo, no line editing, no
// character translation, reads return whatever has arrived.
#pragma once

namespace pdrsim {

bool makeRaw(int fd);

}  // namespace pdrsim
