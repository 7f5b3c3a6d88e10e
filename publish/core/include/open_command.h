#pragma once
// The fallback way of opening an address: the open command registered for
// web pages, with the address put where the command expects its argument.
// Portable; the registry reading and starting are the caller's.
#include <cstddef>
#include <optional>
#include <string>

namespace zephyne {

// The command line is built in a buffer of this many bytes, NUL included:
// a registered command of up to 259 characters, a blank and the address.
constexpr size_t kOpenCommandCapacity = 520;

// The registered command cut before its "%1" argument (at the opening quote
// of a quoted "%1", else at a bare %1, else left whole), then a blank and the
// address. std::nullopt when the result would not fit in
// kOpenCommandCapacity bytes with its NUL: the command is then not run at
// all, rather than run with a shortened address.
std::optional<std::string> BuildOpenCommand(const std::string &registered,
                                            const std::string &address);

// The line a failed open shows, "Unable to open hyperlink:\n\n" and the text
// for the reply code (any unlisted code as "Unknown Error (<code>) occurred.").
std::string OpenErrorMessage(int code);

}  // namespace zephyne
