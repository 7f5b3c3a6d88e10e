#pragma once
// An in-process stand-in for the camera library's export table, for testing
// the commands without a camera: pictures held in memory, transfers written
// to the host's handle in 2048-byte pieces with progress callbacks as the
// library makes them, faults set per test, and a log of the calls made.

#include "camera_api.h"

#include <cstdint>
#include <map>
#include <string>
#include <vector>

namespace pdrcam_test {

// A picture the fake library serves.
struct FakeApiPicture {
    std::vector<uint8_t> data;
    std::vector<uint8_t> thumbnail;
    int32_t group = 100;
};

// What the fake exports act on: the pictures, the faults to inject, and what
// the program asked for.
struct FakeCameraApi {
    std::vector<FakeApiPicture> pictures;
    int cameraPort = 3;              // where the search finds the camera; 0: nowhere
    int openResult = 0;              // what Cam_session_enabled(1) answers
    std::map<int, int> failPicture;  // picture -> code returned after half the data
    std::map<int, int> failThumbnail;
    std::map<int, int> failErase;
    int shortByBytes = 0;         // a transfer that silently writes fewer bytes
    int interruptAtPercent = -1;  // raises the cancel request (as Ctrl-C would) at this progress
    int countResult = -2;         // -2: the real count; otherwise what the count answers

    CamProgressProc callback = nullptr;
    int32_t cookie = 0;
    int32_t lastError = 0;
    bool sessionOpen = false;
    std::vector<int> progressSeen;
    std::vector<std::string> calls;  // "set_port 0", "session 1", "picture 2", ...
};

// The one fake library state behind the table; resetFakeCameraApi() starts a
// test afresh, fakeCameraApiTable() gives the exports that act on it.
FakeCameraApi &fakeCameraApi();
void resetFakeCameraApi();
pdrcam::CameraApi fakeCameraApiTable();

// A picture of `size` bytes whose content tells its number and offset apart.
std::vector<uint8_t> patternBytes(size_t size, int salt, bool jpeg);

}  // namespace pdrcam_test
