// Writes the pictures of the day view and the world map into a folder (normally resources/):
//
//   world.bmp          450 x 444  the day map above the night map, plate carrée
//   graf.bmp           344 x 448  a landscape by day above the same landscape by night
//   graf_hours.bmp     344 x 15   the day view's time axis, ticks every hour, labels 0h .. 24h
//   graf_altitudes.bmp 22 x 224   the day view's altitude axis, ticks every 5°, labels 0° .. 90°
//
// All four are 24-bit uncompressed bottom-up BMP files.
//
// The world maps are downscaled from NASA's Visible Earth pictures as Debian's xplanet-images package
// ships them (/usr/share/xplanet/images/earth.jpg, "Blue Marble", and night.jpg, "Earth's City
// Lights", 2048 x 1024 each; NASA imagery, not copyrighted, credit: NASA Visible Earth,
// https://visibleearth.nasa.gov/). Each map pixel is the mean of the source pixels whose centres fall
// within 0.4° of longitude and 90/222° of latitude of the point the shading computes for that pixel
// (column x: longitude 0.8x - 180; memory row r: latitude 180r/222 - 90), so the lit half drawn by
// the program lies where the picture shows it. The night map keeps a tenth of the day map under
// the city lights, so the continents stay faintly visible at night.
//
// The landscape and the axes are drawn here from fixed numbers (hill profiles as sums of sines, stars
// from a fixed linear congruential generator, digits from a 5 x 7 pixel font), so they need no
// font and no other input. The program reads only world.bmp and graf.bmp; the axis strips are for
// the day view's window.
//
// Usage: make_artwork [OUTPUT_FOLDER [EARTH_JPG NIGHT_JPG]]
//   defaults: resources, /usr/share/xplanet/images/earth.jpg, /usr/share/xplanet/images/night.jpg
// The output depends only on this program and the two JPEG files (decoded by Qt's JPEG reader), so
// it is byte-for-byte reproducible.
#include <QCoreApplication>
#include <QImage>
#include <QImageReader>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <string_view>
#include <vector>

#include "shading/day_view.h"
#include "shading/pixel_buffer.h"
#include "shading/world_map.h"

namespace {

using heliomark::PixelBuffer;
using heliomark::Rgb;

// ------------------------------------------------------------------ BMP output

void PutLittle(std::vector<uint8_t>& out, uint32_t v, int bytes) {
    for (int i = 0; i < bytes; ++i)
        out.push_back(static_cast<uint8_t>(v >> (8 * i)));
}

// BITMAPFILEHEADER + BITMAPINFOHEADER (24 bits, BI_RGB, 72 dpi) + the buffer's rows as they are.
std::vector<uint8_t> EncodeBmp(const PixelBuffer& b) {
    std::vector<uint8_t> out;
    const auto image = static_cast<uint32_t>(b.Bits.size());
    out.push_back('B');
    out.push_back('M');
    PutLittle(out, 54 + image, 4);
    PutLittle(out, 0, 4);
    PutLittle(out, 54, 4);
    PutLittle(out, 40, 4);
    PutLittle(out, static_cast<uint32_t>(b.Width), 4);
    PutLittle(out, static_cast<uint32_t>(b.Height), 4);
    PutLittle(out, 1, 2);
    PutLittle(out, 24, 2);
    PutLittle(out, 0, 4);
    PutLittle(out, image, 4);
    PutLittle(out, 2835, 4);
    PutLittle(out, 2835, 4);
    PutLittle(out, 0, 4);
    PutLittle(out, 0, 4);
    out.insert(out.end(), b.Bits.begin(), b.Bits.end());
    return out;
}

// Written next to the target and renamed over it, so a failed run leaves the old file.
bool WriteBmp(const std::filesystem::path& file, const PixelBuffer& b) {
    const std::vector<uint8_t> bytes = EncodeBmp(b);
    std::filesystem::path temporary = file;
    temporary += ".tmp";
    {
        std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
        out.flush();
        if (!out) {
            std::fprintf(stderr, "cannot write %s\n", temporary.string().c_str());
            return false;
        }
    }
    std::error_code error;
    std::filesystem::rename(temporary, file, error);
    if (error) {
        std::fprintf(stderr, "cannot replace %s: %s\n", file.string().c_str(), error.message().c_str());
        return false;
    }
    return true;
}

// ------------------------------------------------------------------ world map

struct Picture {
    int Width = 0, Height = 0;
    std::vector<std::array<int, 3>> Pixels;  // top-down, R G B
    const std::array<int, 3>& At(int x, int y) const {
        return Pixels[static_cast<std::size_t>(y) * Width + x];
    }
};

bool LoadPicture(const char* file, Picture& picture) {
    QImageReader reader(QString::fromLocal8Bit(file));
    QImage image = reader.read();
    if (image.isNull()) {
        std::fprintf(stderr, "cannot read %s: %s\n", file, reader.errorString().toLocal8Bit().constData());
        return false;
    }
    image = image.convertToFormat(QImage::Format_RGB888);
    picture.Width = image.width();
    picture.Height = image.height();
    picture.Pixels.resize(static_cast<std::size_t>(picture.Width) * picture.Height);
    for (int y = 0; y < picture.Height; ++y) {
        const uint8_t* line = image.constScanLine(y);
        for (int x = 0; x < picture.Width; ++x) {
            picture.Pixels[static_cast<std::size_t>(y) * picture.Width + x] = {line[3 * x], line[3 * x + 1],
                                                                               line[3 * x + 2]};
        }
    }
    return true;
}

// The mean colour of the source pixels whose centres lie in the cell around the map pixel's point.
// Longitudes wrap around the date line; latitudes beyond the poles have no source pixels.
std::array<int, 3> CellMean(const Picture& source, int column, int memoryRow) {
    const double lon = 0.8 * column - 180, lat = 180.0 * memoryRow / 222 - 90;
    const double halfWidth = 0.4, halfHeight = 90.0 / 222;
    // Source pixel (i, j) has its centre at longitude (i + 0.5) * 360 / W - 180 and latitude
    // 90 - (j + 0.5) * 180 / H.
    const double W = source.Width, H = source.Height;
    const int iFirst = static_cast<int>(std::ceil((lon - halfWidth + 180) * W / 360 - 0.5));
    const int iLast = static_cast<int>(std::ceil((lon + halfWidth + 180) * W / 360 - 0.5)) - 1;
    const int jFirst = std::max(0, static_cast<int>(std::ceil((90 - lat - halfHeight) * H / 180 - 0.5)));
    const int jLast =
        std::min(source.Height - 1, static_cast<int>(std::ceil((90 - lat + halfHeight) * H / 180 - 0.5)) - 1);
    std::array<long, 3> sum{};
    long count = 0;
    for (int j = jFirst; j <= jLast; ++j) {
        for (int i = iFirst; i <= iLast; ++i) {
            const int wrapped = ((i % source.Width) + source.Width) % source.Width;
            const auto& p = source.At(wrapped, j);
            for (int c = 0; c < 3; ++c)
                sum[c] += p[c];
            ++count;
        }
    }
    std::array<int, 3> mean{};
    for (int c = 0; c < 3; ++c)
        mean[c] = count ? static_cast<int>((2 * sum[c] + count) / (2 * count)) : 0;
    return mean;
}

PixelBuffer MakeWorld(const Picture& earth, const Picture& lights) {
    using heliomark::MapHeight;
    using heliomark::MapWidth;
    PixelBuffer out = heliomark::CreatePixelBuffer(MapWidth, 2 * MapHeight);
    for (int r = 0; r < MapHeight; ++r) {
        const int displayRow = MapHeight - 1 - r;
        for (int x = 0; x < MapWidth; ++x) {
            const std::array<int, 3> day = CellMean(earth, x, r);
            const std::array<int, 3> night = CellMean(lights, x, r);
            std::array<uint8_t, 3> dark{};
            for (int c = 0; c < 3; ++c)
                dark[c] = static_cast<uint8_t>(std::min(255, night[c] + (day[c] + 5) / 10));
            heliomark::SetPixel(
                out, x, displayRow,
                {static_cast<uint8_t>(day[0]), static_cast<uint8_t>(day[1]), static_cast<uint8_t>(day[2])});
            heliomark::SetPixel(out, x, displayRow + MapHeight, {dark[0], dark[1], dark[2]});
        }
    }
    return out;
}

// ------------------------------------------------------------------ landscape

struct Palette {
    Rgb SkyTop, SkyHorizon, Mountains, FarHills, NearHills, Meadow, HorizonLine;
};

constexpr Palette DayColours{{64, 120, 196}, {196, 222, 242}, {156, 176, 204}, {104, 140, 140},
                             {70, 130, 60},  {100, 160, 70},  {150, 170, 170}};
constexpr Palette NightColours{{4, 8, 28},   {26, 36, 70}, {20, 26, 46}, {16, 24, 34},
                               {12, 24, 18}, {16, 30, 20}, {40, 48, 70}};

constexpr int Horizon = 196;  // display row of the horizon line in each half

// Heights of the mountain, hill and meadow tops above the bottom of the half, in pixels, as smooth
// functions of x; the mountains and the far hills always rise above the horizon line.
double MountainTop(double x) {
    return 224 - Horizon + 24 + 13 * std::sin(x / 41.0 + 1.3) + 6 * std::sin(x / 17.0 + 0.4) +
           2.5 * std::sin(x / 6.7 + 2.0);
}
double FarHillTop(double x) {
    return 224 - Horizon + 14 + 7 * std::sin(x / 37.0 + 0.6) + 4 * std::sin(x / 13.0 + 2.1) +
           2 * std::sin(x / 5.3 + 0.3);
}
double NearHillTop(double x) {
    return 14 + 6 * std::sin(x / 52.0 + 3.9) + 3 * std::sin(x / 19.0 + 1.2) + 1.5 * std::sin(x / 7.1 + 4.4);
}

uint8_t Mix(uint8_t a, uint8_t b, double t) {
    return static_cast<uint8_t>(std::lround(a + (b - a) * t));
}
Rgb Mix(Rgb a, Rgb b, double t) {
    return {Mix(a.R, b.R, t), Mix(a.G, b.G, t), Mix(a.B, b.B, t)};
}

// One half: sky gradient, horizon line, mountains, far hills and near hills, each with a soft
// (coverage-weighted) outline.
void DrawLandscape(PixelBuffer& out, int top, const Palette& p) {
    using heliomark::DayViewHeight;
    using heliomark::DayViewWidth;
    for (int x = 0; x < DayViewWidth; ++x) {
        const double mountain = MountainTop(x + 0.5), far = FarHillTop(x + 0.5), near = NearHillTop(x + 0.5);
        for (int y = 0; y < DayViewHeight; ++y) {
            const double height = DayViewHeight - (y + 0.5);  // pixel centre above the bottom edge
            Rgb c = y <= Horizon ? Mix(p.SkyTop, p.SkyHorizon, static_cast<double>(y) / Horizon) : p.Meadow;
            if (y == Horizon) c = p.HorizonLine;
            // Coverage of a hill edge: how far the top lies within this pixel.
            const double mountainCover = std::clamp(mountain - height + 0.5, 0.0, 1.0);
            const double farCover = std::clamp(far - height + 0.5, 0.0, 1.0);
            const double nearCover = std::clamp(near - height + 0.5, 0.0, 1.0);
            if (y < Horizon) c = Mix(Mix(c, p.Mountains, mountainCover), p.FarHills, farCover);
            c = Mix(c, Mix(p.NearHills, p.Meadow, std::clamp((near - height) / 10, 0.0, 1.0)), nearCover);
            heliomark::SetPixel(out, x, top + y, c);
        }
    }
}

// Stars in the night sky above the hills: fixed pseudo-random places and brightnesses.
void DrawStars(PixelBuffer& out, int top) {
    uint32_t seed = 20260321;
    auto next = [&seed] {
        seed = seed * 1664525u + 1013904223u;
        return seed >> 8;
    };
    for (int i = 0; i < 160; ++i) {
        const int x = static_cast<int>(next() % heliomark::DayViewWidth);
        const int y = static_cast<int>(next() % Horizon);
        const double height = heliomark::DayViewHeight - (y + 0.5);
        if (height <= MountainTop(x + 0.5) + 1) continue;
        const auto level = static_cast<uint8_t>(120 + next() % 136);
        heliomark::SetPixel(out, x, top + y, {level, level, static_cast<uint8_t>(std::min(255, level + 20))});
        if (level > 240) {  // a few bright stars with a faint cross
            const Rgb glow{60, 60, 80};
            for (auto [dx, dy] : {std::pair{-1, 0}, {1, 0}, {0, -1}, {0, 1}}) {
                const int gx = x + dx, gy = y + dy;
                if (gx >= 0 && gx < heliomark::DayViewWidth && gy >= 0 && gy < Horizon) {
                    heliomark::SetPixel(out, gx, top + gy, glow);
                }
            }
        }
    }
}

PixelBuffer MakeLandscape() {
    PixelBuffer out = heliomark::CreatePixelBuffer(heliomark::DayViewWidth, 2 * heliomark::DayViewHeight);
    DrawLandscape(out, 0, DayColours);
    DrawLandscape(out, heliomark::DayViewHeight, NightColours);
    DrawStars(out, heliomark::DayViewHeight);
    return out;
}

// ------------------------------------------------------------------ axes

// 5 x 7 digits, "h" and a 3 x 3 degree sign.
struct Glyph {
    int Width;
    std::array<std::string_view, 7> Rows;
};

const Glyph* GlyphFor(char c) {
    static const Glyph digits[10] = {
        {5, {".###.", "#...#", "#..##", "#.#.#", "##..#", "#...#", ".###."}},
        {5, {"..#..", ".##..", "..#..", "..#..", "..#..", "..#..", ".###."}},
        {5, {".###.", "#...#", "....#", "...#.", "..#..", ".#...", "#####"}},
        {5, {"#####", "...#.", "..#..", "...#.", "....#", "#...#", ".###."}},
        {5, {"...#.", "..##.", ".#.#.", "#..#.", "#####", "...#.", "...#."}},
        {5, {"#####", "#....", "####.", "....#", "....#", "#...#", ".###."}},
        {5, {"..##.", ".#...", "#....", "####.", "#...#", "#...#", ".###."}},
        {5, {"#####", "....#", "...#.", "..#..", ".#...", ".#...", ".#..."}},
        {5, {".###.", "#...#", "#...#", ".###.", "#...#", "#...#", ".###."}},
        {5, {".###.", "#...#", "#...#", ".####", "....#", "...#.", ".##.."}},
    };
    static const Glyph hour{5, {"#....", "#....", "#.##.", "##..#", "#...#", "#...#", "#...#"}};
    static const Glyph degree{3, {".#.", "#.#", ".#.", "...", "...", "...", "..."}};
    if (c >= '0' && c <= '9') return &digits[c - '0'];
    if (c == 'h') return &hour;
    if (c == 'd') return &degree;
    return nullptr;
}

int TextWidth(std::string_view text) {
    int w = 0;
    for (char c : text)
        w += GlyphFor(c)->Width + 1;
    return w - 1;
}

constexpr Rgb Face{240, 240, 240};
constexpr Rgb Ink{0, 0, 0};

void DrawText(PixelBuffer& out, int left, int top, std::string_view text) {
    for (char c : text) {
        const Glyph* g = GlyphFor(c);
        for (int j = 0; j < 7; ++j) {
            for (int i = 0; i < g->Width; ++i) {
                if (g->Rows[j][i] == '#') heliomark::SetPixel(out, left + i, top + j, Ink);
            }
        }
        left += g->Width + 1;
    }
}

// Under the plot: hour h at column h / 24 * 343, where the pointer stands at that clock time.
PixelBuffer MakeHourAxis() {
    PixelBuffer out = heliomark::SolidPixelBuffer(heliomark::DayViewWidth, 15, Face);
    for (int h = 0; h <= 24; ++h) {
        const int x = heliomark::PointerColumn(h, 0, 0);
        const int length = h % 2 == 0 ? 4 : 2;
        for (int y = 0; y < length; ++y)
            heliomark::SetPixel(out, x, y, Ink);
        if (h % 2 != 0) continue;
        const std::string label = std::to_string(h) + "h";
        const int w = TextWidth(label);
        DrawText(out, std::clamp(x - w / 2, 0, heliomark::DayViewWidth - w), 6, label);
    }
    return out;
}

// Left of the plot: altitude a at the curve's row (1 - a / 90) * 223, ticks on the right edge.
PixelBuffer MakeAltitudeAxis() {
    const int width = 22;
    PixelBuffer out = heliomark::SolidPixelBuffer(width, heliomark::DayViewHeight, Face);
    for (int a = 0; a <= 90; a += 5) {
        const int y = static_cast<int>(std::lround((1 - a / 90.0) * 223));
        const int length = a % 10 == 0 ? 4 : 2;
        for (int x = width - length; x < width; ++x)
            heliomark::SetPixel(out, x, y, Ink);
        if (a % 10 != 0) continue;
        const std::string label = std::to_string(a) + "d";
        DrawText(out, width - 5 - TextWidth(label), std::clamp(y - 3, 0, heliomark::DayViewHeight - 7),
                 label);
    }
    return out;
}

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const std::filesystem::path folder = argc > 1 ? argv[1] : "resources";
    const char* earthFile = argc > 3 ? argv[2] : "/usr/share/xplanet/images/earth.jpg";
    const char* nightFile = argc > 3 ? argv[3] : "/usr/share/xplanet/images/night.jpg";
    if (argc != 1 && argc != 2 && argc != 4) {
        std::fprintf(stderr, "usage: %s [OUTPUT_FOLDER [EARTH_JPG NIGHT_JPG]]\n", argv[0]);
        return 2;
    }
    Picture earth, lights;
    if (!LoadPicture(earthFile, earth) || !LoadPicture(nightFile, lights)) return 1;
    const bool ok = WriteBmp(folder / "world.bmp", MakeWorld(earth, lights)) &&
                    WriteBmp(folder / "graf.bmp", MakeLandscape()) &&
                    WriteBmp(folder / "graf_hours.bmp", MakeHourAxis()) &&
                    WriteBmp(folder / "graf_altitudes.bmp", MakeAltitudeAxis());
    return ok ? 0 : 1;
}
