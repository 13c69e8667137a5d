// Catalogue reading, lookups and the banked-straight exchange.
#include "track/catalogue.h"

#include "platform/platform.h"
#include "platform/profile.h"

namespace zr {
namespace {

bool contains(const std::string& text, const std::string& part) { return text.find(part) != std::string::npos; }

// Links b after a as its next variant, and their sub-pieces pairwise.
void linkVariants(CataloguePiece* a, CataloguePiece* b) {
    a->nextVariant = b;
    b->previousVariant = a;
    CataloguePiece* x = a->subPieces.oldest;
    CataloguePiece* y = b->subPieces.oldest;
    for (; x && y; x = static_cast<CataloguePiece*>(x->newer), y = static_cast<CataloguePiece*>(y->newer)) {
        x->nextVariant = y;
        y->previousVariant = x;
    }
}

}  // namespace

Catalogue::~Catalogue() {
    // The pieces' textures belong to the dictionary; make it current while
    // they go, as their models were loaded with it.
    if (context_.engine && textures) context_.engine->setCurrentDictionary(textures.get());
    pieces = IntrusiveList<CataloguePiece>();
    owned_.clear();
    if (context_.engine && context_.engine->currentDictionary() == textures.get()) {
        context_.engine->setCurrentDictionary(nullptr);
    }
}

void Catalogue::load(const std::string& folder, int32_t setIndex) {
    engine::Engine& engine = *context_.engine;
    textures = std::make_unique<engine::TextureDictionary>(engine);
    textures->read(folder + "/world.txd");
    engine.setCurrentDictionary(textures.get());
    engine.setImageSearchPath(folder + "/textures/");
    const Profile profile(folder + "/blocks.ini");
    facts = readBlockSetFacts(profile, setIndex);
    loadSection(profile, folder, "Blocks", false);
    loadSection(profile, folder, "Features", true);
    count = std::max(0, profile.getInt("Blocks", "total", 0)) + std::max(0, profile.getInt("Features", "total", 0));
    candidates.assign(static_cast<size_t>(count) + 1, nullptr);
    candidateCount = 0;
}

void Catalogue::loadSection(const Profile& profile, const std::string& folder, const char* section, bool features) {
    const int32_t total = profile.getInt(section, "total", 0);
    std::string stem;
    bool haveStem = false;
    for (int32_t i = 1; i <= total; ++i) {
        const std::string value = profile.getString(section, std::to_string(i).c_str(), "");
        auto piece = std::make_unique<CataloguePiece>(context_, folder + "/" + value + ".dff", features,
                                                      textures.get());
        if (!piece->valid()) {
            // A missing model or path is an asset fault: skip the entry.
            if (context_.engine->platform()) {
                context_.engine->platform()->debugPrinter()(("catalogue: cannot load " + value).c_str());
            }
            continue;
        }
        const size_t dash = value.find_last_of('-');
        if (dash == std::string::npos) {
            haveStem = false;
        } else if (!haveStem || !contains(value, stem)) {
            stem = value.substr(0, dash);
            haveStem = true;
        } else if (pieces.newest) {
            piece->shown = 0;
            piece->subPieces.forEach([](CataloguePiece* sub) { sub->shown = 0; });
            linkVariants(pieces.newest, piece.get());
        }
        pieces.append(piece.get());
        owned_.push_back(std::move(piece));
    }
}

CataloguePiece* Catalogue::addPiece(std::unique_ptr<CataloguePiece> piece) {
    CataloguePiece* added = piece.get();
    pieces.append(added);
    owned_.push_back(std::move(piece));
    return added;
}

CataloguePiece* Catalogue::findPieceByName(const std::string& name) const {
    const size_t digit = name.find_first_of("0123456789");
    const std::string stem = digit == std::string::npos ? name : name.substr(0, digit);
    for (CataloguePiece* piece = pieces.newest; piece; piece = static_cast<CataloguePiece*>(piece->older)) {
        if (!contains(piece->name, stem)) continue;
        if (piece->name == name) return piece;
        for (CataloguePiece* sub = piece->subPieces.oldest; sub; sub = static_cast<CataloguePiece*>(sub->newer)) {
            if (sub->name == name) return sub;
        }
    }
    return nullptr;
}

CataloguePiece* Catalogue::findPieceContaining(const std::string& text) const {
    for (CataloguePiece* piece = pieces.newest; piece; piece = static_cast<CataloguePiece*>(piece->older)) {
        if (contains(piece->name, text)) return piece;
    }
    return nullptr;
}

CataloguePiece* Catalogue::findCandidateContaining(const std::string& text) const {
    for (CataloguePiece* candidate : candidates) {
        if (!candidate) return nullptr;
        if (contains(candidate->name, text)) return candidate;
    }
    return nullptr;
}

void Catalogue::exchangeBankedStraights(const std::string& bankedBoth, const std::string& bankedOut) {
    CataloguePiece* p = findPieceContaining(bankedBoth);
    CataloguePiece* q = findPieceContaining(bankedOut);
    if (!p || !q || p == q) return;
    // P takes Q's place in Q's family, where Q has neighbours there (in the
    // generated sets each banked straight is a family of its own).
    CataloguePiece* before = q->previousVariant;
    CataloguePiece* after = q->nextVariant;
    if (before) linkVariants(before, p);
    if (after) linkVariants(p, after);
    q->previousVariant = nullptr;
    q->nextVariant = nullptr;
    p->makeCurrentVariant();
    q->shown = 1;
    swapInList(p, q);
}

void Catalogue::swapInList(CataloguePiece* a, CataloguePiece* b) {
    // Rebuilt from the order with the two exchanged: also right at the ends.
    std::vector<CataloguePiece*> order;
    pieces.forEach([&](CataloguePiece* piece) { order.push_back(piece == a ? b : piece == b ? a : piece); });
    pieces = IntrusiveList<CataloguePiece>();
    for (CataloguePiece* piece : order) pieces.append(piece);
}

}  // namespace zr
