#include "picture_store.h"

#include <algorithm>

namespace camsim {

std::vector<uint16_t> PictureStore::groups() const {
    std::vector<uint16_t> out;
    for (const auto &p : pictures_)
        if (std::find(out.begin(), out.end(), p.group) == out.end())
            out.push_back(p.group);
    for (uint16_t g : emptyGroups_)
        if (std::find(out.begin(), out.end(), g) == out.end())
            out.push_back(g);
    return out;
}

std::vector<uint16_t> PictureStore::picturesOf(uint16_t group) const {
    std::vector<uint16_t> out;
    for (const auto &p : pictures_)
        if (p.group == group)
            out.push_back(p.number);
    return out;
}

size_t PictureStore::countIn(uint16_t group) const {
    return static_cast<size_t>(
        std::count_if(pictures_.begin(), pictures_.end(),
                      [&](const StoredPicture &p) { return p.group == group; }));
}

const StoredPicture *PictureStore::find(uint16_t group, uint16_t number) const {
    for (const auto &p : pictures_)
        if (p.group == group && p.number == number)
            return &p;
    return nullptr;
}

bool PictureStore::erase(uint16_t group, uint16_t number) {
    const auto it = std::find_if(pictures_.begin(), pictures_.end(), [&](const StoredPicture &p) {
        return p.group == group && p.number == number;
    });
    if (it == pictures_.end())
        return false;
    pictures_.erase(it);
    return true;
}

uint64_t PictureStore::totalBytes() const {
    uint64_t total = 0;
    for (const auto &p : pictures_)
        total += p.data.size();
    return total;
}

}  // namespace camsim
