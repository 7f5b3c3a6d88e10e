#include "resource_string.h"

#include <vector>

std::string LoadResourceString(HMODULE module, UINT id) {
  // LoadStringA cannot report the length it needs: grow the buffer while the
  // text fills it completely, so that no string is ever cut short.
  for (int size = 256; size <= 65536; size *= 2) {
    std::vector<char> buffer(size);
    int length = LoadStringA(module, id, buffer.data(), size);
    if (length <= 0) return std::string();
    if (length < size - 1) return std::string(buffer.data(), length);
  }
  return std::string();
}
