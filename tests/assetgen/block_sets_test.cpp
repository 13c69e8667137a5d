// Content checks of the block sets: the generator's blocks stage is run once
// into a scratch folder and every file is read back with the game engine's
// own readers. The expectations come from the game's rules (catalogue order,
// key-frame skipping, legs sets, closing piece, ride collision spheres), not
// from the generator's code; the ride's facts come from the block-set style
// table, which is held to the game's own table here.
#include "blocksets/block_sets.h"
#include "blocksets/block_set_style.h"

#include "engine/collision.h"
#include "engine/image.h"
#include "engine/model_file.h"
#include "engine/texture_dictionary.h"
#include "ini_section.h"
#include "platform/profile.h"
#include "track/block_set_facts.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <glm/gtc/matrix_transform.hpp>
#include <glm/gtc/quaternion.hpp>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdlib>
#include <fstream>
#include <map>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;
namespace engine = zr::engine;

using PathFrame = glm::mat4;  // columns: right, up, forward, position (the ride's layout)
using Path = std::vector<PathFrame>;

glm::vec3 positionOf(const PathFrame& f) {
    return glm::vec3(f[3]);
}
glm::vec3 forwardOf(const PathFrame& f) {
    return glm::vec3(f[2]);
}
glm::vec3 upOf(const PathFrame& f) {
    return glm::vec3(f[1]);
}

// The block sets as the generator describes them: their names, whether
// they have the steep slopes, and the ride's facts (start index, collision
// spheres, car spacing), which a test below holds to the game's own table.
using SetRules = assetgen::blocksets::BlockSetStyle;
using assetgen::blocksets::kCollisionSphereRadius;

const std::vector<SetRules>& kSets = assetgen::blocksets::blockSetStyles();

constexpr double kGrid = 22.5;

// --- reading the data back ---

std::string readText(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

// [section] key=value pairs of an INI file.
std::map<std::string, std::map<std::string, std::string>> readIni(const fs::path& file) {
    std::map<std::string, std::map<std::string, std::string>> ini;
    std::istringstream in(readText(file));
    std::string line;
    std::string section;
    while (std::getline(in, line)) {
        if (line.size() > 2 && line.front() == '[') {
            section = line.substr(1, line.find(']') - 1);
        } else if (const size_t eq = line.find('='); eq != std::string::npos) {
            ini[section][line.substr(0, eq)] = line.substr(eq + 1);
        }
    }
    return ini;
}

std::vector<std::string> listed(const fs::path& catalogue, const std::string& section) {
    auto ini = readIni(catalogue);
    std::vector<std::string> values;
    const int total = std::stoi(ini[section]["total"]);
    for (int i = 1; i <= total; ++i) {
        values.push_back(ini[section][std::to_string(i)]);
    }
    return values;
}

// The path frames the game builds from a piece's key frames: a first key at
// time 0 is skipped, and so is any of the first five at the duration.
Path pathFromAnimation(const engine::PathAnimation& animation) {
    Path path;
    for (size_t k = 0; k < animation.keys.size(); ++k) {
        const engine::KeyFrame& key = animation.keys[k];
        if ((k == 0 && key.time == 0.0f) || (k < 5 && key.time == animation.duration())) {
            continue;
        }
        PathFrame frame = glm::mat4_cast(glm::normalize(key.rotation));
        frame[3] = glm::vec4(key.translation, 1.0f);
        path.push_back(frame);
    }
    return path;
}

struct Piece {
    std::string value;
    std::unique_ptr<engine::Clump> model;
    engine::PathAnimation animation;
    Path path;
};

bool hasDigit(const std::string& text) {
    return text.find_first_of("0123456789") != std::string::npos;
}

std::string fileName(const std::string& value) {
    return value.substr(value.find_last_of('/') + 1);
}

std::vector<const engine::Atomic*> partsNamed(const engine::Clump& model, const std::string& prefix) {
    std::vector<const engine::Atomic*> parts;
    for (const auto& atomic : model.atomics()) {
        if (atomic->name().rfind(prefix, 0) == 0) {
            parts.push_back(atomic.get());
        }
    }
    return parts;
}

int legsCount(const engine::Clump& model) {
    return static_cast<int>(partsNamed(model, "legs").size());
}

// --- angles, as the ride measures them ---

double degrees(double radians) {
    return radians * 180.0 / 3.14159265358979323846;
}

double pitchOf(const glm::vec3& forward) {
    return degrees(std::asin(std::clamp(forward.y, -1.0f, 1.0f)));
}
double headingOf(const glm::vec3& forward) {
    return degrees(std::atan2(forward.x, forward.z));
}

// Roll about the forward axis; positive leans up towards +X at heading 0.
double rollOf(const PathFrame& f) {
    const glm::vec3 forward = forwardOf(f);
    const glm::vec3 level = glm::normalize(glm::cross(glm::vec3(0.0f, 1.0f, 0.0f), forward));
    const glm::vec3 levelUp = glm::cross(forward, level);
    return degrees(std::atan2(glm::dot(upOf(f), level), glm::dot(upOf(f), levelUp)));
}

double offGrid(double angle) {
    const double r = std::fmod(std::abs(angle), kGrid);
    return std::min(r, kGrid - r);
}

double angleBetween(const glm::vec3& a, const glm::vec3& b) {
    return degrees(std::acos(std::clamp(glm::dot(glm::normalize(a), glm::normalize(b)), -1.0f, 1.0f)));
}

// The game's heading of a direction (Place block): acos against +Z, the sign
// taken by turning back and comparing, snapped to the grid within 7.5.
double placementHeading(glm::vec3 d) {
    d.y = 0.0f;
    d = glm::normalize(d);
    double a = degrees(std::acos(std::clamp(d.z, -1.0f, 1.0f)));
    const glm::vec3 back =
        glm::mat3(glm::rotate(glm::mat4(1.0f), static_cast<float>(glm::radians(-a)), glm::vec3(0.0f, 1.0f, 0.0f))) * d;
    if (angleBetween(back, {0.0f, 0.0f, 1.0f}) >= 7.5) {
        a = -a;
    }
    const double snapped = std::round(a / kGrid) * kGrid;
    return std::abs(snapped - a) <= 7.5 ? snapped : a;
}

Path turned(const Path& path, double headingDegrees, const glm::vec3& offset) {
    const glm::mat4 turn =
        glm::rotate(glm::mat4(1.0f), static_cast<float>(glm::radians(headingDegrees)), glm::vec3(0.0f, 1.0f, 0.0f));
    Path out;
    for (const PathFrame& f : path) {
        PathFrame t = turn * f;
        t[3] += glm::vec4(offset, 0.0f);
        out.push_back(t);
    }
    return out;
}

// --- what a piece's name promises about its ends ---

struct Ends {
    double pitchIn = 0.0;
    double pitchOut = 0.0;
    double turn = 0.0;
    int bankIn = 0;  // +1 left, -1 right
    int bankOut = 0;
};

int bankCode(char c) {
    return c == 'L' ? 1 : c == 'R' ? -1 : 0;
}

Ends endsFromName(const std::string& value) {
    Ends ends;
    const std::string file = fileName(value);
    const size_t dash = file.find_last_of('-');
    const char last = dash == std::string::npos ? 'd' : file[dash + 1];
    const auto magnitude = [](char c) { return (c - 'a') * kGrid; };
    if (const size_t hill = file.find("hill"); hill != std::string::npos && file.find("hilltop") == std::string::npos) {
        const double sign = file[hill + 4] == 'U' ? 1.0 : -1.0;
        ends.pitchIn = sign * magnitude(file[hill + 5]);
        ends.pitchOut = sign * magnitude(last);
    } else if (file.find("hilltop") != std::string::npos) {
        ends.pitchIn = magnitude(last);
        ends.pitchOut = -ends.pitchIn;
    } else if (file.find("drop") != std::string::npos) {
        ends.pitchIn = ends.pitchOut = -magnitude(last);
    } else if (file.find("straight") != std::string::npos) {
        ends.pitchOut = (last - 'd') * kGrid;
    }
    if (file.find("leftcurve") != std::string::npos) {
        ends.turn = 45.0;
    } else if (file.find("rightcurve") != std::string::npos) {
        ends.turn = -45.0;
    }
    if (file[0] == 'B') {
        ends.bankIn = bankCode(file[1]);
        ends.bankOut = bankCode(file[3]);
    }
    return ends;
}

// --- the shared fixture: one generated data folder for every test ---

class BlockSetsTest : public testing::Test {
protected:
    static void SetUpTestSuite() {
        // No digits in the folder: the game cuts the display's path at its first digit.
        std::string tag = std::to_string(getpid());
        for (char& c : tag) {
            c = static_cast<char>('a' + (c - '0'));
        }
        root_ = new fs::path(fs::temp_directory_path() / ("blocksets-" + tag));
        fs::remove_all(*root_);
        assetgen::AssetLog log;
        generated_ = assetgen::writeBlockSets(*root_, log);
        error_ = new std::string(log.error);
        loaded_ = new std::map<std::string, std::vector<Piece>>();
    }

    static void TearDownTestSuite() {
        std::error_code ignored;
        fs::remove_all(*root_, ignored);
        delete root_;
        delete error_;
        delete loaded_;
    }

    void SetUp() override { ASSERT_TRUE(generated_) << *error_; }

    static fs::path setFolder(const SetRules& set) { return *root_ / "blocksets" / set.name; }
    static fs::path catalogue(const SetRules& set) { return setFolder(set) / "blocks.ini"; }

    static std::vector<std::string> allValues(const SetRules& set) {
        std::vector<std::string> values = listed(catalogue(set), "Blocks");
        for (const std::string& value : listed(catalogue(set), "Features")) {
            values.push_back(value);
        }
        return values;
    }

    static Piece load(const SetRules& set, const std::string& value) {
        Piece piece;
        piece.value = value;
        const fs::path base = setFolder(set) / value;
        piece.model = engine::readModelFile(base.string() + ".dff");
        if (engine::readAnimationFile(base.string() + ".anm", &piece.animation)) {
            piece.path = pathFromAnimation(piece.animation);
        }
        return piece;
    }

    // Every piece of a set, read once for the whole suite.
    static const std::vector<Piece>& loadAll(const SetRules& set) {
        std::vector<Piece>& pieces = (*loaded_)[set.name];
        if (pieces.empty()) {
            for (const std::string& value : allValues(set)) {
                pieces.push_back(load(set, value));
            }
        }
        return pieces;
    }

    static inline std::map<std::string, std::vector<Piece>>* loaded_ = nullptr;
    static inline fs::path* root_ = nullptr;
    static inline std::string* error_ = nullptr;
    static inline bool generated_ = false;
};

// The catalogue's contract order, with the steep pieces where a set has them.
std::vector<std::string> expectedBlocks(bool steep) {
    std::vector<std::string> blocks = {"station1"};
    for (const char c : std::string(steep ? "gfedcba" : "fedcb")) {
        blocks.push_back(std::string("straight/straight-") + c);
    }
    for (const char c : std::string("fed")) {
        blocks.push_back(std::string("straight/liftstraight-") + c);
    }
    for (const std::string prefix : {"straight/hillU", "straight/hillD"}) {
        for (const char entry : std::string(steep ? "bcd" : "bc")) {
            for (char exit = entry; exit >= 'a'; --exit) {
                blocks.push_back(prefix + entry + "-" + exit);
            }
        }
    }
    for (const std::string family : {"straight/lifthillUb-b", "straight/lifthillUb-a", "straight/lifthillUc-c",
                                     "straight/lifthillUc-b", "straight/lifthillUc-a"}) {
        blocks.push_back(family);
    }
    for (const std::string bank : {"BLBN", "BLBL", "BRBN", "BRBR", "BNBL", "BNBR", "BLBR", "BRBL"}) {
        blocks.push_back("straight/" + bank + "straight-d");
    }
    for (const std::string curve :
         {"left/leftcurve-d", "left/liftleftcurve-d", "left/BNBLleftcurve-d", "left/BLBLleftcurve-d",
          "left/BLBNleftcurve-d", "right/rightcurve-d", "right/liftrightcurve-d", "right/BNBRrightcurve-d",
          "right/BRBRrightcurve-d", "right/BRBNrightcurve-d"}) {
        blocks.push_back(curve);
    }
    blocks.push_back("final1");
    return blocks;
}

TEST_F(BlockSetsTest, CatalogueListsThePiecesInContractOrder) {
    for (const SetRules& set : kSets) {
        SCOPED_TRACE(set.name);
        EXPECT_EQ(listed(catalogue(set), "Blocks"), expectedBlocks(set.steep));
        const std::vector<std::string> features = listed(catalogue(set), "Features");
        ASSERT_GE(features.size(), 6u);
        ASSERT_LE(features.size(), 8u);
        const std::vector<std::string> lead(features.begin(), features.begin() + 4);
        EXPECT_EQ(lead, (std::vector<std::string>{"features/lifthilltop-c", "features/lifthilltop-b", "features/drop-c",
                                                  "features/drop-b"}));
        for (size_t i = 4; i < features.size(); ++i) {
            const std::string& value = features[i];
            EXPECT_NE(value.find('-'), std::string::npos) << value;
            for (const char* word : {"left", "right", "straight", "lift", "hill"}) {
                EXPECT_EQ(value.find(word), std::string::npos) << value << " holds " << word;
            }
        }
        for (const std::string& value : features) {
            const std::string stem = value.substr(0, value.find_last_of('-'));
            for (const char* picture : {"iconon.png", "texton.png", "iconoff.png", "textoff.png"}) {
                engine::Image image;
                EXPECT_TRUE(engine::readPng((setFolder(set) / (stem + picture)).string(), &image)) << stem << picture;
                EXPECT_LE(image.width, 128);
            }
        }
    }
}

TEST_F(BlockSetsTest, NamesAndPartsKeepToTheNamingContract) {
    const char* kForbidden[] = {"left", "right", "straight", "lift", "station", "final", "hill", "drop", "experience",
                                "BN",   "BL",    "BR",       "legs", "foot",    "car",   "seat", "track"};
    for (const SetRules& set : kSets) {
        SCOPED_TRACE(set.name);
        // The folders the game's own paths and the catalogue do not fix.
        std::vector<std::string> folders = {"blocksets", set.name};
        for (const std::string& value : allValues(set)) {
            const std::string folder = value.substr(0, value.find_last_of('/') + 1);
            if (folder != "straight/" && folder != "left/" && folder != "right/" && !folder.empty()) {
                folders.push_back(folder);
            }
        }
        for (const std::string& folder : folders) {
            EXPECT_FALSE(hasDigit(folder)) << folder;
            for (const char* word : kForbidden) {
                EXPECT_EQ(folder.find(word), std::string::npos) << folder << " holds " << word;
            }
        }
        for (const Piece& piece : loadAll(set)) {
            ASSERT_TRUE(piece.model) << piece.value;
            int tracks = 0;
            for (const auto& atomic : piece.model->atomics()) {
                const std::string& name = atomic->name();
                tracks += name == "track" ? 1 : 0;
                const bool support = (name.rfind("legs", 0) == 0 || name.rfind("foot", 0) == 0) && name.size() == 5 &&
                                     name[4] >= '1' && name[4] <= '9';
                if (name != "track" && !support) {
                    for (const char* word : {"legs", "foot", "car", "track"}) {
                        EXPECT_EQ(name.find(word), std::string::npos) << piece.value << " part " << name;
                    }
                }
            }
            EXPECT_EQ(tracks, 1) << piece.value;
            // Several legs sets: the value leaves out the variant digit; else it carries it.
            const bool several = legsCount(*piece.model) >= 2;
            EXPECT_EQ(hasDigit(piece.value), !several) << piece.value;
            if (!several) {
                EXPECT_NE(piece.value.find('1'), std::string::npos) << piece.value;
            }
        }
    }
}

TEST_F(BlockSetsTest, EveryPathSurvivesTheKeyFrameRuleWithEvenSpacing) {
    for (const SetRules& set : kSets) {
        for (const Piece& piece : loadAll(set)) {
            SCOPED_TRACE(set.name + "/" + piece.value);
            ASSERT_TRUE(piece.model);
            ASSERT_GT(piece.animation.count(), 5u);
            EXPECT_EQ(piece.path.size(), piece.animation.count());
            const bool station = piece.value == "station1";
            const float spacing = station ? 0.5f : 1.0f;
            if (station) {
                EXPECT_GE(piece.path.size(), 48u);
                EXPECT_GT(piece.path.size(), static_cast<size_t>(set.ride.startIndex) + 1);
            }
            for (size_t i = 0; i < piece.path.size(); ++i) {
                const glm::mat3 axes(piece.path[i]);
                EXPECT_NEAR(glm::determinant(axes), 1.0f, 1e-4f);
                if (i > 0) {
                    const float step = glm::length(positionOf(piece.path[i]) - positionOf(piece.path[i - 1]));
                    EXPECT_GT(step, spacing * 0.8f) << "frame " << i;
                    EXPECT_LT(step, spacing * 1.25f) << "frame " << i;
                }
            }
        }
    }
}

TEST_F(BlockSetsTest, PieceEndsLieOnTheGridAndMatchTheirNames) {
    for (const SetRules& set : kSets) {
        double bank = 0.0;
        for (const Piece& piece : loadAll(set)) {
            SCOPED_TRACE(set.name + "/" + piece.value);
            ASSERT_GE(piece.path.size(), 2u);
            const Ends ends = endsFromName(piece.value);
            const PathFrame& first = piece.path.front();
            const PathFrame& last = piece.path.back();
            EXPECT_NEAR(glm::length(positionOf(first) - glm::vec3(0.0f, positionOf(first).y, 0.0f)), 0.0f, 1e-4f);
            EXPECT_NEAR(headingOf(forwardOf(first)), 0.0, 1e-3);
            EXPECT_NEAR(pitchOf(forwardOf(first)), ends.pitchIn, 1e-3);
            EXPECT_NEAR(pitchOf(forwardOf(last)), ends.pitchOut, 1e-3);
            EXPECT_NEAR(headingOf(forwardOf(last)), ends.turn, 1e-3);
            EXPECT_LT(offGrid(pitchOf(forwardOf(last))), 1e-3);
            // The game reads slopes and headings from the last and first steps.
            const glm::vec3 exitStep = positionOf(last) - positionOf(piece.path[piece.path.size() - 2]);
            EXPECT_NEAR(placementHeading(exitStep), ends.turn, 1e-9);
            EXPECT_NEAR(pitchOf(glm::normalize(exitStep)), ends.pitchOut, 3.0);
            const double rollIn = rollOf(first);
            const double rollOut = rollOf(last);
            for (const auto& [roll, code] : {std::pair{rollIn, ends.bankIn}, std::pair{rollOut, ends.bankOut}}) {
                if (code == 0) {
                    EXPECT_NEAR(roll, 0.0, 1e-3);
                } else {
                    EXPECT_GT(roll * code, 29.9);
                    EXPECT_LT(roll * code, 60.1);
                    bank = bank == 0.0 ? std::abs(roll) : bank;
                    EXPECT_NEAR(std::abs(roll), bank, 1e-3) << "one bank angle per set";
                }
            }
        }
    }
}

TEST_F(BlockSetsTest, PiecesThatChainJoinInPositionAndOrientation) {
    for (const SetRules& set : kSets) {
        SCOPED_TRACE(set.name);
        const std::vector<Piece>& pieces = loadAll(set);
        int pairs = 0;
        for (const Piece& a : pieces) {
            for (const Piece& b : pieces) {
                const Ends ea = endsFromName(a.value);
                const Ends eb = endsFromName(b.value);
                if (ea.pitchOut != eb.pitchIn || ea.bankOut != eb.bankIn || b.value == "station1") {
                    continue;
                }
                const Path& pa = a.path;
                const double heading = placementHeading(positionOf(pa.back()) - positionOf(pa[pa.size() - 2]));
                const Path placed = turned(b.path, heading, glm::vec3(0.0f));
                const Path moved = turned(placed, 0.0, positionOf(pa.back()) - positionOf(placed.front()));
                ++pairs;
                EXPECT_LT(glm::length(positionOf(moved.front()) - positionOf(pa.back())), 1e-3f);
                EXPECT_LT(angleBetween(forwardOf(moved.front()), forwardOf(pa.back())), 0.1)
                    << a.value << " -> " << b.value;
                EXPECT_LT(angleBetween(upOf(moved.front()), upOf(pa.back())), 0.1) << a.value << " -> " << b.value;
            }
        }
        EXPECT_GT(pairs, 300);
    }
}

double rise(const Piece& piece) {
    return positionOf(piece.path.back()).y - positionOf(piece.path.front()).y;
}

TEST_F(BlockSetsTest, FallsMirrorRisesSoCircuitsCloseInHeight) {
    for (const SetRules& set : kSets) {
        SCOPED_TRACE(set.name);
        std::map<std::string, double> rises;
        for (const Piece& piece : loadAll(set)) {
            rises[piece.value] = rise(piece);
        }
        const auto r = [&](const std::string& value) {
            EXPECT_TRUE(rises.count(value)) << value;
            return rises[value];
        };
        struct Mirror {
            std::string up;
            std::string down;
            bool steep;
        };
        const std::vector<Mirror> kMirrors = {
            {"straight/straight-e", "straight/hillDb-a", false},
            {"straight/straight-f", "straight/hillDc-a", false},
            {"straight/straight-g", "straight/hillDd-a", true},
            {"straight/hillUb-a", "straight/straight-c", false},
            {"straight/hillUc-a", "straight/straight-b", false},
            {"straight/hillUd-a", "straight/straight-a", true},
            {"straight/hillUb-b", "straight/hillDb-b", false},
            {"straight/hillUc-c", "straight/hillDc-c", false},
            {"straight/hillUc-b", "straight/hillDc-b", false},
            {"straight/hillUd-d", "straight/hillDd-d", true},
            {"straight/hillUd-c", "straight/hillDd-c", true},
            {"straight/hillUd-b", "straight/hillDd-b", true},
            {"straight/lifthillUc-c", "features/drop-c", false},
            {"straight/lifthillUb-b", "features/drop-b", false},
            {"straight/liftstraight-f", "straight/hillDc-a", false},
            {"straight/lifthillUc-a", "straight/straight-b", false},
        };
        for (const Mirror& m : kMirrors) {
            if (!m.steep || set.steep) {
                EXPECT_GT(r(m.up), 1.0) << m.up;
                EXPECT_NEAR(r(m.up), -r(m.down), 1e-3) << m.up << " / " << m.down;
            }
        }
        for (const auto& [value, height] : rises) {
            const Ends ends = endsFromName(value);
            const bool level = ends.pitchIn == 0.0 && ends.pitchOut == 0.0;
            if (level || value.find("hilltop") != std::string::npos) {
                EXPECT_NEAR(height, 0.0, 1e-3) << value;
            }
        }
    }
}

TEST_F(BlockSetsTest, ClosingPieceIsTenMetresOfRingsAtIntegerZ) {
    for (const SetRules& set : kSets) {
        SCOPED_TRACE(set.name);
        const Piece piece = load(set, "final1");
        ASSERT_TRUE(piece.model);
        ASSERT_EQ(piece.path.size(), 11u);
        for (size_t k = 0; k < piece.path.size(); ++k) {
            EXPECT_EQ(positionOf(piece.path[k]).x, 0.0f);
            EXPECT_EQ(positionOf(piece.path[k]).z, static_cast<float>(k));
            EXPECT_EQ(positionOf(piece.path[k]).y, positionOf(piece.path[0]).y);
        }
        EXPECT_TRUE(partsNamed(*piece.model, "legs").empty());
        EXPECT_TRUE(partsNamed(*piece.model, "foot").empty());
        const engine::Atomic* track = piece.model->findPart("track");
        ASSERT_TRUE(track);
        EXPECT_EQ(track->frame->local, glm::mat4(1.0f));
        std::array<int, 11> ring{};
        for (const glm::vec3& v : track->geometry->positions) {
            const float z = std::round(v.z);
            ASSERT_EQ(v.z, z);
            ASSERT_GE(z, 0.0f);
            ASSERT_LE(z, 10.0f);
            ++ring[static_cast<size_t>(z)];
        }
        for (const int count : ring) {
            EXPECT_EQ(count, ring[0]);
            EXPECT_GT(count, 0);
        }
        // A detail level would not be bent with the rail.
        EXPECT_FALSE(fs::exists(setFolder(set) / "low1" / "final1.dff"));
    }
}

std::vector<glm::vec3> feetOf(const engine::Clump& model, int k) {
    std::vector<glm::vec3> feet;
    for (const engine::Atomic* foot : partsNamed(model, "foot" + std::to_string(k))) {
        feet.push_back(foot->frame->position());
    }
    return feet;
}

// Whether every foot of a has one of b within 5 mm, and the counts agree.
bool sameFeet(const std::vector<glm::vec3>& a, const std::vector<glm::vec3>& b) {
    return a.size() == b.size() && std::all_of(a.begin(), a.end(), [&](const glm::vec3& p) {
               return std::any_of(b.begin(), b.end(), [&](const glm::vec3& q) { return glm::length(p - q) < 5e-3f; });
           });
}

TEST_F(BlockSetsTest, LegsSetsStandAtOneListOfHeightsWithVariantsSharingFeet) {
    for (const SetRules& set : kSets) {
        SCOPED_TRACE(set.name);
        std::vector<float> heights;
        std::map<std::string, const Piece*> byValue;
        const std::vector<Piece>& pieces = loadAll(set);
        for (const Piece& piece : pieces) {
            byValue[piece.value] = &piece;
            const int count = legsCount(*piece.model);
            if (count < 2) {
                continue;
            }
            SCOPED_TRACE(piece.value);
            std::vector<float> mine;
            for (int k = 1; k <= count; ++k) {
                const auto legs = partsNamed(*piece.model, "legs" + std::to_string(k));
                ASSERT_EQ(legs.size(), 1u) << "legs" << k;
                EXPECT_GT(legs[0]->geometry->positions.size(), 0u);
                mine.push_back(legs[0]->frame->position().y);
                const auto feet = partsNamed(*piece.model, "foot" + std::to_string(k));
                EXPECT_FALSE(feet.empty()) << "foot" << k;
                for (const engine::Atomic* foot : feet) {
                    EXPECT_NEAR(foot->frame->position().y, 0.0f, 1e-5f);
                }
            }
            EXPECT_EQ(partsNamed(*piece.model, "foot").size(), [&] {
                size_t n = 0;
                for (int k = 1; k <= count; ++k) n += partsNamed(*piece.model, "foot" + std::to_string(k)).size();
                return n;
            }());
            EXPECT_EQ(piece.model->findPart("track")->frame->local, glm::mat4(1.0f));
            EXPECT_NEAR(positionOf(piece.path.front()).y, 0.0f, 1e-5f);
            if (heights.empty()) {
                heights = mine;
            }
            EXPECT_EQ(mine, heights);
        }
        ASSERT_GE(heights.size(), 2u);
        ASSERT_LE(heights.size(), 9u);
        EXPECT_GE(heights.front(), 1.5f);
        EXPECT_GE(heights.back(), 45.0f);
        for (size_t i = 1; i < heights.size(); ++i) {
            EXPECT_GE(heights[i] - heights[i - 1], 13.0f);
            EXPECT_LE(heights[i] - heights[i - 1], 15.5f);
        }
        EXPECT_NEAR(positionOf(byValue["station1"]->path.front()).y, heights.front(), 1e-5f)
            << "a level run off the station finds its feet on legs set 1";
        // Chain and bank variants of a shape stand on the same feet.
        const std::vector<std::vector<std::string>> kShapes = {
            {"straight/straight-f", "straight/liftstraight-f"},
            {"straight/straight-d", "straight/liftstraight-d", "straight/BLBNstraight-d", "straight/BLBLstraight-d",
             "straight/BRBRstraight-d", "straight/BNBRstraight-d", "straight/BLBRstraight-d"},
            {"straight/hillUc-c", "straight/lifthillUc-c"},
            {"straight/hillUb-a", "straight/lifthillUb-a"},
            {"left/leftcurve-d", "left/liftleftcurve-d", "left/BNBLleftcurve-d", "left/BLBLleftcurve-d",
             "left/BLBNleftcurve-d"},
            {"right/rightcurve-d", "right/liftrightcurve-d", "right/BNBRrightcurve-d", "right/BRBRrightcurve-d",
             "right/BRBNrightcurve-d"},
        };
        for (const auto& shape : kShapes) {
            for (size_t k = 1; k <= heights.size(); ++k) {
                const auto reference = feetOf(*byValue[shape[0]]->model, static_cast<int>(k));
                for (const std::string& variant : shape) {
                    EXPECT_TRUE(sameFeet(feetOf(*byValue[variant]->model, static_cast<int>(k)), reference))
                        << variant << " legs set " << k;
                }
            }
        }
    }
}

// The parts the game keeps for legs set k (0: a piece without legs sets), in
// model space, with the rail raised to that set's height.
struct Standing {
    std::vector<std::pair<const engine::Geometry*, glm::mat4>> parts;
    Path path;
};

Standing standing(const Piece& piece, int k) {
    Standing s;
    float raise = 0.0f;
    if (k > 0) {
        raise = partsNamed(*piece.model, "legs" + std::to_string(k))[0]->frame->position().y;
    }
    for (const auto& atomic : piece.model->atomics()) {
        const std::string& name = atomic->name();
        if (name.rfind("foot", 0) == 0 || (name.rfind("legs", 0) == 0 && name != "legs" + std::to_string(k))) {
            continue;
        }
        glm::mat4 at = atomic->frame->world();
        if (name == "track") {
            at[3].y += raise;
        }
        s.parts.emplace_back(atomic->geometry.get(), at);
    }
    for (PathFrame f : piece.path) {
        f[3].y += raise;
        s.path.push_back(f);
    }
    return s;
}

// The first place along the path where a collision sphere of the ride
// touches the scene, or an empty string.
std::string firstHit(const engine::CollisionScene& scene, const Path& path, const SetRules& set, size_t from = 0,
                     size_t to = SIZE_MAX) {
    constexpr int kSamples = 4;
    for (size_t i = from; i + 1 < std::min(path.size(), to); ++i) {
        for (int j = 0; j < kSamples; ++j) {
            const float t = static_cast<float>(j) / kSamples;
            const glm::quat q =
                glm::slerp(glm::quat_cast(glm::mat3(path[i])), glm::quat_cast(glm::mat3(path[i + 1])), t);
            const glm::mat3 axes = glm::mat3_cast(q);
            const glm::vec3 p = glm::mix(positionOf(path[i]), positionOf(path[i + 1]), t);
            for (size_t n = 0; n < set.ride.spheres.size(); ++n) {
                const glm::vec3 o = set.ride.spheres[n];
                if (scene.sphereObjects(p + axes * o, kCollisionSphereRadius)) {
                    return "sphere " + std::to_string(n + 1) + " at frame " + std::to_string(i) + "+" +
                           std::to_string(t);
                }
            }
        }
    }
    return {};
}

TEST_F(BlockSetsTest, NoPieceTouchesTheRidersAlongItsOwnPath) {
    for (const SetRules& set : kSets) {
        for (const Piece& piece : loadAll(set)) {
            const int sets = legsCount(*piece.model);
            for (int k = sets >= 2 ? 1 : 0; k <= (sets >= 2 ? sets : 0); ++k) {
                const Standing s = standing(piece, k);
                engine::CollisionScene scene;
                for (const auto& [geometry, at] : s.parts) {
                    scene.addObject(*geometry, at);
                }
                EXPECT_EQ(firstHit(scene, s.path, set), "") << set.name << "/" << piece.value << " legs set " << k;
            }
        }
    }
}

// Leaving the station: the station, the first lift piece on legs set 1
// after it and the following car a spacing behind the lead car; the lead
// car's spheres run the whole station and into the lift.
TEST_F(BlockSetsTest, TrainLeavesTheStationWithoutTouchingItOrTheCarBehind) {
    for (const SetRules& set : kSets) {
        SCOPED_TRACE(set.name);
        const Piece station = load(set, "station1");
        const Piece lift = load(set, "straight/liftstraight-f");
        const auto car = engine::readModelFile((*root_ / "models" / "cars" / set.name / "car1.dff").string());
        ASSERT_TRUE(station.model && lift.model && car);
        engine::CollisionScene scene;
        for (const auto& [geometry, at] : standing(station, 0).parts) {
            scene.addObject(*geometry, at);
        }
        const Standing next = standing(lift, 1);
        const glm::vec3 joint = positionOf(station.path.back()) - positionOf(next.path.front());
        for (const auto& [geometry, at] : next.parts) {
            scene.addObject(*geometry, glm::translate(glm::mat4(1.0f), joint) * at);
        }
        Path ride = station.path;
        for (size_t i = 1; i < next.path.size(); ++i) {
            PathFrame f = next.path[i];
            f[3] += glm::vec4(joint, 0.0f);
            ride.push_back(f);
        }
        EXPECT_EQ(firstHit(scene, ride, set), "");
        // The following car on the level station, a spacing behind.
        const PathFrame& lead = station.path[static_cast<size_t>(set.ride.startIndex)];
        const glm::mat4 behind = glm::translate(glm::mat4(1.0f), glm::vec3(0.0f, 0.0f, -set.ride.carSpacing)) * lead;
        engine::CollisionScene cars;
        for (const auto& atomic : car->atomics()) {
            if (atomic->name().rfind("seat", 0) != 0) {
                cars.addObject(*atomic->geometry, behind * atomic->frame->world());
            }
        }
        EXPECT_EQ(firstHit(cars, {lead, lead}, set), "");
    }
}

TEST_F(BlockSetsTest, CarsCarryFourSeatsOnTheirSideOfTheRail) {
    for (const SetRules& set : kSets) {
        SCOPED_TRACE(set.name);
        for (const char* file : {"leadcar1.dff", "car1.dff"}) {
            const auto car = engine::readModelFile((*root_ / "models" / "cars" / set.name / file).string());
            ASSERT_TRUE(car) << file;
            const bool hanging = set.suspended();
            for (int k = 1; k <= 4; ++k) {
                const engine::Atomic* seat = car->findPart("seat" + std::to_string(k));
                ASSERT_TRUE(seat) << file << " seat" << k;
                const float y = seat->frame->position().y;
                EXPECT_TRUE(hanging ? y < -0.5f : y > 0.5f) << file << " seat" << k << " at " << y;
            }
            float low = 1e9f;
            float back = 1e9f;
            float front = -1e9f;
            for (const auto& atomic : car->atomics()) {
                for (const glm::vec3& v : atomic->geometry->positions) {
                    const glm::vec3 p = glm::vec3(atomic->frame->world() * glm::vec4(v, 1.0f));
                    low = std::min(low, p.y);
                    back = std::min(back, p.z);
                    front = std::max(front, p.z);
                }
            }
            EXPECT_LT(hanging ? low : 0.0f, hanging ? -1.5f : 1.0f) << "hangs below the rail";
            if (std::string(file) == "car1.dff") {
                EXPECT_LT(front - back, set.ride.carSpacing) << "cars a spacing apart do not overlap";
            }
        }
    }
}

// --- the riders' view from their seats ---

constexpr float kSightReach = 4.0f;                           // m ahead that a rider sees clear
constexpr std::array<float, 3> kSightDips{0.0f, 3.0f, 6.0f};  // degrees below the car's forward axis
constexpr float kOverSeatBacks = 0.25f;                       // m the eyes stay above every seat back ahead

// A car's body (not its seat markers), placed.
void addCar(engine::CollisionScene& scene, const engine::Clump& car, const glm::mat4& at) {
    for (const auto& atomic : car.atomics()) {
        if (atomic->name().rfind("seat", 0) != 0) {
            scene.addObject(*atomic->geometry, at * atomic->frame->world());
        }
    }
}

// The highest point of the car's upholstery (seats and seat backs) lying
// ahead of the eye along the car's forward axis.
float highestSeatAhead(const engine::Clump& car, const glm::mat4& at, const glm::vec3& eye, const std::string& seat) {
    float highest = -1e9f;
    for (const auto& atomic : car.atomics()) {
        const engine::Geometry& g = *atomic->geometry;
        if (atomic->name().rfind("seat", 0) == 0) {
            continue;
        }
        for (const engine::Mesh& mesh : g.meshes) {
            if (g.materials[mesh.material].textureName != seat) {
                continue;
            }
            for (const uint32_t index : mesh.indices) {
                const glm::vec3 p = glm::vec3(at * atomic->frame->world() * glm::vec4(g.positions[index], 1.0f));
                if (p.z > eye.z) {
                    highest = std::max(highest, p.y);
                }
            }
        }
    }
    return highest;
}

// From every seat a rider sees straight ahead and a few degrees down past
// the seats in front, the car's front and the car ahead, and the eyes sit
// well above every seat back in front of them.
TEST_F(BlockSetsTest, EveryRiderSeesOverTheSeatsAheadToTheTrack) {
    for (const SetRules& set : kSets) {
        SCOPED_TRACE(set.name);
        const fs::path folder = *root_ / "models" / "cars" / set.name;
        const auto lead = engine::readModelFile((folder / "leadcar1.dff").string());
        const auto car = engine::readModelFile((folder / "car1.dff").string());
        ASSERT_TRUE(lead && car);
        const std::string seat = assetgen::blocksets::surfaceTexture(set, assetgen::blocksets::Surface::CarSeat);
        const glm::mat4 ahead = glm::translate(glm::mat4(1.0f), glm::vec3(0.0f, 0.0f, set.ride.carSpacing));
        struct Case {
            const char* label;
            const engine::Clump* rider;
            const engine::Clump* inFront;  // null: nothing ahead of the lead car
        };
        for (const Case& c :
             {Case{"lead car", lead.get(), nullptr}, Case{"car behind the lead car", car.get(), lead.get()},
              Case{"car behind a car", car.get(), car.get()}}) {
            engine::CollisionScene scene;
            addCar(scene, *c.rider, glm::mat4(1.0f));
            if (c.inFront) {
                addCar(scene, *c.inFront, ahead);
            }
            for (int k = 1; k <= 4; ++k) {
                const engine::Atomic* marker = c.rider->findPart("seat" + std::to_string(k));
                ASSERT_TRUE(marker) << c.label << " seat" << k;
                const glm::vec3 eye = marker->frame->position();
                for (const float dip : kSightDips) {
                    const float down = glm::radians(dip);
                    const glm::vec3 sight(0.0f, -std::sin(down), std::cos(down));
                    engine::SegmentHit hit;
                    EXPECT_FALSE(scene.segmentObjects(eye, eye + sight * kSightReach, &hit))
                        << c.label << " seat" << k << " looking " << dip << " degrees down is blocked "
                        << hit.fraction * kSightReach << " m ahead";
                }
                float seats = highestSeatAhead(*c.rider, glm::mat4(1.0f), eye, seat);
                if (c.inFront) {
                    seats = std::max(seats, highestSeatAhead(*c.inFront, ahead, eye, seat));
                }
                EXPECT_GE(eye.y - seats, kOverSeatBacks) << c.label << " seat" << k << ": eye at " << eye.y;
            }
        }
    }
}

// The seats fill the foreground of the seat view: they are upholstered in
// a colour, not in near-black.
TEST_F(BlockSetsTest, SeatsAreUpholsteredInAClearColour) {
    constexpr double kLeastBrightest = 110.0;  // mean of each texel's brightest channel, 0..255
    for (const SetRules& set : kSets) {
        SCOPED_TRACE(set.name);
        const std::string seat = assetgen::blocksets::surfaceTexture(set, assetgen::blocksets::Surface::CarSeat);
        const auto car = engine::readModelFile((*root_ / "models" / "cars" / set.name / "car1.dff").string());
        ASSERT_TRUE(car);
        const engine::Atomic* body = car->findPart("body");
        ASSERT_TRUE(body);
        const auto& materials = body->geometry->materials;
        EXPECT_TRUE(std::any_of(materials.begin(), materials.end(),
                                [&](const engine::Material& m) { return m.textureName == seat; }))
            << "the seats are drawn with " << seat;
        engine::Image image;
        ASSERT_TRUE(engine::readPng((*root_ / "models" / "cars" / set.name / (seat + ".png")).string(), &image));
        double brightest = 0.0;
        for (size_t i = 0; i < image.rgba.size(); i += 4) {
            brightest += std::max({image.rgba[i], image.rgba[i + 1], image.rgba[i + 2]});
        }
        EXPECT_GE(brightest / (image.rgba.size() / 4), kLeastBrightest);
    }
}

// The station's roof has see-through glazing: a part of its own whose
// material lets about half the light through, which the game's see-through
// drawing picks up by its alpha.
TEST_F(BlockSetsTest, StationRoofHasSeeThroughGlazing) {
    for (const SetRules& set : kSets) {
        SCOPED_TRACE(set.name);
        const Piece station = load(set, "station1");
        ASSERT_TRUE(station.model);
        std::vector<std::string> seeThrough;
        for (const auto& atomic : station.model->atomics()) {
            for (const engine::Material& material : atomic->geometry->materials) {
                if (material.colour.a < 255) {
                    seeThrough.push_back(atomic->name());
                    EXPECT_GE(material.colour.a, 0.3 * 255) << atomic->name();
                    EXPECT_LE(material.colour.a, 0.6 * 255) << atomic->name();
                }
            }
        }
        ASSERT_FALSE(seeThrough.empty());
        for (const std::string& part : seeThrough) {
            EXPECT_NE(part, "track") << "the track part's textures animate; glazing is a part of its own";
        }
    }
}

// --- the ride's facts in the catalogue ---

const std::vector<std::string> kFactKeys = {
    "Wooden",  "Suspended", "StartIndex", "ExperienceStart", "ExperienceChainBegin", "ExperienceChainEnd",
    "Sphere1", "Sphere2",   "Sphere3",    "CarSpacing",      "TracksideAhead",       "TracksideCatchUp"};

// The keys of a section's raw text, in order.
std::vector<std::string> sectionKeys(const std::string& section) {
    std::vector<std::string> keys;
    std::istringstream in(section);
    std::string line;
    while (std::getline(in, line)) {
        if (const size_t eq = line.find('='); eq != std::string::npos) {
            keys.push_back(line.substr(0, eq));
        }
    }
    return keys;
}

std::vector<std::string> words(const std::string& text) {
    std::istringstream in(text);
    std::vector<std::string> out;
    for (std::string word; in >> word;) {
        out.push_back(word);
    }
    return out;
}

// A number written as the game reads it: exactly the float, in its
// shortest form (no exponent, no trailing zero after a point).
testing::AssertionResult readsBackAs(const std::string& text, float expected) {
    if (text.empty() || text.find_first_of("eE") != std::string::npos ||
        (text.find('.') != std::string::npos && text.back() == '0')) {
        return testing::AssertionFailure() << "'" << text << "' is not in its shortest form";
    }
    char* end = nullptr;
    const float read = std::strtof(text.c_str(), &end);
    if (*end != '\0' || read != expected) {
        return testing::AssertionFailure() << "'" << text << "' reads as " << read << ", not " << expected;
    }
    return testing::AssertionSuccess();
}

// Every fact of a record on one line, for comparing records whole.
std::string factsText(const zr::BlockSetFacts& f) {
    std::ostringstream out;
    out << "wooden " << f.wooden << " suspended " << f.suspended << " start " << f.startIndex << " experience "
        << f.experience.startIndex << "/" << f.experience.chainBegin << "/" << f.experience.chainEnd << " spheres";
    for (const glm::vec3& c : f.spheres) {
        out << " (" << c.x << " " << c.y << " " << c.z << ")";
    }
    out << " spacing " << f.carSpacing << " trackside " << f.tracksideAhead << "/" << f.tracksideCatchUp;
    return out.str();
}

TEST_F(BlockSetsTest, CatalogueCarriesTheRideFactsTheGameReads) {
    for (const SetRules& set : kSets) {
        SCOPED_TRACE(set.name);
        const std::optional<std::string> section = assetgen::findIniSection(readText(catalogue(set)), "Block Set");
        ASSERT_TRUE(section) << "no [Block Set] in blocks.ini";
        EXPECT_EQ(sectionKeys(*section), kFactKeys);
        const zr::Profile ini(catalogue(set).string());
        const char* const facts = "Block Set";
        const assetgen::blocksets::RideFacts& ride = set.ride;
        EXPECT_EQ(ini.getInt(facts, "Wooden", -1), set.wooden() ? 1 : 0);
        EXPECT_EQ(ini.getInt(facts, "Suspended", -1), set.suspended() ? 1 : 0);
        EXPECT_EQ(ini.getInt(facts, "StartIndex", -1), ride.startIndex);
        EXPECT_EQ(ini.getInt(facts, "ExperienceStart", -1), ride.experienceStart);
        EXPECT_EQ(ini.getInt(facts, "ExperienceChainBegin", -1), ride.experienceChainBegin);
        EXPECT_EQ(ini.getInt(facts, "ExperienceChainEnd", -1), ride.experienceChainEnd);
        for (size_t k = 0; k < ride.spheres.size(); ++k) {
            const std::string key = "Sphere" + std::to_string(k + 1);
            const std::vector<std::string> xyz = words(ini.getString(facts, key.c_str(), ""));
            ASSERT_EQ(xyz.size(), 3u) << key;
            for (int axis = 0; axis < 3; ++axis) {
                EXPECT_TRUE(readsBackAs(xyz[static_cast<size_t>(axis)], ride.spheres[k][axis])) << key;
            }
        }
        EXPECT_TRUE(readsBackAs(ini.getString(facts, "CarSpacing", ""), ride.carSpacing));
        EXPECT_EQ(ini.getInt(facts, "TracksideAhead", -1), ride.tracksideAhead);
        EXPECT_EQ(ini.getInt(facts, "TracksideCatchUp", -1), ride.tracksideCatchUp);
        // What the game makes of the section is its own table for the set:
        // a set with the section rides exactly as one without it.
        EXPECT_EQ(factsText(zr::readBlockSetFacts(ini, set.index)), factsText(zr::defaultBlockSetFacts(set.index)));
    }
}

TEST_F(BlockSetsTest, StationDisplayAnimatesFromWhereTheGameLooks) {
    for (const SetRules& set : kSets) {
        SCOPED_TRACE(set.name);
        const Piece station = load(set, "station1");
        ASSERT_TRUE(station.model);
        std::string texture;
        for (const engine::Material& material : station.model->findPart("track")->geometry->materials) {
            if (material.textureName.find("ANIM") != std::string::npos) {
                texture = material.textureName;
            }
        }
        ASSERT_FALSE(texture.empty()) << "the track part carries the ANIM texture";
        // The model's name cut twice at '/', then "/ani/", then the texture
        // name, all cut at the first digit.
        std::string name = (setFolder(set) / "station1.dff").string();
        name = name.substr(0, name.find_last_of('/'));
        name = name.substr(0, name.find_last_of('/'));
        std::string base = name + "/ani/" + texture;
        if (const size_t digit = base.find_first_of("0123456789"); digit != std::string::npos) {
            base.resize(digit);
        }
        auto ini = readIni(base + ".ini");
        ASSERT_TRUE(ini.count("ANI")) << base;
        const int frames = std::stoi(ini["ANI"]["frames"]);
        EXPECT_GE(frames, 2);
        EXPECT_GT(std::stoi(ini["ANI"]["delay"]), 0);
        for (int i = 0; i < frames; ++i) {
            engine::Image image;
            std::string number = std::to_string(i);
            number.insert(0, i < 10 ? 1 : 0, '0');
            EXPECT_TRUE(engine::readBmp(base + number + ".bmp", &image)) << number;
        }
        std::vector<engine::NamedImage> dictionary;
        ASSERT_TRUE(engine::readTextureDictionaryFile((setFolder(set) / "world.txd").string(), &dictionary));
        const auto named = [&](const std::string& wanted) {
            return std::any_of(dictionary.begin(), dictionary.end(), [&](const auto& n) { return n.first == wanted; });
        };
        EXPECT_TRUE(named(texture));
        // Every texture a piece names is in the dictionary and in textures/.
        for (const Piece& piece : loadAll(set)) {
            for (const auto& atomic : piece.model->atomics()) {
                for (const engine::Material& material : atomic->geometry->materials) {
                    EXPECT_TRUE(named(material.textureName)) << piece.value << " " << material.textureName;
                    EXPECT_TRUE(fs::exists(setFolder(set) / "textures" / (material.textureName + ".png")));
                }
            }
        }
    }
}

TEST_F(BlockSetsTest, LowDetailRailsAreLighterTrackOnlyCopies) {
    for (const SetRules& set : kSets) {
        for (const Piece& piece : loadAll(set)) {
            SCOPED_TRACE(set.name + "/" + piece.value);
            const fs::path file = setFolder(set) / piece.value;
            const fs::path low = file.parent_path() / "low1" / (file.filename().string() + ".dff");
            if (legsCount(*piece.model) < 2) {
                EXPECT_FALSE(fs::exists(low));
                continue;
            }
            const auto model = engine::readModelFile(low.string());
            ASSERT_TRUE(model);
            ASSERT_EQ(model->atomics().size(), 1u);
            EXPECT_EQ(model->atomics()[0]->name(), "track");
            EXPECT_LT(model->atomics()[0]->geometry->triangleCount(),
                      piece.model->findPart("track")->geometry->triangleCount() / 2);
        }
    }
}

std::map<std::string, std::string> snapshot(const fs::path& root) {
    std::map<std::string, std::string> files;
    for (const auto& entry : fs::recursive_directory_iterator(root)) {
        if (entry.is_regular_file()) {
            files[fs::relative(entry.path(), root).string()] = readText(entry.path());
        }
    }
    return files;
}

TEST_F(BlockSetsTest, GenerationIsDeterministic) {
    const fs::path again = *root_ / "again";
    assetgen::AssetLog log;
    ASSERT_TRUE(assetgen::writeBlockSets(again, log)) << log.error;
    auto first = snapshot(*root_);
    for (auto it = first.begin(); it != first.end();) {
        it = it->first.rfind("again", 0) == 0 ? first.erase(it) : std::next(it);
    }
    const auto second = snapshot(again);
    fs::remove_all(again);
    EXPECT_EQ(first.size(), second.size());
    EXPECT_TRUE(first == second);
}

}  // namespace
