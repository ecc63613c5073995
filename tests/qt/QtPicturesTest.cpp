#include "QtPictures.h"

#include "imaging/PngCheck.h"
#include "model/PictureBox.h"

#include <QBuffer>
#include <QFile>
#include <QImage>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace orvan {
namespace {

const QColor kFace{0, 128, 0};
const QColor kRed{255, 0, 0};

class QtPicturesTest : public ::testing::Test {
protected:
    QtPicturesTest() { palette.setColor(QPalette::Button, kFace); }

    std::string path(const QString& name) const { return folder.filePath(name).toStdString(); }
    std::string write(const QByteArray& bytes, const QString& name) const {
        QFile file(folder.filePath(name));
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
        return path(name);
    }
    static QByteArray encoded(const QImage& image, const char* format) {
        QByteArray bytes;
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::WriteOnly);
        EXPECT_TRUE(image.save(&buffer, format)) << format;
        return bytes;
    }
    static QImage solid(int width, int height, QColor colour) {
        QImage image(width, height, QImage::Format_ARGB32);
        image.fill(colour);
        return image;
    }
    static PictureBox pngBox(const std::string& file) {
        PictureBox box;
        box.file = file;
        box.png = true;
        return box;
    }
    QImage rendered(const PictureBox& box, QSize size,
                    QtPictures::Scaling scaling = QtPictures::Scaling::ShrinkToFit) const {
        const auto result = QtPictures::render(box, size, palette, scaling);
        EXPECT_FALSE(result.unreadable);
        return result.pixmap.toImage();
    }

    QTemporaryDir folder;
    QPalette palette;
};

TEST_F(QtPicturesTest, backgroundIsTheButtonFaceOrAPlainColourInReversedByteOrder) {
    EXPECT_EQ(QtPictures::color(PictureBox::kButtonFace, palette), kFace);
    EXPECT_EQ(QtPictures::color(0x00332211, palette), QColor(0x11, 0x22, 0x33));
    PictureBox box;
    box.backColor = 0x000000FF;
    EXPECT_EQ(rendered(box, {3, 3}).pixelColor(1, 1), kRed);
}

TEST_F(QtPicturesTest, pngAlphaIsCompositedOverTheBackground) {
    QImage image(3, 1, QImage::Format_ARGB32);
    image.setPixelColor(0, 0, Qt::transparent);
    image.setPixelColor(1, 0, kRed);
    image.setPixelColor(2, 0, QColor(0, 0, 255, 128));
    const auto picture = rendered(pngBox(write(encoded(image, "PNG"), "LOGO.PNG")), {3, 1});
    EXPECT_EQ(picture.pixelColor(0, 0), kFace);
    EXPECT_EQ(picture.pixelColor(1, 0), kRed);
    const auto blend = picture.pixelColor(2, 0);
    EXPECT_NEAR(blend.green(), 64, 2) << "half the background";
    EXPECT_NEAR(blend.blue(), 128, 2) << "half the picture";
}

TEST_F(QtPicturesTest, filesThatCannotBeDecodedAreReportedWithTheBackgroundShown) {
    const auto jpeg = encoded(solid(16, 16, kRed), "JPEG");
    auto damagedPng = encoded(solid(16, 16, kRed), "PNG");
    damagedPng[damagedPng.indexOf("IDAT") + 6] ^= 0x55; // deflate data; the layout is intact
    const PictureBox boxes[] = {
        pngBox(write(damagedPng, "logo.png")),
        PictureBox{PictureBox::kButtonFace, write("not a picture", "1.jpg")},
        PictureBox{PictureBox::kButtonFace, write(jpeg.left(40), "2.jpg")},
        PictureBox{PictureBox::kButtonFace, path("3.gif")},
    };
    for (const auto& box : boxes) {
        const auto result = QtPictures::render(box, {4, 4}, palette);
        EXPECT_TRUE(result.unreadable) << box.file;
        EXPECT_EQ(result.pixmap.toImage().pixelColor(2, 2), kFace) << box.file;
    }

    auto rejected = pngBox(path("missing.png"));
    rejected.pngError = PngCheck::kTruncatedChunk;
    EXPECT_FALSE(QtPictures::render(rejected, {4, 4}, palette).unreadable)
        << "the engine reported it already";
}

// Qt writes no GIF: a 1x1 one by hand, its one pixel palette entry 0.
const QByteArray kRedGif{"GIF89a\x01\x00\x01\x00\x80\x00\x00\xff\x00\x00\x00\x00\x00"
                         "\x2c\x00\x00\x00\x00\x01\x00\x01\x00\x00\x02\x02\x44\x01\x00\x3b",
                         35};

TEST_F(QtPicturesTest, otherFormatsGoThroughThePictureReader) {
    std::vector<std::string> files{write(kRedGif, "picture.gif")};
    for (const char* format : {"BMP", "JPEG", "ICO"}) {
        files.push_back(write(encoded(solid(8, 8, kRed), format), QString{"picture."} + format));
    }
    for (const auto& file : files) {
        const auto pixel =
            rendered(PictureBox{PictureBox::kButtonFace, file}, {8, 8}).pixelColor(0, 0);
        EXPECT_NEAR(pixel.red(), 255, 8) << file;
        EXPECT_NEAR(pixel.green(), 0, 8) << file;
    }
}

TEST_F(QtPicturesTest, largePictureShrinksInProportionAndSmallOneKeepsItsSize) {
    const auto wide = write(encoded(solid(40, 20, kRed), "PNG"), "wide.png");
    const auto shrunk = rendered(pngBox(wide), {10, 10});
    EXPECT_EQ(shrunk.pixelColor(9, 4), kRed);
    EXPECT_EQ(shrunk.pixelColor(9, 5), kFace) << "40x20 into 10x10 is 10x5";

    const auto small = write(encoded(solid(4, 2, kRed), "PNG"), "small.png");
    const auto kept = rendered(pngBox(small), {10, 10});
    EXPECT_EQ(kept.pixelColor(3, 1), kRed);
    EXPECT_EQ(kept.pixelColor(4, 1), kFace);
    const auto enlarged = rendered(pngBox(small), {10, 10}, QtPictures::Scaling::Fit);
    EXPECT_EQ(enlarged.pixelColor(9, 4), kRed);
    EXPECT_EQ(enlarged.pixelColor(9, 5), kFace);

    const auto slot = QtPictures::load(QString::fromStdString(wide), {30, 30});
    EXPECT_EQ(slot.size(), QSize(30, 15));
    EXPECT_TRUE(QtPictures::load(folder.filePath("none.jpg"), {30, 30}).isNull());
}

} // namespace
} // namespace orvan
