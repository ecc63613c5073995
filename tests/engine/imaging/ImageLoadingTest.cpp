#include "imaging/ImageLoading.h"

#include "base/ErrorReporter.h"
#include "base/Log.h"
#include "engine/imaging/PngBytes.h"
#include "model/PictureBox.h"
#include "support/ClientFixture.h"
#include "support/FakeSystemInfo.h"
#include "support/MemoryFileSystem.h"
#include "support/VirtualTime.h"

#include <gtest/gtest.h>
#include <sstream>

namespace orvan::test {
namespace {

constexpr const char* kLocation = "modGlobalFunctions.funLoadImgError";

class ImageLoadingTest : public ::testing::Test {
protected:
    ImageLoadingTest() {
        log.setLogFile("/data/client.log");
        // What an earlier load left: the new one must not show any of it.
        box.backColor = 0x00FF0000;
        box.file = "/pictures/earlier.png";
        box.png = true;
    }

    // Log lines holding `text`.
    std::vector<std::string> logged(const std::string& text = kLocation) const {
        std::vector<std::string> lines;
        std::istringstream file(files.read("/data/client.log").value_or(""));
        for (std::string line; std::getline(file, line);) {
            if (line.find(text) != std::string::npos) {
                lines.push_back(line);
            }
        }
        return lines;
    }
    void expectBackgroundAlone() const {
        EXPECT_EQ(box.backColor, PictureBox::kButtonFace);
        EXPECT_EQ(box.file, "");
    }

    VirtualTime time;
    MemoryFileSystem files;
    FakeSystemInfo system;
    Log log{time, files, system};
    ErrorReporter errors{log};
    ImageLoading loading{files, errors};
    PictureBox box;
};

TEST_F(ImageLoadingTest, pngExtensionInAnyCaseGoesThroughThePngCheck) {
    for (const std::string path : {"/data/LOGO.PNG", "/data/logo.Png", "/data/logo.png"}) {
        files.write(path, PngBytes::minimal());
        loading.funLoadImg(path, box);
        EXPECT_TRUE(box.png) << path;
        EXPECT_EQ(box.pngError, 0) << path;
        EXPECT_EQ(box.file, path);
        EXPECT_EQ(box.backColor, PictureBox::kButtonFace);
    }
    EXPECT_TRUE(logged().empty());
}

TEST_F(ImageLoadingTest, badPngDrawsNothingAndIsReportedOnce) {
    const auto good = PngBytes::minimal();
    const std::pair<std::string, int> cases[] = {
        {"GIF89a", 1},
        {good.substr(0, good.size() - 2), 3},
        {PngBytes{}.header(1, 1).end().str(), 4},
    };
    for (const auto& [bytes, error] : cases) {
        files.write("/data/logo.png", bytes);
        box.file = "/pictures/earlier.png";
        loading.funLoadImg("/data/logo.png", box);
        EXPECT_TRUE(box.png);
        EXPECT_EQ(box.pngError, error);
        expectBackgroundAlone();
    }
    const auto lines = logged();
    ASSERT_EQ(lines.size(), 3u) << "one report per load";
    EXPECT_NE(lines[0].find(": #481 | Invalid picture: PNG error 1"), std::string::npos)
        << lines[0];
}

TEST_F(ImageLoadingTest, missingFileLeavesTheBackgroundAndIsReportedOnce) {
    for (const std::string path : {"/data/logo.png", "/program/1.jpg"}) {
        loading.funLoadImg(path, box);
        expectBackgroundAlone();
        EXPECT_EQ(box.pngError, 0) << "a missing file is not a decoder verdict";
        ASSERT_EQ(logged(path).size(), 1u) << path;
        EXPECT_NE(logged(path)[0].find(std::string{kLocation} + ": #53 | File not found"),
                  std::string::npos);
    }
}

TEST_F(ImageLoadingTest, otherFilesGoToTheFrontEndWhichMayStillRejectThem) {
    files.write("/program/1.jpg", "the front end judges the content");
    loading.funLoadImg("/program/1.jpg", box);
    EXPECT_EQ(box.file, "/program/1.jpg");
    EXPECT_FALSE(box.png);
    EXPECT_TRUE(logged().empty());

    loading.onUnreadablePicture("/program/1.jpg", box);
    expectBackgroundAlone();
    ASSERT_EQ(logged().size(), 1u);
    EXPECT_NE(logged()[0].find("#481 | Invalid picture: /program/1.jpg"), std::string::npos);
}

class ImageLoadingInClientTest : public ClientFixture {};

TEST_F(ImageLoadingInClientTest, reportsToTheClientsLogWithoutShowingAnything) {
    configured();
    start();
    ImageLoading loading{context()};
    PictureBox box;
    loading.funLoadImg("/appdata/OrvanetixClient/logo.png", box);
    EXPECT_TRUE(logContains(std::string{kLocation} + ": #53"));
    EXPECT_TRUE(fake.dialogs.shown.empty());
}

} // namespace
} // namespace orvan::test
