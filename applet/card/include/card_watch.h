#pragma once
// The card watch on the platform's side: the volume-arrival test of the top
// window and the two tests of a drive against the card settings
// (Connect\PCCardPath and Connect\PCCardFile, defaults strings 956 and 962).
#include <windows.h>

#include <string>

namespace applet {

// True when `drive` ("E:") holds one of the card folders and the card file.
bool IsCameraCardDrive(const std::string &drive);
// True when the card-file pattern is empty or "-", or matches on `drive`.
bool HasCameraCardFile(const std::string &drive);

// The drive a WM_DEVICECHANGE broadcast announces as a newly arrived volume
// (its lowest unit), or empty for anything else.
std::string ArrivedVolumeDrive(WPARAM event, LPARAM data);

// The whole test: a card on an arrived volume, with the card watch on
// (flag cameradirect, Sdk\EnableAutoRun nonzero).
bool IsCardArrival(WPARAM event, LPARAM data);

}  // namespace applet
