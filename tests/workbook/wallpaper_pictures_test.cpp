// The shipped grid wallpapers WP1-WP8.jpg: real pictures of a modest size, light enough
// everywhere that the grid's black text keeps a strong contrast on them.
#include "tests/support/TestSupport.h"

#include <QFileInfo>
#include <QImage>
#include <algorithm>
#include <cmath>
#include <vector>

namespace {

double channel(int c) {
    const double s = c / 255.0;
    return s <= 0.03928 ? s / 12.92 : std::pow((s + 0.055) / 1.055, 2.4);
}

double luminance(QRgb p) { return 0.2126 * channel(qRed(p)) + 0.7152 * channel(qGreen(p)) + 0.0722 * channel(qBlue(p)); }

class WallpaperPictureTest : public ::testing::TestWithParam<int> {};

TEST_P(WallpaperPictureTest, IsAQuietLightPictureOfAFewTensOfKilobytes) {
    const QString path = QStringLiteral(QUORVANE_CONTENT_DIR "/WP%1.jpg").arg(GetParam());
    const qint64 bytes = QFileInfo(path).size();
    EXPECT_GE(bytes, 8 * 1024) << path.toStdString();
    EXPECT_LE(bytes, 80 * 1024) << path.toStdString();
    QImage img(path);
    ASSERT_FALSE(img.isNull()) << path.toStdString();
    EXPECT_GE(img.width(), 256);
    EXPECT_GE(img.height(), 256);
    std::vector<double> lum;
    double lightest = 0;
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x) lum.push_back(luminance(img.pixel(x, y)));
    std::sort(lum.begin(), lum.end());
    lightest = lum.back();
    // Black text on the darkest spots (the darkest thousandth of the picture) keeps a contrast
    // of at least 10:1, and the texture is really there: not one flat colour.
    const double darkest = lum[lum.size() / 1000];
    EXPECT_GE((darkest + 0.05) / 0.05, 10.0);
    EXPECT_GT(lightest - darkest, 0.03);
}

INSTANTIATE_TEST_SUITE_P(Pictures, WallpaperPictureTest, ::testing::Range(1, 9));

}  // namespace
