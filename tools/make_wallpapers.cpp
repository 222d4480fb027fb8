// Makes the grid wallpapers WP1.jpg - WP8.jpg: quiet, light, seamlessly tiling textures (paper,
// linen, parchment, marble, stucco, twill, clouds, wood) that keep black grid text readable.
// Every picture comes from a fixed seed, so a run makes the same pictures again.
//
//   cmake --build build --target make_wallpapers && build/make_wallpapers content
#include <QColor>
#include <QCoreApplication>
#include <QDir>
#include <QGuiApplication>
#include <QImage>
#include <QImageWriter>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <functional>
#include <vector>

namespace {

constexpr int Size = 512;  // tiles seamlessly at this size
constexpr double Pi = 3.14159265358979323846;

// A small deterministic generator (splitmix64).
struct Random {
    std::uint64_t state;
    explicit Random(std::uint64_t seed) : state(seed) {}
    std::uint64_t next() {
        std::uint64_t z = (state += 0x9E3779B97F4A7C15ull);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
        return z ^ (z >> 31);
    }
    double unit() { return double(next() >> 11) / double(1ull << 53); }  // [0, 1)
};

// Value noise on a lattice that wraps at `period` cells, so the picture tiles.
class TilingNoise {
public:
    TilingNoise(int period, std::uint64_t seed) : period_(period), values_(std::size_t(period * period)) {
        Random r(seed);
        for (double& v : values_) v = r.unit();
    }
    // x, y in [0, 1): one full tile.
    double at(double x, double y) const {
        const double fx = x * period_, fy = y * period_;
        const int x0 = int(std::floor(fx)), y0 = int(std::floor(fy));
        const double tx = smooth(fx - x0), ty = smooth(fy - y0);
        const double a = cell(x0, y0), b = cell(x0 + 1, y0), c = cell(x0, y0 + 1), d = cell(x0 + 1, y0 + 1);
        return (a * (1 - tx) + b * tx) * (1 - ty) + (c * (1 - tx) + d * tx) * ty;
    }

private:
    static double smooth(double t) { return t * t * (3 - 2 * t); }
    double cell(int x, int y) const {
        x = ((x % period_) + period_) % period_;
        y = ((y % period_) + period_) % period_;
        return values_[std::size_t(y * period_ + x)];
    }
    int period_;
    std::vector<double> values_;
};

// Fractal noise in [0, 1]: octaves of tiling noise, each twice as fine.
double fbm(const std::vector<TilingNoise>& octaves, double x, double y) {
    double sum = 0, weight = 1, total = 0;
    for (const TilingNoise& n : octaves) {
        sum += n.at(x, y) * weight;
        total += weight;
        weight *= 0.5;
    }
    return sum / total;
}

std::vector<TilingNoise> octaves(int firstPeriod, int count, std::uint64_t seed) {
    std::vector<TilingNoise> out;
    for (int i = 0; i < count; ++i) out.emplace_back(firstPeriod << i, seed * 131 + std::uint64_t(i));
    return out;
}

// A colour between two light colours; t in [0, 1].
QRgb blend(QColor a, QColor b, double t) {
    t = std::clamp(t, 0.0, 1.0);
    auto mix = [t](int p, int q) { return int(std::lround(p + (q - p) * t)); };
    return qRgb(mix(a.red(), b.red()), mix(a.green(), b.green()), mix(a.blue(), b.blue()));
}

struct Wallpaper {
    const char* name;
    QColor light, dark;  // the texture moves between these two
    std::function<double(double x, double y)> shade;  // 0 light .. 1 dark
};

// A fine grain over every picture, as a real surface has, too faint to disturb text.
QImage render(const Wallpaper& w, Random& grain) {
    QImage img(Size, Size, QImage::Format_RGB32);
    for (int y = 0; y < Size; ++y)
        for (int x = 0; x < Size; ++x) {
            const double t = w.shade((x + 0.5) / Size, (y + 0.5) / Size) + (grain.unit() - 0.5) * 0.12;
            img.setPixel(x, y, blend(w.light, w.dark, t));
        }
    return img;
}

}  // namespace

int main(int argc, char** argv) {
    QGuiApplication app(argc, argv);
    const QString out = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("content");
    QDir().mkpath(out);

    const auto paper = octaves(8, 7, 1);
    const auto linenA = octaves(16, 5, 2);
    const auto parchment = octaves(2, 6, 3);
    const auto marble = octaves(2, 6, 4);
    const auto stucco = octaves(16, 5, 5);
    const auto twill = octaves(8, 5, 6);
    const auto clouds = octaves(2, 6, 7);
    const auto wood = octaves(2, 5, 8);
    Random speckle(55);
    std::vector<double> specks(std::size_t(Size * Size));
    for (double& s : specks) s = speckle.unit();

    const Wallpaper papers[] = {
        // 1 paper: fine, even fibres on warm white.
        {"WP1.jpg", QColor(252, 250, 244), QColor(228, 224, 212),
         [&](double x, double y) { return std::pow(fbm(paper, x, y), 1.6); }},
        // 2 linen: crossing threads, soft.
        {"WP2.jpg", QColor(248, 245, 236), QColor(226, 219, 202),
         [&](double x, double y) {
             const double warp = 0.5 + 0.5 * std::sin(2 * Pi * 128 * x + 3 * linenA[0].at(x, y));
             const double weft = 0.5 + 0.5 * std::sin(2 * Pi * 128 * y + 3 * linenA[1].at(x, y));
             return 0.35 * warp * weft + 0.4 * fbm(linenA, x, y);
         }},
        // 3 parchment: large, slow clouds of warm tone.
        {"WP3.jpg", QColor(253, 247, 230), QColor(232, 218, 186),
         [&](double x, double y) { return std::clamp((fbm(parchment, x, y) - 0.25) * 1.6, 0.0, 1.0); }},
        // 4 marble: pale blue-grey veins.
        {"WP4.jpg", QColor(246, 249, 252), QColor(210, 220, 232),
         [&](double x, double y) {
             const double v = std::sin(2 * Pi * (2 * x + y) + 7 * fbm(marble, x, y));
             return std::pow(1 - std::abs(v), 6) * 0.8 + 0.15 * fbm(marble, x * 1, y * 1);
         }},
        // 5 stucco: light grey speckles.
        {"WP5.jpg", QColor(247, 247, 245), QColor(214, 214, 208),
         [&](double x, double y) {
             const double s = specks[std::size_t(int(y * Size) * Size + int(x * Size))];
             return 0.55 * fbm(stucco, x, y) + (s > 0.99 ? 0.4 : 0.0);
         }},
        // 6 twill: faint diagonal weave in pale green.
        {"WP6.jpg", QColor(244, 250, 242), QColor(212, 228, 206),
         [&](double x, double y) {
             const double d = 0.5 + 0.5 * std::sin(2 * Pi * 64 * (x + y) + 2 * twill[0].at(x, y));
             return 0.45 * d + 0.3 * fbm(twill, x, y);
         }},
        // 7 clouds: soft sky.
        {"WP7.jpg", QColor(250, 252, 255), QColor(206, 224, 244),
         [&](double x, double y) { return std::clamp((0.75 - fbm(clouds, x, y)) * 1.5, 0.0, 1.0); }},
        // 8 wood: pale grain running across.
        {"WP8.jpg", QColor(251, 244, 232), QColor(226, 206, 176),
         [&](double x, double y) {
             const double ring = 0.5 + 0.5 * std::sin(2 * Pi * (6 * y + 2.5 * fbm(wood, x, y)));
             return 0.55 * std::pow(ring, 3) + 0.25 * fbm(wood, x, y);
         }},
    };

    int failures = 0;
    Random grain(99);
    for (const Wallpaper& w : papers) {
        const QString path = QDir(out).filePath(QString::fromLatin1(w.name));
        QImageWriter writer(path, "jpeg");
        writer.setQuality(92);
        writer.setOptimizedWrite(true);
        if (!writer.write(render(w, grain))) {
            std::fprintf(stderr, "%s: %s\n", qPrintable(path), qPrintable(writer.errorString()));
            ++failures;
            continue;
        }
        std::printf("%s\n", qPrintable(path));
    }
    return failures == 0 ? 0 : 1;
}
