#pragma once
// Pictures on a memory card: the card's camera folder is found the way the
// applet recognises a card (a folder of Connect\PCCardPath on the drive and
// the file of Connect\PCCardFile), on the drive the applet names in
// PCCardDrive, else on the lowest removable drive that passes. The pictures
// are the files in that folder and in its folders one level down (a camera
// keeps DCIM\100XXXXX, DCIM\101XXXXX, ...), in name order.

#include <string>

#include "host_settings.h"
#include "picture_source.h"

namespace standin {

// The camera folder of the card ("E:\DCIM"), or empty when no drive holds one.
std::string FindCardFolder(const HostSettings &settings);

class CardSource : public PictureSource {
public:
    explicit CardSource(const HostSettings &settings) : settings_(settings) {}
    bool List(std::vector<SourcePicture> &pictures, TaskResult &failure) override;
    CopyResult Copy(const SourcePicture &picture, pdrcam::NativeFile file,
                    const CopyProgress &progress) override;
    std::string FinalName(const SourcePicture &picture, const std::string &) const override {
        return picture.name;
    }

private:
    HostSettings settings_;
};

}  // namespace standin
