#include "imaging/ImageLoading.h"

#include "base/AppError.h"
#include "base/ErrorReporter.h"
#include "base/Utf8.h"
#include "imaging/PngCheck.h"
#include "model/EngineContext.h"
#include "model/PictureBox.h"
#include "platform/FileSystem.h"

namespace orvan {
namespace {

constexpr const char* kLocation = "modGlobalFunctions.funLoadImgError";
// The runtime's number for a file its picture loader cannot read.
constexpr long kInvalidPicture = 481;

bool isPngName(const std::string& path) {
    // Bytes and characters agree here: "png" is ASCII, which never ends a longer character.
    return path.size() >= 3 &&
           Utf8::lowerAscii(std::string_view{path}.substr(path.size() - 3)) == "png";
}

AppError fileNotFound(const std::string& path) {
    return {AppError::kFileNotFound, "File not found: " + path};
}

} // namespace

ImageLoading::ImageLoading(FileSystem& files, ErrorReporter& errors)
    : files_(files)
    , errors_(errors) {}

ImageLoading::ImageLoading(EngineContext& context)
    : ImageLoading(context.platform.files, context.errors) {}

void ImageLoading::funLoadImg(const std::string& path, PictureBox& box) {
    box.backColor = PictureBox::kButtonFace;
    box.clear();
    errors_.trap(kLocation, OnError::LogOnly, [&] {
        if (isPngName(path)) {
            loadPng(path, box);
        } else if (files_.exists(path)) {
            box.file = path;
        } else {
            throw fileNotFound(path);
        }
    });
}

void ImageLoading::loadPng(const std::string& path, PictureBox& box) {
    box.png = true;
    const auto bytes = files_.read(path);
    if (!bytes) {
        throw fileNotFound(path);
    }
    box.pngError = PngCheck::check(*bytes).errorNumber;
    if (box.pngError != PngCheck::kReadable) {
        throw AppError(kInvalidPicture, "Invalid picture: PNG error " +
                                            std::to_string(box.pngError) + " in " + path);
    }
    box.file = path;
}

void ImageLoading::onUnreadablePicture(const std::string& path, PictureBox& box) {
    box.file.clear();
    errors_.report(AppError(kInvalidPicture, "Invalid picture: " + path), kLocation,
                   OnError::LogOnly);
}

} // namespace orvan
