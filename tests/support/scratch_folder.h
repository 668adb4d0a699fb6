// A private folder for one test, removed with all it holds when the test ends.
#pragma once

#include <cstdlib>
#include <filesystem>
#include <gtest/gtest.h>
#include <string>

class ScratchFolder {
  public:
    explicit ScratchFolder(const std::string &name)
        : m_path(testing::TempDir() + name + "_XXXXXX") {
        if (::mkdtemp(m_path.data()) == nullptr)
            ADD_FAILURE() << "cannot make " << m_path;
    }
    ~ScratchFolder() { std::filesystem::remove_all(m_path); }
    ScratchFolder(const ScratchFolder &) = delete;
    ScratchFolder &operator=(const ScratchFolder &) = delete;

    const std::string &path() const { return m_path; }

  private:
    std::string m_path;
};
