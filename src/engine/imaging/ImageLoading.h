#pragma once

#include <string>

namespace orvan {

struct EngineContext;
class ErrorReporter;
class FileSystem;
struct PictureBox;

// Decides what a picture box shows: its button-face background, and over it the file
// when the file can be drawn. PNG files are checked here, as the program's own decoder
// would read them; every other kind is left to the front end's picture reader, which
// calls back when it cannot decode one. Failures are logged, never shown: a missing
// logo must not put an error box over the lock screen.
class ImageLoading {
public:
    ImageLoading(FileSystem& files, ErrorReporter& errors);
    explicit ImageLoading(EngineContext& context);

    // Loads `path` into `box`. A file ending in "png" (in any case) is checked as PNG
    // and drawn only when found readable; any other file is handed on if it exists.
    void funLoadImg(const std::string& path, PictureBox& box);
    // The front end could not decode the file `box` was given: it shows the background
    // alone, and the failure is logged like any other.
    void onUnreadablePicture(const std::string& path, PictureBox& box);

private:
    void loadPng(const std::string& path, PictureBox& box);

    FileSystem& files_;
    ErrorReporter& errors_;
};

} // namespace orvan
