// fillField against a plain transcription of the diamond-square rules: every
// square visits its four points in order, means are summed as written. The
// production fill takes shortcuts for speed; on any preset, size and
// parameters both must give the same bits and the same number of draws.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <vector>

#include "generator/random_field.h"
#include "generator_test_support.h"

namespace pelorn::test {
namespace {

struct Grid {
    int w;
    int h;
    std::vector<float> v;
    float& at(int x, int y) { return v[static_cast<std::size_t>(x) * h + y]; }
};

float quotient(std::int32_t r) { return static_cast<float>(r / 32767.0); }

float offsetOf(ReferenceLcg& lcg, float a) {
    if (a == 0.0f) return 0.0f;
    const double q = quotient(lcg.next());
    return static_cast<float>(2.0 * a * q - a);
}

float clampOf(double v) {
    if (std::isnan(v)) return 0.0f;
    return static_cast<float>(v < 0.0 ? 0.0 : (v > 10.0 ? 10.0 : v));
}

double meanOf(Grid& g, int x, int y, int d) {
    const int xs[4] = {x, x, x - d, x + d};
    const int ys[4] = {y - d, y + d, y, y};
    double sum = 0.0;
    int n = 0;
    for (int i = 0; i < 4; ++i) {
        int cx = xs[i];
        int cy = ys[i];
        if (cx < 0) cx += g.w - 1;
        if (cx >= g.w) cx -= g.w - 1;
        if (cy < 0) cy += g.h - 1;
        if (cy >= g.h) cy -= g.h - 1;
        if (cx < 0 || cy < 0 || cx >= g.w || cy >= g.h) continue;
        if (g.at(cx, cy) == 11.0f) continue;
        sum += g.at(cx, cy);
        ++n;
    }
    return n ? sum / n : 5.0;
}

void referenceFill(Grid& g, ReferenceLcg& lcg, int length, bool seedSeas, float roughness, bool horizontal,
                   bool vertical) {
    const int w = g.w;
    const int h = g.h;
    double c = static_cast<double>(quotient(lcg.next())) * 10.0 * 2.0 - 10.0;
    c = c < 0.0 ? 0.0 : (c > 10.0 ? 10.0 : c);
    g.at(0, 0) = g.at(0, h - 1) = g.at(w - 1, 0) = g.at(w - 1, h - 1) = static_cast<float>(c);
    if (seedSeas && horizontal) {
        for (int y = 0; y < h; ++y) {
            g.at(0, y) = static_cast<float>(lcg.next() / 32767.0 * 0.48);
            g.at(w - 1, y) = static_cast<float>(lcg.next() / 32767.0 * 0.48);
        }
    }
    if (seedSeas && vertical) {
        for (int x = 0; x < w; ++x) {
            g.at(x, 0) = static_cast<float>(lcg.next() / 32767.0 * 0.48);
            g.at(x, h - 1) = static_cast<float>(lcg.next() / 32767.0 * 0.48);
        }
    }
    int L = w - 1;
    int e = 129;
    double f = 1.0;
    do {
        const int half = L / 2;
        for (int x0 = 0; x0 < w - 1; x0 += L) {
            for (int y0 = 0; y0 < h - 1; y0 += L) {
                if (x0 + half >= w || y0 + half >= h) continue;
                if (g.at(x0 + half, y0 + half) != 11.0f) continue;
                const auto corner = [&](int x, int y) { return (x < w && y < h) ? g.at(x, y) : 11.0f; };
                const double sum = static_cast<double>(corner(x0, y0 + L)) + corner(x0, y0) + corner(x0 + L, y0) +
                                   corner(x0 + L, y0 + L);
                const float mean = static_cast<float>(sum * 0.25);
                const float off = offsetOf(lcg, static_cast<float>(f * 10.0));
                g.at(x0 + half, y0 + half) = clampOf(static_cast<double>(mean) + off);
            }
        }
        e = static_cast<int>(std::ceil(e * 0.5));
        const int l = e - 1;
        const double gg = length < e ? 1.0 : f / (static_cast<double>(roughness) + 1.0);
        const float a = static_cast<float>(gg * 10.0);
        for (int x0 = 0; x0 < w - 1; x0 += l) {
            for (int y0 = 0; y0 < h - 1; y0 += l) {
                const int px[4] = {x0, x0, x0 + l, x0 + l};
                const int py[4] = {y0, y0 + l, y0, y0 + l};
                for (int k = 0; k < 4; ++k) {
                    const int x = px[k];
                    const int y = py[k];
                    if (g.at(x, y) != 11.0f) continue;
                    const float mean = static_cast<float>(meanOf(g, x, y, l));
                    const float off = offsetOf(lcg, a);
                    const float v = clampOf(static_cast<double>(mean) + off);
                    g.at(x, y) = v;
                    if (x == 0 && g.at(w - 1, y) == 11.0f) g.at(w - 1, y) = v;
                    if (x == w - 1 && g.at(0, y) == 11.0f) g.at(0, y) = v;
                    if (y == 0 && g.at(x, h - 1) == 11.0f) g.at(x, h - 1) = v;
                    if (y == h - 1 && g.at(x, 0) == 11.0f) g.at(x, 0) = v;
                }
            }
        }
        f = gg;
        L = l;
    } while (e > 2);
}

struct Case {
    int w;
    int h;
    int length;
    float roughness;
    bool seedSeas;
    bool horizontal;
    bool vertical;
    int preset;  // 0 all unset, 1 scattered fixed cells, 2 fixed bands, 3 mostly fixed
};

using ReferenceFillTest = GeneratorTest;

TEST_F(ReferenceFillTest, SameBitsAndDrawsAsAPlainTranscription) {
    const Case cases[] = {
        {129, 129, 17, 1.2f, false, false, false, 0}, {129, 129, 65, 0.5f, true, true, false, 1},
        {257, 129, 5, 1.2f, false, false, false, 2},  {129, 257, 33, 3.0f, true, false, true, 1},
        {385, 257, 17, 1.2f, true, true, true, 3},    {385, 129, 2, -1.0f, false, false, false, 0},
        {129, 385, 100, 0.1f, false, false, false, 2}, {513, 257, 9, -3.0f, true, true, false, 1},
        {257, 641, 17, 3.4e38f, false, false, false, 0},
    };
    std::uint32_t seed = 1;
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.w << "x" << c.h << " length " << c.length << " preset " << c.preset);
        parameters.roughnessFactor = c.roughness;
        parameters.seedHorizontalSea = c.horizontal ? 1 : 0;
        parameters.seedVerticalSea = c.vertical ? 1 : 0;
        Grid g{c.w, c.h, std::vector<float>(static_cast<std::size_t>(c.w) * c.h, 11.0f)};
        ReferenceLcg presetLcg(seed * 7919u);
        for (int x = 0; x < c.w; ++x) {
            for (int y = 0; y < c.h; ++y) {
                const int r = presetLcg.next();
                float v = 11.0f;
                if (c.preset == 1 && r % 10 == 0) v = static_cast<float>(r % 1001) / 100.0f;
                if (c.preset == 2 && (y < c.h / 5 || y > c.h - c.h / 4)) v = (x % 3 == 0) ? 10.0f : 0.0f;
                if (c.preset == 3 && r % 10 != 0) v = 5.0f;
                g.at(x, y) = v;
            }
        }
        FloatField field;
        ASSERT_TRUE(field.allocate(c.w, c.h));
        for (int x = 0; x < c.w; ++x)
            for (int y = 0; y < c.h; ++y) field[x][y] = g.at(x, y);

        ReferenceLcg lcg(seed);
        referenceFill(g, lcg, c.length, c.seedSeas, c.roughness, c.horizontal, c.vertical);
        random.seed(seed);
        fillField(field, c.w, c.h, c.length, c.seedSeas, parameters, random);
        EXPECT_EQ(random.state(), lcg.state);
        int mismatches = 0;
        for (int x = 0; x < c.w; ++x) {
            for (int y = 0; y < c.h; ++y) {
                const float a = field[x][y];
                const float b = g.at(x, y);
                if (std::memcmp(&a, &b, sizeof a) != 0 && ++mismatches <= 5)
                    ADD_FAILURE() << "(" << x << "," << y << "): " << a << " vs " << b;
            }
        }
        EXPECT_EQ(mismatches, 0);
        ++seed;
    }
}

}  // namespace
}  // namespace pelorn::test
