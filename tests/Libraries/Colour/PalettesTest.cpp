#include <gtest/gtest.h>

#include <cstdint>
#include <set>
#include <string>
#include <thread>
#include <vector>

#include "Libraries/Colour/FixedColours.h"
#include "Libraries/Colour/HexText.h"
#include "Libraries/Colour/Palettes.h"

using namespace colour;

namespace {

struct Entry {
    std::string name;
    const cg::Color& (*accessor)();
    std::uint32_t hex;
};

#define VORTA_PALETTE_COLOUR(name, hex) {#name, &name, hex},
#define VORTA_MATERIAL_ALIAS(name, shade500) {#name, &name, 0},

std::vector<Entry> socialEntries() {
    using namespace Social;
    return {
#include "Libraries/Colour/SocialColours.def"
    };
}
std::vector<Entry> flatEntries() {
    using namespace FlatUI;
    return {
#include "Libraries/Colour/FlatUIColours.def"
    };
}
std::vector<Entry> materialEntries() {
    using namespace Material;
    return {
#include "Libraries/Colour/MaterialColours.def"
    };
}
std::vector<Entry> cssEntries() {
    using namespace CSS;
    return {
#include "Libraries/Colour/CSSColours.def"
    };
}

#undef VORTA_MATERIAL_ALIAS
#undef VORTA_PALETTE_COLOUR

cg::Color bytes(int r, int g, int b) {
    return {r / 255.0, g / 255.0, b / 255.0, 1};
}

// Every stored colour is its table value over 255, opaque; two reads give the same object.
void expectStoredColours(const std::vector<Entry>& entries) {
    for (const Entry& e : entries) {
        if (e.hex == 0 && e.name != "black") continue;  // aliases
        const cg::Color& c = e.accessor();
        EXPECT_EQ(c, bytes((e.hex >> 16) & 0xFF, (e.hex >> 8) & 0xFF, e.hex & 0xFF)) << e.name;
        EXPECT_EQ(&c, &e.accessor()) << e.name;
    }
}

}  // namespace

TEST(ColourPalettes, SocialAndFlatUICountsAndEnds) {
    const auto social = socialEntries();
    ASSERT_EQ(social.size(), 27u);
    EXPECT_EQ(social.front().name, "social01");
    EXPECT_EQ(Social::social01(), (cg::Color{59 / 255.0, 89 / 255.0, 152 / 255.0, 1}));
    EXPECT_EQ(Social::social01().red, 0.23137254901960785);
    EXPECT_EQ(social.back().name, "social27");
    EXPECT_EQ(hexString(Social::social27()), "#25D366");
    // The twins have one value and two separate constants.
    EXPECT_EQ(Social::social10(), Social::social11());
    EXPECT_EQ(hexString(Social::social10()), "#430297");
    EXPECT_NE(&Social::social10(), &Social::social11());
    expectStoredColours(social);

    const auto flat = flatEntries();
    ASSERT_EQ(flat.size(), 20u);
    EXPECT_EQ(flat.front().name, "flat01");
    EXPECT_EQ(hexString(FlatUI::flat01()), "#1ABC9C");
    EXPECT_EQ(flat.back().name, "flat20");
    EXPECT_EQ(hexString(FlatUI::flat20()), "#95A5A6");
    expectStoredColours(flat);
}

TEST(ColourPalettes, MaterialHasItsShadesAndAliasesAreTheirShade500) {
    const auto material = materialEntries();
    ASSERT_EQ(material.size(), 275u);
    int aliases = 0;
    for (const Entry& e : material) aliases += e.hex == 0 && e.name != "black";
    EXPECT_EQ(aliases, 19);
    EXPECT_EQ(material[0].name, "red");
    EXPECT_EQ(material[1].name, "red50");
    EXPECT_EQ(hexString(Material::red50()), "#FFEBEE");
    EXPECT_EQ(material[material.size() - 3].name, "blueGrey900");
    EXPECT_EQ(hexString(Material::blueGrey900()), "#263238");
    EXPECT_EQ(material.back().name, "white");
    EXPECT_EQ(Material::black(), bytes(0, 0, 0));
    EXPECT_EQ(Material::white(), bytes(255, 255, 255));
    EXPECT_EQ(Material::grey900(), bytes(33, 33, 33));
    EXPECT_EQ(hexString(Material::redA700()), "#D50000");
    EXPECT_EQ(hexString(Material::deepOrangeA400()), "#FF3D00");
    expectStoredColours(material);

    // An alias is the very object of its shade 500, whichever is read first.
    EXPECT_EQ(&Material::red(), &Material::red500());
    EXPECT_EQ(hexString(Material::red()), "#F44336");
    EXPECT_EQ(&Material::blueGrey500(), &Material::blueGrey());
    for (std::size_t i = 0; i < material.size(); ++i) {
        if (material[i].hex != 0 || material[i].name == "black") continue;
        const Entry& shade500 = material[i + 6];
        EXPECT_EQ(shade500.name, material[i].name + "500");
        EXPECT_EQ(&material[i].accessor(), &shade500.accessor()) << material[i].name;
    }
    // Material's black and white are not the CSS ones.
    EXPECT_NE(&Material::black(), &CSS::black());
}

TEST(ColourPalettes, CssKeywordsInOrderWithSeparateTwins) {
    const auto css = cssEntries();
    ASSERT_EQ(css.size(), 148u);
    EXPECT_EQ(css.front().name, "aliceblue");
    EXPECT_EQ(hexString(CSS::aliceblue()), "#F0F8FF");
    EXPECT_EQ(css.back().name, "yellowgreen");
    EXPECT_EQ(hexString(CSS::yellowgreen()), "#9ACD32");
    EXPECT_EQ(hexString(CSS::rebeccapurple()), "#663399");
    EXPECT_EQ(hexString(CSS::cornflowerblue()), "#6495ED");
    EXPECT_EQ(hexString(CSS::darkslategray()), "#2F4F4F");
    EXPECT_EQ(CSS::darkslategray(), CSS::darkslategrey());
    EXPECT_NE(&CSS::darkslategray(), &CSS::darkslategrey());
    EXPECT_EQ(CSS::aqua(), CSS::cyan());
    EXPECT_NE(&CSS::aqua(), &CSS::cyan());
    EXPECT_EQ(CSS::fuchsia(), CSS::magenta());
    std::set<std::string> names;
    for (const Entry& e : css) names.insert(e.name);
    EXPECT_EQ(names.size(), 148u);
    EXPECT_FALSE(names.contains("transparent"));
    // The grey spelling follows its gray twin.
    for (std::size_t i = 0; i + 1 < css.size(); ++i) {
        const auto at = css[i].name.find("gray");
        if (at == std::string::npos) continue;
        std::string twin = css[i].name;
        twin.replace(at, 4, "grey");
        EXPECT_EQ(css[i + 1].name, twin);
    }
    expectStoredColours(css);
}

TEST(ColourPalettes, ConcurrentFirstReadsShareOneColour) {
    std::vector<const cg::Color*> seen(8);
    std::vector<std::thread> threads;
    for (std::size_t i = 0; i < seen.size(); ++i)
        threads.emplace_back([&seen, i] { seen[i] = &Material::tealA400(); });
    for (auto& t : threads) t.join();
    for (const cg::Color* c : seen) EXPECT_EQ(c, seen.front());
    EXPECT_EQ(hexString(*seen.front()), "#1DE9B6");
}

TEST(ColourFixed, FixedColoursAndGreys) {
    EXPECT_EQ(hexString(fixed01()), "#2F70E1");
    EXPECT_EQ(fixed01(), fixed01());
    EXPECT_EQ(fixed14(), bytes(34, 34, 34));
    EXPECT_EQ(hexString(fixed95()), "#ECD6C5");
    EXPECT_EQ(hexString(fixed50()), "#BE2625");
    EXPECT_EQ(grey25(), (cg::Color{0.25, 0.25, 0.25, 1}));  // 0.25, not 64/255
    EXPECT_EQ(grey50(), (cg::Color{0.5, 0.5, 0.5, 1}));
    EXPECT_EQ(grey75(), (cg::Color{0.75, 0.75, 0.75, 1}));

    std::vector<cg::Color> all = {
#define VORTA_FIXED_COLOUR(name, hex) name(),
#include "Libraries/Colour/FixedColours.def"
#undef VORTA_FIXED_COLOUR
    };
    ASSERT_EQ(all.size(), 95u);
    for (const cg::Color& c : all) EXPECT_EQ(c.alpha, 1);
}
