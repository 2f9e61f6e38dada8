// PlayState: construction, the loading thread, the loading animation, the
// frame, drawing, music, restart and the end of the screen.

#include "game/play/PlayState.hpp"

#include "app/Language.hpp"
#include "engine/GameFramework.hpp"
#include "foundation/tools/Log.hpp"
#include "framework/fx/AssetLoading.hpp"
#include "framework/sfml/SfmlFramework.hpp"
#include "game/play/GameLogic.hpp"

#include <CEGUI/CEGUI.h>

#include <SFML/Graphics/RenderTarget.hpp>
#include <SFML/Graphics/Shape.hpp>

#include <cstdlib>

namespace velk {

namespace {

const char* const kTracks[] = {"data/mus/Ingame - Blue Feather.ogg", "data/mus/Ingame - Lightless Dawn.ogg"};

SfmlFramework* sfml()
{
    return GameFramework::Singleton.getSfmlFramework();
}

// Main thread only: set by a screen whose game failed to load, read by the
// screen that comes back on top.
std::string pendingNotice;

// A text in the player's language; `fallback` when there are no texts.
std::string translated(const std::string& code, const std::string& fallback)
{
    const app::Language* language = GameFramework::Singleton.getLanguage();
    return language ? language->textForCode(code) : fallback;
}

} // namespace

PlayState::PlayState() : loadingThread(&PlayState::loadingFunction, this)
{
    setBackgroundColor4ub(33, 33, 33, 255);
    const unsigned joystick = sfml() ? sfml()->getPrimaryJoystick() : 0;
    actions['M'] = fx::InputAction(fx::JoystickButton(joystick, 7), fx::InputAction::PressOnce) ||
                   fx::InputAction(sf::Keyboard::Escape, fx::InputAction::PressOnce);
}

PlayState::~PlayState()
{
    // The worker writes into this object until it returns.
    waitForLoading();
}

GameLogic* PlayState::logic() const
{
    return loaded ? gameLogic.get() : nullptr;
}

std::string PlayState::getLoadFailure() const
{
    if (!loaded)
        return std::string();
    // Translated here, on the main thread, which alone uses the texts.
    if (loadFailureCode.empty())
        return loadFailure;
    return translated(loadFailureCode, loadFailure) + ": \"" + loadFailureFile + "\"";
}

void PlayState::setInputSource(const GameInputSource& source)
{
    input = &source;
    actions.setInputSource(source);
    menuStepper.setInputSource(source);
    gameOverStepper.setInputSource(source);
    timeTrialStepper.setInputSource(source);
}

std::string PlayState::takeNotice()
{
    std::string notice;
    notice.swap(pendingNotice);
    return notice;
}

void PlayState::onStateStart()
{
    VelkState::onStateStart();
    changeGwenSkin(Play);
    if (CEGUI::System::getSingletonPtr())
        CEGUI::System::getSingleton().getDefaultGUIContext().getMouseCursor().setVisible(false);
    startLoadingAnimation();
    // Set here, not on the worker, so the first frame never reads a value left
    // from an earlier load.
    loaded = false;
    failureHandled = false;
    // The music opens its first track before the worker starts: SFML reports
    // file errors on one unsynchronised stream, which the worker writes too.
    initMusic();
    // The worker sizes the first camera from this, never from the window,
    // whose view the frames on this thread change.
    firstViewSize = sfml() && sfml()->getWindow() ? sfml()->getRenderTarget().getView().getSize() : sf::Vector2f();
    loadingLaunched = true;
    loadingThread.launch();
}

void PlayState::onStateEnd()
{
    // Ending while the game is still being built: the worker finishes first,
    // so it never stores into a released game. Called by the state stack
    // outside event dispatch, so the worker's listener registrations go through.
    waitForLoading();
    if (CEGUI::System::getSingletonPtr()) {
        CEGUI::ImageManager::getSingleton().destroyImageCollection("Ingame", true);
        CEGUI::System::getSingleton().getDefaultGUIContext().getMouseCursor().setVisible(true);
    }
    gameLogic.reset();
    menuStepper.clear();
    gameOverStepper.clear();
    timeTrialStepper.clear();
    menuWindow = resumeButton = scoreText = timeText = landableWindow = nullptr;
    gameOverWindow = nameBox = gameOverInfo = timeTrialWindow = nullptr;
    healthBar = fuelBar = nullptr;
    guiReady = false;
    VelkState::onStateEnd();
}

void PlayState::waitForLoading()
{
    if (loadingLaunched) {
        loadingThread.wait();
        loadingLaunched = false;
    }
}

// --- Loading --------------------------------------------------------------------

void PlayState::loadingFunction()
{
    loaded = false;
    SfmlFramework* framework = sfml();
    if (framework)
        framework->setCloseEnabled(false);
    std::unique_ptr<GameLogic> built;
    std::string failure;
    std::string failureCode;
    std::string failureFile;
    try {
        built = std::make_unique<GameLogic>(shipFile, mapFile, *input, firstViewSize);
    } catch (const GameSetupError& error) {
        failure = error.what();
        failureCode = error.getReasonCode();
        failureFile = error.getFile();
    } catch (const std::exception& error) {
        failure = error.what();
    } catch (...) {
        failure = "unknown error";
    }
    if (failure.empty() && !built)
        failure = "no game was built";
    // Empty after a success, like the failure itself.
    loadFailureCode = failureCode;
    loadFailureFile = failureFile;
    if (failure.empty()) {
        std::unique_ptr<GameLogic> previous = std::move(gameLogic);
        gameLogic = std::move(built);
        previous.reset();
        loadFailure.clear();
    } else {
        loadFailure = failure;
        tools::log("Play",
                   "The game cannot be loaded (ship \"" + shipFile + "\", map \"" + mapFile + "\"): " + failure);
    }
    if (framework)
        framework->setCloseEnabled(true);
    loaded = true;
}

void PlayState::leaveAfterFailedLoad()
{
    failureHandled = true;
    endLoadingAnimation();
    pendingNotice = translated("play.loadfailed", "The game could not be loaded.") + "\n" + getLoadFailure();
    app::State::stop();
}

// --- Loading animation ------------------------------------------------------------

void PlayState::startLoadingAnimation()
{
    loadingAnimation = std::make_unique<LoadingAnimation>();
    // Without a window there is no GL context to hold the pictures.
    if (sfml() && sfml()->getWindow()) {
        for (int i = 0; i < LoadingFrameCount; ++i) {
            sf::Texture texture;
            if (fx::loadTexture(texture, loadingFramePath(i)))
                loadingAnimation->frames.push_back(std::move(texture));
        }
    }
    loadingAnimation->animator = std::make_unique<ThorShapeAnimator<char>>(&loadingAnimation->shape);
    loadingAnimation->animator->addAnimation(
        0, [this](sf::Shape& shape, float progress) { animateLoading(shape, progress); },
        sf::seconds(LoadingLoopSeconds));
    loadingAnimation->animator->playAnimation(0, true);
    loadingAnimation->shape.setSize(sf::Vector2f(1.0f, 1.0f));
    loadingAnimation->shape.setOrigin(0.5f, 0.5f);
}

void PlayState::endLoadingAnimation()
{
    loadingAnimation.reset();
}

void PlayState::animateLoading(sf::Shape& shape, float progress)
{
    if (!loadingAnimation || loadingAnimation->frames.empty())
        return;
    const std::size_t frame = loadingFrameIndex(progress, loadingAnimation->frames.size());
    shape.setTexture(&loadingAnimation->frames[frame], false);
}

// --- Frame ------------------------------------------------------------------------------

void PlayState::update()
{
    VelkState::update();
    const float dt = sfml() ? sfml()->getFrameTime() : 0.0f;
    if (!loaded) {
        if (loadingAnimation && loadingAnimation->animator->isPlayingAnimation()) {
            loadingAnimation->animator->update(sf::seconds(dt));
            loadingAnimation->animator->animate();
        }
        // No new track while the worker runs (see onStateStart); the one
        // playing goes on.
        return;
    }
    if (!loadFailure.empty()) {
        if (!failureHandled)
            leaveAfterFailedLoad();
        return;
    }
    if (!guiReady && !initGui()) {
        leaveAfterFailedLoad();
        return;
    }
    endLoadingAnimation();
    if (gameLogic)
        updateGame(dt);
    updateSteppers(dt);
    updateMusic();
}

void PlayState::renderCore()
{
    if (!sfml() || !sfml()->getWindow())
        return;
    sf::RenderTarget& target = sfml()->getRenderTarget();
    if (loaded) {
        if (gameLogic)
            target.draw(gameLogic->world(), sf::RenderStates(sfml()->getColorblindShader()));
        return;
    }
    if (!loadingAnimation)
        return;
    sf::Transform transform;
    transform.translate(target.getSize().x * 0.5f, target.getSize().y * 0.5f);
    if (const sf::Texture* texture = loadingAnimation->shape.getTexture())
        transform.scale(sf::Vector2f(texture->getSize()));
    target.pushGLStates();
    target.draw(loadingAnimation->shape, sf::RenderStates(transform));
    target.popGLStates();
}

// --- Music ------------------------------------------------------------------------------

void PlayState::initMusic()
{
    playlist = Playlist({kTracks[0], kTracks[1]}, static_cast<std::size_t>(std::rand()) % 2);
    music().setLoop(false);
    updateMusic();
}

void PlayState::updateMusic()
{
    if (playlist.empty() || music().getStatus() == sf::SoundSource::Playing)
        return;
    const std::string file = playlist.advance();
    if (openMusic(file)) {
        music().play();
    } else {
        tools::log("Play", "Music \"" + file + "\" cannot be opened; it leaves the playlist");
        playlist.dropCurrent();
    }
}

// --- Restart ----------------------------------------------------------------------------

void PlayState::resetMap()
{
    auto* state = new PlayState();
    if (sfml())
        sfml()->setupState(state);
    std::shared_ptr<app::State> next(state);
    state->setInputSource(*input);
    state->setShipFile(shipFile);
    state->setMapFile(mapFile);
    app::State::replace(next);
}

} // namespace velk
