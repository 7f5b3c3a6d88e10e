#include "picture_set.h"

#include "thumbnail_builder.h"

namespace camsim {

namespace {

ThumbnailForm formFor(ThumbnailMix mix, size_t index) {
    switch (mix) {
    case ThumbnailMix::Plain:
        return ThumbnailForm::Plain;
    case ThumbnailMix::Avi:
        return ThumbnailForm::Avi;
    case ThumbnailMix::Mixed:
        break;
    }
    if (index % 3 == 2)
        return ThumbnailForm::Avi;
    return index % 2 == 0 ? ThumbnailForm::PlainPadded : ThumbnailForm::Plain;
}

}  // namespace

PictureStore arrangeInGroups(const std::vector<PictureFile> &files, const GroupLayout &layout) {
    const unsigned perGroup = layout.perGroup == 0 ? 1 : layout.perGroup;
    std::vector<StoredPicture> pictures;
    for (size_t i = 0; i < files.size(); ++i) {
        StoredPicture p;
        p.group = static_cast<uint16_t>(layout.firstGroup + i / perGroup);
        p.number = static_cast<uint16_t>(1 + i % perGroup);
        p.name = files[i].name.substr(0, 12);
        p.data = files[i].data;
        p.thumbnailStill = files[i].thumbnailStill;
        p.thumbnail = buildThumbnail(files[i].thumbnailStill, formFor(layout.thumbnails, i));
        pictures.push_back(std::move(p));
    }
    return PictureStore(std::move(pictures));
}

}  // namespace camsim
