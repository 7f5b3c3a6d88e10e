#include "picture_numbering.h"

#include <algorithm>

namespace peltrix {
namespace {

bool samePicture(const CamPicture &a, const CamPicture &b) {
    return a.group == b.group && a.number == b.number && a.size == b.size;
}

}  // namespace

bool camTableHolds(const CamPicture *table, int count, const CamPicture &picture) {
    return count > 0 && std::any_of(table, table + count, [&](const CamPicture &entry) {
               return samePicture(entry, picture);
           });
}

void PictureNumbering::resyncRequested(const CamPicture *table, int count) {
    if (comparing_ || count < 0)
        return;
    before_.assign(table, table + count);
    comparing_ = true;
}

void PictureNumbering::tableRead(const CamPicture *table, int count) {
    if (!comparing_ || count < 0)
        return;
    comparing_ = false;
    const bool same = static_cast<size_t>(count) == before_.size() &&
                      std::equal(before_.begin(), before_.end(), table, samePicture);
    stale_ = stale_ || !same;
    before_.clear();
}

void PictureNumbering::listedAfresh() {
    before_.clear();
    comparing_ = false;
    stale_ = false;
}

}  // namespace peltrix
