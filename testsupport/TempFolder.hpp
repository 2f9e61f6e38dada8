#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

namespace velk_test {

/// A fresh folder below the system's temporary folder, unique to the process
/// and the instance, removed with everything in it at the end.
class TempFolder {
public:
    TempFolder();
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    const std::filesystem::path& getPath() const { return path; }
    std::filesystem::path operator/(const std::string& name) const { return path / name; }

    /// Names of the folder's entries, so tests can see leftover files.
    std::vector<std::string> names() const;

private:
    std::filesystem::path path;
};

/// Fixture with a TempFolder per test.
class TempFolderTest : public ::testing::Test {
protected:
    TempFolder temp;
    const std::filesystem::path& folder = temp.getPath();
};

/// Writes `text` to `file`, creating its folders.
void writeFile(const std::filesystem::path& file, const std::string& text);

/// The file's bytes as they are on disk (empty when it cannot be read).
std::string readFile(const std::filesystem::path& file);

/// The id of a process that has just ended, as a writer killed mid-save leaves in its file names.
long endedProcessId();

} // namespace velk_test
