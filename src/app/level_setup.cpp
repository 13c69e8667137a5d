// The level set-up on entering the building or riding state, and the
// tear-down on leaving it, in their numbered steps: the world, the block
// set's catalogue and facts, the train, the coaster with its first block,
// the ride, the camera and the music.
#include "app/game.h"

#include "app/game_app.h"
#include "app/title_screen.h"
#include "platform/profile.h"

#include <cmath>
#include <cstdlib>

namespace zr {
namespace {

// Where the camera first looks at a level from: metres behind and above the
// start marker, and degrees down.
constexpr float kStartViewBack = 18.0f;
constexpr float kStartViewUp = 7.0f;
constexpr float kStartViewPitch = 12.0f;

}  // namespace

void Game::setUpLevel(const char* levelPath) {
    // 1. Fresh timers and seat; the default textures current.
    frameSeconds = 0.0f;
    stateSeconds = 0.0f;
    input.idleSeconds = 0.0f;
    choice.seat = 1;
    app.engine.setCurrentDictionary(defaultTextures);
    level = std::make_unique<LoadedLevel>();
    const std::string levelFile = levelPath ? levelPath : "";
    if (state == kStateBuilding) {
        // 2.1 The level's world with its start positions, sky and lights.
        level->world = std::make_unique<World>(*scene, *app.platform, camera.get(), levelFile);
        level->world->loadObjects();
        setUpBuilding();
    } else {
        // 3.1 Riding shows the experience world beside the level's own.
        level->world =
            std::make_unique<World>(*scene, *app.platform, camera.get(), World::folderOf(levelFile) + "experience.bsp");
        level->world->loadObjects();
        placeCameraAtStart();
        setUpRiding();
    }
    // 4. The first three detail distances follow the block set.
    const Profile profile(kSetupFile);
    if (view.lodCount != 0) {
        const auto near =
            levelLodDistances(profile.getInt("Application Data", "LOD", 0), level->catalogue->facts.wooden);
        std::copy(near.begin(), near.end(), view.lodDistances.begin());
    }
}

void Game::setUpBuilding() {
    // 2.2 The block set's catalogue (with its facts), then the cars.
    level->catalogue = std::make_unique<Catalogue>(*scene);
    Catalogue& catalogue = *level->catalogue;
    catalogue.load(choice.blockSetFolder(), choice.currentBlockSet);
    loadCars();
    // 2.3 The banked straights that leave a bank take the place of those
    // that keep it, so the bank commands find them first.
    catalogue.exchangeBankedStraights("BLBLstraight-d1.dff", "BLBNstraight-d1.dff");
    catalogue.exchangeBankedStraights("BRBRstraight-d1.dff", "BRBNstraight-d1.dff");
    // 2.4 The oldest level straight is its family's current member.
    for (CataloguePiece* piece = catalogue.pieces.oldest; piece; piece = static_cast<CataloguePiece*>(piece->newer)) {
        if (piece->name.find("straight-d1.dff") != std::string::npos) {
            piece->makeCurrentVariant();
            break;
        }
    }
    // 2.5 The coaster, its station at the start marker, and its ride.
    level->coaster = std::make_unique<Coaster>(*scene, level->world.get());
    if (CataloguePiece* station = catalogue.findPieceContaining("station")) level->coaster->appendBlock(*station);
    level->ride = std::make_unique<Ride>(*this, *level->coaster, *level->vehicle, catalogue.facts);
    // 2.6 The camera: placed at the track's end, moves checked against the
    // world.
    camera->following = 0;
    camera->needsPlacement = 1;
    camera->pitch = camera->yaw = camera->roll = 0.0f;
    input.dragMode = kDragNone;
    cameraController->setMode(kCameraTrackEnd);
    // 2.7 The building music.
    if (musicOn) playMusic(kBuildingMusic);
}

void Game::setUpRiding() {
    const std::string folder = choice.blockSetFolder();
    // 3.2, 3.3 The block set's textures current, its pictures searched.
    app.engine.setImageSearchPath("textures/");
    level->catalogue = std::make_unique<Catalogue>(*scene);
    Catalogue& catalogue = *level->catalogue;
    catalogue.facts = loadBlockSetFacts(folder, choice.currentBlockSet);
    catalogue.textures = std::make_unique<engine::TextureDictionary>(app.engine);
    catalogue.textures->read(folder + "/world.txd");
    app.engine.setCurrentDictionary(catalogue.textures.get());
    app.engine.setImageSearchPath(folder + "/textures/");
    // 3.4, 3.5 A catalogue of the one prebuilt coaster, its only candidate.
    auto experience =
        std::make_unique<CataloguePiece>(*scene, folder + "/features/experience1.dff", false, catalogue.textures.get());
    if (experience->model) {
        CataloguePiece* piece = catalogue.addPiece(std::move(experience));
        catalogue.count = 1;
        catalogue.candidates = {piece, nullptr};
        catalogue.candidateCount = 1;
    }
    // 3.6 The cars.
    loadCars();
    // 3.7 The coaster of that one block.
    level->coaster = std::make_unique<Coaster>(*scene, level->world.get());
    if (CataloguePiece* piece = catalogue.findPieceContaining("experience")) level->coaster->appendBlock(*piece);
    // 3.8 The experience ride: the train at its start, a 3 s countdown.
    level->ride = std::make_unique<Ride>(*this, *level->coaster, *level->vehicle, catalogue.facts);
    Ride& ride = *level->ride;
    ride.startRide(kRideExperience);
    ride.record().countdown = kExperienceCountdown;
    frameSeconds = kSimulationStep;
    ride.update();
    // 3.9, 3.10 The view, then one camera update.
    chooseRideView();
    cameraController->update();
}

// A demonstration ride watches from the trackside half the time; otherwise
// the player rides in a random seat and may look around.
void Game::chooseRideView() {
    const bool demonstration = title && title->countdown() == 0.0f;
    if (demonstration && std::rand() % 2 == 0) {
        cameraController->setMode(kCameraTrackside);
        input.dragMode = kDragNone;
        return;
    }
    choice.seat = static_cast<int8_t>(std::rand() % choice.seatCount() + 1);
    cameraController->setMode(kCameraSeat);
    input.dragMode = kLookAround;
}

void Game::loadCars() {
    const std::string folder = choice.blockSetFolder();
    level->vehicle = std::make_unique<Car>(*scene, Car::leadCarPath(folder, choice.carDesign));
    level->vehicle->makeFollowingCars(Car::carPath(folder, choice.carDesign), choice.carCount,
                                      level->catalogue->facts.carSpacing);
}

void Game::placeCameraAtStart() {
    // Behind and above the station's spot, looking along its heading.
    const World& loaded = *level->world;
    glm::vec3 start = loaded.origin;
    float heading = 0.0f;
    if (loaded.startCount > 0) {
        start = loaded.startPositions[static_cast<size_t>(loaded.startIndex)];
        heading = loaded.startHeadings[static_cast<size_t>(loaded.startIndex)];
    }
    const float radians = glm::radians(heading);
    const glm::vec3 forward(std::sin(radians), 0.0f, std::cos(radians));
    camera->placeAt(start - forward * kStartViewBack + glm::vec3(0.0f, kStartViewUp, 0.0f), heading, kStartViewPitch);
}

void Game::tearDownLevel() {
    dialogue.reset();
    // 1. The camera stops following.
    if (camera) camera->following = 0;
    // 2. The train leaves the scene; the ride's sounds stop whatever the
    // train (one without following cars does not stop them itself).
    if (level->ride) level->ride->stopSounds();
    if (level->vehicle) level->vehicle->removeFromWorld();
    // 3. to 5. The ride and the coaster, the cars and the catalogue, the
    // shared animation and the world, in that order.
    level->ride.reset();
    level->coaster.reset();
    level->vehicle.reset();
    level->catalogue.reset();
    animatedTextures.targets.clear();
    animatedTextures.image.reset();
    level->world.reset();
    level.reset();
    // Every see-through part registered was in the level's models.
    if (alphaSorter) alphaSorter->clearRegistry();
    // 6. The music.
    if (musicOn) stopMusic();
}

}  // namespace zr
