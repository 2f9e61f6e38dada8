#include "framework/fx/AssetCache.hpp"
#include "framework/fx/MusicStream.hpp"

#include "testsupport/LogCapture.hpp"
#include "testsupport/TempFolder.hpp"

#include <SFML/Audio/Sound.hpp>
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <thread>
#include <vector>

namespace fs = std::filesystem;

namespace {

const char* const kDebianFont = "/usr/share/fonts/truetype/open-sans/OpenSans-Regular.ttf";

/// A private folder per test, removed afterwards.
class AssetCacheTest : public velk_test::TempFolderTest {
protected:
    std::string writeWav(const std::string& name, std::size_t samples)
    {
        std::vector<sf::Int16> data(samples);
        for (std::size_t i = 0; i < samples; ++i)
            data[i] = static_cast<sf::Int16>((i % 50) * 600);
        sf::SoundBuffer buffer;
        EXPECT_TRUE(buffer.loadFromSamples(data.data(), data.size(), 1, 22050));
        const std::string path = (folder / fs::u8path(name)).u8string();
        EXPECT_TRUE(buffer.saveToFile(path));
        return path;
    }

    /// The log lines written while the callable runs.
    template <typename F>
    std::string captureOutput(F&& f)
    {
        velk_test::LogCapture logs;
        f();
        return logs.text();
    }
};

TEST_F(AssetCacheTest, SoundBuffersAreSharedByKey)
{
    const std::string path = writeWav("ütközés.wav", 441);
    fx::AssetCache<sf::SoundBuffer> cache;
    const auto key = fx::fileKey<sf::SoundBuffer>(path);

    EXPECT_EQ(cache.find(key), nullptr); // a look-up never loads
    EXPECT_FALSE(cache.contains(key));

    const auto first = cache.acquire(key);
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(first->getSampleCount(), 441u);
    EXPECT_EQ(first->getSampleRate(), 22050u);
    EXPECT_EQ(cache.acquire(fx::fileKey<sf::SoundBuffer>(path)), first);
    EXPECT_EQ(cache.find(key), first);

    // Another cache loads its own copy.
    fx::AssetCache<sf::SoundBuffer> other;
    EXPECT_NE(other.acquire(key), first);
}

TEST_F(AssetCacheTest, ReleaseDropsOnlyTheCachesShare)
{
    const std::string path = writeWav("release.wav", 100);
    fx::AssetCache<sf::SoundBuffer> cache;
    const auto key = fx::fileKey<sf::SoundBuffer>(path);
    const auto held = cache.acquire(key);
    cache.release(key);
    EXPECT_FALSE(cache.contains(key));
    EXPECT_EQ(held->getSampleCount(), 100u); // the user's pointer stays good

    const auto again = cache.acquire(key);
    EXPECT_NE(again, held);
    EXPECT_EQ(again->getSampleCount(), 100u);
    cache.release(fx::fileKey<sf::SoundBuffer>("never acquired")); // harmless
    EXPECT_EQ(cache.size(), 1u);
}

TEST_F(AssetCacheTest, MissingSoundPlaysSilentAndIsLoggedOnce)
{
    fx::AssetCache<sf::SoundBuffer> cache;
    const std::string path = (folder / "missing.wav").string();
    const auto key = fx::fileKey<sf::SoundBuffer>(path);
    std::shared_ptr<sf::SoundBuffer> first;
    std::shared_ptr<sf::SoundBuffer> second;
    const std::string log = captureOutput([&] {
        first = cache.acquire(key);
        second = cache.acquire(key);
    });
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(first, second);
    EXPECT_GT(first->getSampleCount(), 0u);
    EXPECT_EQ(first->getSamples()[0], 0);

    EXPECT_EQ(log.rfind("[Assets] ", 0), 0u);
    EXPECT_NE(log.find(path), std::string::npos);
    EXPECT_EQ(log.find('\n'), log.size() - 1) << log; // one line

    sf::Sound sound(*first);
    sound.play(); // must not throw or crash
    sound.stop();
}

TEST_F(AssetCacheTest, BrokenSoundFileFallsBackToo)
{
    const fs::path path = folder / "broken.wav";
    std::ofstream(path) << "RIFF but not really a wave file";
    fx::AssetCache<sf::SoundBuffer> cache;
    const auto buffer = cache.acquire(fx::fileKey<sf::SoundBuffer>(path.string()));
    ASSERT_NE(buffer, nullptr);
    EXPECT_GT(buffer->getSampleCount(), 0u);
}

TEST_F(AssetCacheTest, MissingTextureAndFontGiveNull)
{
    fx::AssetCache<sf::Texture> textures;
    fx::AssetCache<sf::Font> fonts;
    const std::string log = captureOutput([&] {
        EXPECT_EQ(textures.acquire(fx::fileKey<sf::Texture>((folder / "none.png").string())), nullptr);
        EXPECT_EQ(fonts.acquire(fx::fileKey<sf::Font>((folder / "none.ttf").string())), nullptr);
        EXPECT_EQ(fonts.acquire(fx::fileKey<sf::Font>((folder / "none.ttf").string())), nullptr);
    });
    // One line each: the second font acquire remembers the failure.
    EXPECT_EQ(std::count(log.begin(), log.end(), '\n'), 2) << log;
    EXPECT_TRUE(fonts.contains(fx::fileKey<sf::Font>((folder / "none.ttf").string())));
}

TEST_F(AssetCacheTest, EmptyKeyNamesNothingAndLogsNothing)
{
    fx::AssetCache<sf::Texture> textures;
    const std::string log = captureOutput([&] { EXPECT_EQ(textures.acquire(fx::AssetKey<sf::Texture>()), nullptr); });
    EXPECT_TRUE(log.empty()) << log;
}

TEST_F(AssetCacheTest, ReleasedFailureIsRetried)
{
    const std::string path = (folder / "later.wav").string();
    fx::AssetCache<sf::SoundBuffer> cache;
    const auto key = fx::fileKey<sf::SoundBuffer>(path);
    captureOutput([&] { cache.acquire(key); });
    writeWav("later.wav", 300);
    EXPECT_NE(cache.acquire(key)->getSampleCount(), 300u); // failure remembered
    cache.release(key);
    EXPECT_EQ(cache.acquire(key)->getSampleCount(), 300u);
}

TEST_F(AssetCacheTest, FontsLoadAndShare)
{
    const fs::path copy = folder / fs::u8path("betűtípus.ttf");
    fs::copy_file(kDebianFont, copy);
    fx::AssetCache<sf::Font> fonts;
    const auto key = fx::fileKey<sf::Font>(copy.u8string());
    const auto font = fonts.acquire(key);
    ASSERT_NE(font, nullptr);
    EXPECT_FALSE(font->getInfo().family.empty());
    EXPECT_EQ(fonts.acquire(key), font);
}

TEST_F(AssetCacheTest, MusicStreamKeepsItsTrackWhenTheNextCannotBeRead)
{
    fx::MusicStream stream;
    ASSERT_TRUE(stream.open(writeWav("Győző zenéje.wav", 22050 * 3)));
    EXPECT_EQ(stream.music().getDuration(), sf::seconds(3));

    const fs::path broken = folder / fs::u8path("törött.ogg");
    std::ofstream(broken) << "OggS but no stream";
    EXPECT_FALSE(stream.open((folder / "nincs.ogg").string()));
    EXPECT_EQ(stream.music().getDuration(), sf::seconds(3));
    // One that is read but not decoded has replaced the track: nothing plays.
    EXPECT_FALSE(stream.open(broken.u8string()));
    EXPECT_EQ(stream.music().getDuration(), sf::Time::Zero);
}

TEST_F(AssetCacheTest, ConcurrentAcquiresShareOneResource)
{
    const std::string path = writeWav("shared.wav", 2000);
    fx::AssetCache<sf::SoundBuffer> cache;
    const auto key = fx::fileKey<sf::SoundBuffer>(path);
    std::array<std::shared_ptr<sf::SoundBuffer>, 4> results;
    std::vector<std::thread> threads;
    for (std::size_t i = 0; i < results.size(); ++i)
        threads.emplace_back([&, i] { results[i] = cache.acquire(key); });
    for (auto& t : threads)
        t.join();
    for (const auto& r : results)
        EXPECT_EQ(r, results[0]);
    EXPECT_EQ(cache.size(), 1u);
}

} // namespace
