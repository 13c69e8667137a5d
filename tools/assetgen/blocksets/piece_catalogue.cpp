// The catalogue of one block set, in blocks.ini order.
#include "blocksets/piece_catalogue.h"

#include "blocksets/path_frame.h"

#include <cmath>
#include <string_view>

namespace assetgen::blocksets {
namespace {

constexpr double kCurveDegrees = 45.0;
constexpr double kQuarterTurnOffset = 20.0;  // two curves move the track 20 m along and 20 m across
constexpr double kBankLength = 10.0;
constexpr double kCrestRunPerStep = 4.0;  // the crest turns over quickly: the chain holds the train slow
constexpr double kTunnelLength = 20.0;
constexpr double kStationLength = 30.0;

double pitchOfStraightLetter(char letter) {
    return (letter - 'd') * kGridDegrees;  // a steep down ... g steep up
}

double pitchOfMagnitude(char letter) {
    return (letter - 'a') * kGridDegrees;  // a level ... d steep
}

// The length of a 45 degree curve whose heading eases in and out, chosen so
// that two of them shift the track by exactly kQuarterTurnOffset each way:
// a circuit of straights and quarter turns then stays on a 10 m grid.
double curveLength() {
    static const double kLength = [] {
        AngleCourse unit;
        unit.length = 1.0;
        unit.segments = 256;
        unit.heading = [](double u) { return kCurveDegrees * smoothRamp(u); };
        const glm::dvec3 d(framesFromAngles(unit).back().position);
        const double c = std::cos(glm::radians(kCurveDegrees));
        const double s = std::sin(glm::radians(kCurveDegrees));
        const double quarter = d.z + (-d.x * s + d.z * c);  // the first curve's shift plus the second's, turned
        return kQuarterTurnOffset / quarter;
    }();
    return kLength;
}

double slopeLength(double pitchIn, double pitchOut) {
    const double steps = std::abs(pitchOut - pitchIn) / kGridDegrees;
    if (steps == 0.0) {
        return kSteadyLength;
    }
    const bool crest = pitchIn * pitchOut < 0.0;
    return steps * (crest ? kCrestRunPerStep : kSlopeRunPerStep);
}

PieceSpec slopePiece(std::string value, double pitchIn, double pitchOut, bool chain) {
    PieceSpec spec;
    spec.value = std::move(value);
    spec.pitchIn = pitchIn;
    spec.pitchOut = pitchOut;
    spec.chain = chain;
    spec.length = slopeLength(pitchIn, pitchOut);
    return spec;
}

void addStraights(const BlockSetStyle& style, std::vector<PieceSpec>& out) {
    for (const char letter : std::string_view("gfedcba")) {
        const bool steep = letter == 'g' || letter == 'a';
        if (!steep || style.steep) {
            out.push_back(
                slopePiece(std::string("straight/straight-") + letter, 0.0, pitchOfStraightLetter(letter), false));
        }
    }
    for (const char letter : std::string_view("fed")) {
        out.push_back(
            slopePiece(std::string("straight/liftstraight-") + letter, 0.0, pitchOfStraightLetter(letter), true));
    }
}

// One hill family: the steady piece, then each milder exit down to level.
void addHillFamily(const std::string& prefix, char entry, double sign, bool chain, std::vector<PieceSpec>& out) {
    for (char exit = entry; exit >= 'a'; --exit) {
        out.push_back(slopePiece(prefix + entry + "-" + exit, sign * pitchOfMagnitude(entry),
                                 sign * pitchOfMagnitude(exit), chain));
    }
}

void addHills(const BlockSetStyle& style, std::vector<PieceSpec>& out) {
    const std::string_view entries = style.steep ? "bcd" : "bc";
    for (const auto& [direction, sign] : {std::pair{'U', 1.0}, std::pair{'D', -1.0}}) {
        for (const char entry : entries) {
            addHillFamily(std::string("straight/hill") + direction, entry, sign, false, out);
        }
    }
    for (const char entry : std::string_view("bc")) {
        addHillFamily("straight/lifthillU", entry, 1.0, true, out);
    }
}

PieceSpec bankPiece(std::string value, Bank in, Bank out, double turn, bool chain, double length) {
    PieceSpec spec;
    spec.value = std::move(value);
    spec.bankIn = in;
    spec.bankOut = out;
    spec.turn = turn;
    spec.chain = chain;
    spec.length = length;
    return spec;
}

void addBanks(std::vector<PieceSpec>& out) {
    using enum Bank;
    const std::pair<const char*, std::pair<Bank, Bank>> kBanks[] = {
        {"BLBN", {Left, None}}, {"BLBL", {Left, Left}},  {"BRBN", {Right, None}}, {"BRBR", {Right, Right}},
        {"BNBL", {None, Left}}, {"BNBR", {None, Right}}, {"BLBR", {Left, Right}}, {"BRBL", {Right, Left}},
    };
    for (const auto& [code, banks] : kBanks) {
        out.push_back(bankPiece(std::string("straight/") + code + "straight-d", banks.first, banks.second, 0.0, false,
                                kBankLength));
    }
}

void addCurves(std::vector<PieceSpec>& out) {
    using enum Bank;
    for (const auto& [side, sign, bank, code] : {std::tuple{"left", 1.0, Left, "BL"}, {"right", -1.0, Right, "BR"}}) {
        const std::string folder = std::string(side) + "/";
        const std::string name = std::string(side) + "curve-d";
        const double turn = sign * kCurveDegrees;
        out.push_back(bankPiece(folder + name, None, None, turn, false, curveLength()));
        out.push_back(bankPiece(folder + "lift" + name, None, None, turn, true, curveLength()));
        out.push_back(bankPiece(folder + "BN" + code + name, None, bank, turn, false, curveLength()));
        out.push_back(bankPiece(folder + code + code + name, bank, bank, turn, false, curveLength()));
        out.push_back(bankPiece(folder + code + "BN" + name, bank, None, turn, false, curveLength()));
    }
}

PieceSpec singlePiece(std::string value, PieceKind kind, double length) {
    PieceSpec spec;
    spec.value = std::move(value);
    spec.kind = kind;
    spec.chain = true;
    spec.legsSets = false;
    spec.length = length;
    return spec;
}

std::string featureName(FeatureKind kind) {
    switch (kind) {
        case FeatureKind::Loop: return "features/loop-d";
        case FeatureKind::Corkscrew: return "features/corkscrew-d";
        case FeatureKind::Camelback: return "features/camelback-d";
        case FeatureKind::DoubleDip: return "features/doubledip-d";
        case FeatureKind::Tunnel: return "features/tunnel-d";
    }
    return {};
}

PieceKind featurePieceKind(FeatureKind kind) {
    switch (kind) {
        case FeatureKind::Loop: return PieceKind::Loop;
        case FeatureKind::Corkscrew: return PieceKind::Corkscrew;
        case FeatureKind::Camelback: return PieceKind::Camelback;
        case FeatureKind::DoubleDip: return PieceKind::DoubleDip;
        case FeatureKind::Tunnel: return PieceKind::Tunnel;
    }
    return PieceKind::Track;
}

void addFeatures(const BlockSetStyle& style, std::vector<PieceSpec>& out) {
    const double kMedium = 2.0 * kGridDegrees;
    const double kMild = kGridDegrees;
    out.push_back(slopePiece("features/lifthilltop-c", kMedium, -kMedium, true));
    out.push_back(slopePiece("features/lifthilltop-b", kMild, -kMild, true));
    out.push_back(slopePiece("features/drop-c", -kMedium, -kMedium, false));
    out.push_back(slopePiece("features/drop-b", -kMild, -kMild, false));
    for (const FeatureKind kind : style.features) {
        PieceSpec spec;
        spec.value = featureName(kind);
        spec.kind = featurePieceKind(kind);
        spec.length = kind == FeatureKind::Tunnel ? kTunnelLength : 0.0;
        out.push_back(spec);
    }
    for (PieceSpec& spec : out) {
        spec.feature = spec.feature || spec.value.starts_with("features/");
    }
}

}  // namespace

std::vector<PieceSpec> cataloguePieces(const BlockSetStyle& style) {
    std::vector<PieceSpec> pieces;
    pieces.push_back(singlePiece("station1", PieceKind::Station, kStationLength));
    addStraights(style, pieces);
    addHills(style, pieces);
    addBanks(pieces);
    addCurves(pieces);
    pieces.push_back(singlePiece("final1", PieceKind::Closing, kSteadyLength));
    addFeatures(style, pieces);
    return pieces;
}

std::vector<std::string> blockValues(const BlockSetStyle& style) {
    std::vector<std::string> values;
    for (const PieceSpec& spec : cataloguePieces(style)) {
        if (!spec.feature) {
            values.push_back(spec.value);
        }
    }
    return values;
}

std::vector<std::string> featureValues(const BlockSetStyle& style) {
    std::vector<std::string> values;
    for (const PieceSpec& spec : cataloguePieces(style)) {
        if (spec.feature) {
            values.push_back(spec.value);
        }
    }
    return values;
}

std::string featureStem(const std::string& value) {
    const size_t dash = value.find_last_of('-');
    return dash == std::string::npos ? value : value.substr(0, dash);
}

}  // namespace assetgen::blocksets
