// The piece catalogue of a block set, read from its "blocks.ini": blocks
// first, then features, in file order, with variant families by stem; and
// the candidate array the editor fills with what may follow the last block.
#pragma once

#include "engine/texture_dictionary.h"
#include "track/block_set_facts.h"
#include "track/catalogue_piece.h"
#include "track/intrusive_list.h"

#include <memory>
#include <string>
#include <vector>

namespace zr {

class Profile;

class Catalogue {
public:
    explicit Catalogue(SceneContext& context) : context_(context) {}
    ~Catalogue();
    Catalogue(const Catalogue&) = delete;
    Catalogue& operator=(const Catalogue&) = delete;

    // Reads folder + "/blocks.ini", the pieces and the set's facts (for
    // block set index setIndex); a missing file gives an empty catalogue
    // with the facts of the index.
    void load(const std::string& folder, int32_t setIndex);
    // Adds one piece (the riding state's prebuilt coaster).
    CataloguePiece* addPiece(std::unique_ptr<CataloguePiece> piece);

    CataloguePiece* findPieceByName(const std::string& name) const;
    CataloguePiece* findPieceContaining(const std::string& text) const;
    CataloguePiece* findCandidateContaining(const std::string& text) const;
    // The banked-straight exchange of the building set-up.
    void exchangeBankedStraights(const std::string& bankedBoth, const std::string& bankedOut);

    IntrusiveList<CataloguePiece> pieces;
    int32_t count = 0;  // blocks + features
    std::vector<CataloguePiece*> candidates;  // count + 1 entries, null-terminated
    int32_t candidateCount = 0;
    std::unique_ptr<engine::TextureDictionary> textures;
    BlockSetFacts facts;

private:
    void loadSection(const Profile& profile, const std::string& folder, const char* section, bool features);
    void swapInList(CataloguePiece* a, CataloguePiece* b);

    SceneContext& context_;
    std::vector<std::unique_ptr<CataloguePiece>> owned_;
};

}  // namespace zr
