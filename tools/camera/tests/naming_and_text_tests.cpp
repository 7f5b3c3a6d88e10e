#include "camera_api.h"
#include "error_text.h"
#include "exit_codes.h"
#include "help_text.h"
#include "picture_names.h"

#include <gtest/gtest.h>

#include <set>

namespace pdrcam_test {
namespace {

using namespace pdrcam;

TEST(PdrcamPictureNames, StemsCarryFiveDigitNumbers) {
    EXPECT_EQ(fileStem(FileKind::Picture, 1), "PIC00001");
    EXPECT_EQ(fileStem(FileKind::Thumbnail, 42), "THM00042");
    EXPECT_EQ(fileStem(FileKind::Picture, 1000), "PIC01000");
}

TEST(PdrcamNamePatterns, FieldsAreFilledAndUnusablePatternsRefused) {
    const struct {
        const char *pattern;
        FileKind kind;
        const char *stem;  // nullptr: refused
    } cases[] = {
        {"%m-%d-%n.%e", FileKind::Picture, "PDR-M4-20261208-00007"},
        {"img%n.%e", FileKind::Thumbnail, "img00007-thumb"},
        {"100%%_%n.%e", FileKind::Picture, "100%_00007"},
        {"%m.%e", FileKind::Picture, nullptr},
        {"%n.jpg", FileKind::Picture, nullptr},
        {"sub/%n.%e", FileKind::Picture, nullptr},
        {"%n%x.%e", FileKind::Picture, nullptr},
    };
    for (const auto &c : cases) {
        std::string error;
        EXPECT_EQ(checkNamePattern(c.pattern, error), c.stem != nullptr) << c.pattern;
        if (c.stem)
            EXPECT_EQ(patternStem(c.pattern, c.kind, 7, "PDR-M4", "20261208"), c.stem);
        else
            EXPECT_FALSE(error.empty()) << c.pattern;
    }
    EXPECT_EQ(fileName("PIC00001", "JPG"), "PIC00001.JPG");
}

TEST(PdrcamPictureNames, ExtensionFollowsTheContent) {
    const uint8_t jpeg[] = {0xFF, 0xD8, 0xFF, 0xE0, 0, 0x10};
    const uint8_t avi[] = {'R', 'I', 'F', 'F', 1, 2, 3, 4, 'A', 'V', 'I', ' '};
    const uint8_t wave[] = {'R', 'I', 'F', 'F', 1, 2, 3, 4, 'W', 'A', 'V', 'E'};
    const uint8_t padding[] = {0, 0, 0, 0};
    const uint8_t halfMarker[] = {0xFF, 0xD8};
    EXPECT_EQ(extensionForContent(jpeg, sizeof jpeg), "JPG");
    EXPECT_EQ(extensionForContent(avi, sizeof avi), "AVI");
    EXPECT_EQ(extensionForContent(wave, sizeof wave), "RAW");
    EXPECT_EQ(extensionForContent(padding, sizeof padding), "RAW");
    EXPECT_EQ(extensionForContent(halfMarker, sizeof halfMarker), "RAW");
    EXPECT_EQ(extensionForContent(nullptr, 0), "RAW");
}

TEST(PdrcamPictureNames, EveryContentExtensionIsAKnownOne) {
    const auto &known = knownExtensions();
    for (const char *e : {"JPG", "AVI", "RAW"})
        EXPECT_NE(std::find(known.begin(), known.end(), e), known.end()) << e;
}

TEST(PdrcamPictureNames, TemporaryNameIsHiddenAndNeverAFinalName) {
    const std::string temp = temporaryName("PIC00003", 4711);
    EXPECT_EQ(temp[0], '.');
    EXPECT_NE(temp.find("PIC00003"), std::string::npos);
    EXPECT_NE(temp.find("4711"), std::string::npos);
    EXPECT_NE(temporaryName("PIC00003", 4712), temp);
    for (const std::string &e : knownExtensions())
        EXPECT_NE(temp, fileName("PIC00003", e));
}

TEST(PdrcamErrorTexts, EveryLibraryCodeHasItsOwnSentence) {
    const int codes[] = {CAM_ERR_PARAM,  CAM_ERR_NO_PORT,   CAM_ERR_NO_RESPONSE,
                         CAM_ERR_CLOSE,  CAM_ERR_TIMEOUT,   CAM_ERR_OPEN,
                         CAM_ERR_CAMERA, CAM_ERR_CANCELLED, CAM_ERR_NOT_SUPPORTED,
                         CAM_ERR_GENERAL};
    std::set<std::string> texts;
    for (int code : codes) {
        const std::string text = cameraErrorText(code);
        EXPECT_EQ(text.find("unknown"), std::string::npos) << code;
        texts.insert(text);
    }
    EXPECT_EQ(texts.size(), std::size(codes));
}

TEST(PdrcamErrorTexts, UnknownCodesAreNamedByNumber) {
    EXPECT_NE(cameraErrorText(42).find("42"), std::string::npos);
    EXPECT_NE(cameraErrorText(-1).find("-1"), std::string::npos);
}

TEST(PdrcamErrorTexts, ThumbnailFailureOf255ExplainsItself) {
    EXPECT_NE(thumbnailErrorText(255), cameraErrorText(255));
    EXPECT_NE(thumbnailErrorText(255).find("thumbnail"), std::string::npos);
    EXPECT_EQ(thumbnailErrorText(10), cameraErrorText(10));
}

TEST(PdrcamExitCodes, LibraryCodesMapToDocumentedStatuses) {
    EXPECT_EQ(exitCodeForCamera(CAM_OK), kExitOk);
    EXPECT_EQ(exitCodeForCamera(CAM_ERR_NO_PORT), kExitNoCamera);
    EXPECT_EQ(exitCodeForCamera(CAM_ERR_OPEN), kExitNoCamera);
    EXPECT_EQ(exitCodeForCamera(CAM_ERR_CANCELLED), kExitCancelled);
    EXPECT_EQ(exitCodeForCamera(CAM_ERR_PICTURES_CHANGED), kExitPicturesChanged);
    for (int code : {2, 4, 7, 10, 13, 254, 255, 99})
        EXPECT_EQ(exitCodeForCamera(code), kExitCameraError) << code;
}

TEST(PdrcamHelpText, OverviewDocumentsEveryCommandAndExitStatus) {
    const std::string text = helpText("pdrcam", "");
    for (const char *word :
         {"info", "list", "get", "erase", "--port", "--speed", "Exit status", "130"})
        EXPECT_NE(text.find(word), std::string::npos) << word;
    for (int status : {kExitOk, kExitCameraError, kExitUsage, kExitNoCamera, kExitNoLibrary,
                       kExitFileError, kExitNotConfirmed, kExitPicturesChanged})
        EXPECT_NE(text.find("\n  " + std::to_string(status) + " "), std::string::npos) << status;
}

TEST(PdrcamHelpText, CommandHelpDescribesItsOwnOptions) {
    EXPECT_NE(helpText("pdrcam", "get").find("--thumbnails"), std::string::npos);
    EXPECT_NE(helpText("pdrcam", "get").find("--force"), std::string::npos);
    EXPECT_NE(helpText("pdrcam", "erase").find("--yes"), std::string::npos);
    EXPECT_EQ(helpText("pdrcam", "info").find("--yes"), std::string::npos);
}

}  // namespace
}  // namespace pdrcam_test
